#pragma once

#include <QPoint>
#include <QWidget>

// A frameless window that can be dragged by any point of its surface not taken by a control.
class TfrmModWindowPos : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmModWindowPos(QWidget* parent = nullptr,
                              Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint);

protected:
    // Whether a press at `pos` (window coordinates) starts a drag.
    virtual bool IsDragPoint(const QPoint& pos) const;
    // Where the window goes when dragged to `proposed`.
    virtual QPoint ProposedPosition(const QPoint& proposed) const { return proposed; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging = false;
    QPoint grabOffset;
};
