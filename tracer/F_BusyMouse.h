#pragma once

#include <QObject>

class QWidget;

// Keeps the mouse away from a window and its controls while the tracer takes a sample: no
// press, double click or wheel reaches them, so nothing is clicked or dragged then.
class TBusyMouse : public QObject
{
    Q_OBJECT
public:
    explicit TBusyMouse(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window;
};
