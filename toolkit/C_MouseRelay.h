#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// Turns the raw mouse events of a control, and of the child widgets it is built from, into
// the click, double-click and button signals the toolkit's controls offer.
class TMouseRelay : public QObject
{
    Q_OBJECT
public:
    explicit TMouseRelay(QWidget* owner);
    // Also reports the events of `part`, a child of the owner, in owner coordinates.
    void Watch(QWidget* part);

Q_SIGNALS:
    // A left press and release both on the control; the second click of a double click is
    // not a click.
    void Click();
    void DblClick();
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);
    void MouseMove(Qt::MouseButtons buttons, QPoint pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relay(QEvent::Type type, const QMouseEvent& event, QPoint pos);

    QWidget* owner;
    bool leftPressed = false;
};
