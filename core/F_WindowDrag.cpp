#include "core/F_WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>

TWindowDrag::TWindowDrag(QWidget* dragged, TCanStart start, TPropose proposal)
    : QObject(dragged), window(dragged), canStart(std::move(start)), propose(std::move(proposal))
{
    window->installEventFilter(this);
}

void TWindowDrag::Watch(QWidget* part)
{
    part->installEventFilter(this);
}

bool TWindowDrag::Press(QWidget* source, const QMouseEvent& event)
{
    const QPoint inWindow = source->mapTo(window, event.position().toPoint());
    if (event.button() != Qt::LeftButton || !canStart(inWindow))
        return false;
    dragging = true;
    grabOffset = event.globalPosition().toPoint() - window->pos();
    return true;
}

bool TWindowDrag::eventFilter(QObject* watched, QEvent* event)
{
    auto* source = qobject_cast<QWidget*>(watched);
    if (!source)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // On the window itself the press is used up; a control still gets its own.
        return Press(source, *static_cast<QMouseEvent*>(event)) && source == window;
    case QEvent::MouseMove:
        if (!dragging)
            return false;
        {
            const QPoint to =
                static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset;
            window->move(propose ? propose(to) : to);
        }
        Q_EMIT Moved();
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        dragging = false;
        return source == window;
    default:
        return false;
    }
}
