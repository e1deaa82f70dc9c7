#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QMouseEvent;
class QWidget;

// Moves a frameless window with the left mouse button from the points it allows; every
// proposed position goes through one function so that a window can snap or refuse.
class TWindowDrag : public QObject
{
    Q_OBJECT
public:
    using TCanStart = std::function<bool(const QPoint& windowPos)>;
    using TPropose = std::function<QPoint(const QPoint& proposed)>;

    TWindowDrag(QWidget* window, TCanStart canStart, TPropose propose = {});
    // Presses on `part`, a control of the window, may start a drag too.
    void Watch(QWidget* part);
    bool IsDragging() const { return dragging; }

Q_SIGNALS:
    // The window was moved by the drag.
    void Moved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Press(QWidget* source, const QMouseEvent& event);

    QWidget* window;
    TCanStart canStart;
    TPropose propose;
    bool dragging = false;
    QPoint grabOffset;
};
