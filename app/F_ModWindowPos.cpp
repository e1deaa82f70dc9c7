#include "app/F_ModWindowPos.h"

#include <QMouseEvent>

TfrmModWindowPos::TfrmModWindowPos(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
}

bool TfrmModWindowPos::IsDragPoint(const QPoint&) const
{
    return true;
}

void TfrmModWindowPos::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsDragPoint(event->position().toPoint())) {
        dragging = true;
        grabOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TfrmModWindowPos::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging && (event->buttons() & Qt::LeftButton)) {
        move(ProposedPosition(event->globalPosition().toPoint() - grabOffset));
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TfrmModWindowPos::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging && event->button() == Qt::LeftButton) {
        dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
