#include "C_MouseRelay.h"

#include <QMouseEvent>
#include <QWidget>

TMouseRelay::TMouseRelay(QWidget* owner) : QObject(owner), owner(owner)
{
    Watch(owner);
}

// A control keeps the mouse events it reports: a label on a panel must not press the panel
// as well, although QLabel leaves them unhandled.
void TMouseRelay::Watch(QWidget* part)
{
    part->setAttribute(Qt::WA_NoMousePropagation);
    part->installEventFilter(this);
}

bool TMouseRelay::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto* mouseEvent = static_cast<QMouseEvent*>(event);
        const QPoint local = mouseEvent->position().toPoint();
        const auto* widget = qobject_cast<QWidget*>(watched);
        Relay(event->type(), *mouseEvent, widget == owner ? local : widget->mapTo(owner, local));
        break;
    }
    default:
        break;
    }
    // The control keeps its own handling (selection in an edit, button presses).
    return false;
}

void TMouseRelay::Relay(QEvent::Type type, const QMouseEvent& event, QPoint pos)
{
    const Qt::MouseButton button = event.button();
    if (type == QEvent::MouseMove) {
        Q_EMIT MouseMove(event.buttons(), pos);
    } else if (type == QEvent::MouseButtonPress) {
        leftPressed = leftPressed || button == Qt::LeftButton;
        Q_EMIT MouseDown(button, pos);
    } else if (type == QEvent::MouseButtonDblClick) {
        // Not a press: the release that follows is no click.
        if (button == Qt::LeftButton)
            Q_EMIT DblClick();
        Q_EMIT MouseDown(button, pos);
    } else {
        const bool click = button == Qt::LeftButton && leftPressed && owner->rect().contains(pos);
        if (button == Qt::LeftButton)
            leftPressed = false;
        Q_EMIT MouseUp(button, pos);
        if (click)
            Q_EMIT Click();
    }
}
