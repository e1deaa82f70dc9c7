#include "tracer/F_BusyMouse.h"

#include "core/U_Glb.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

TBusyMouse::TBusyMouse(QWidget* guarded) : QObject(guarded), window(guarded)
{
    // Watching the application covers every control, also those made later (a page's grid).
    qApp->installEventFilter(this);
}

bool TBusyMouse::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        break;
    default:
        // Releases and moves pass, so that a drag begun before ends as usual.
        return false;
    }
    if (!Glb().TracerBusy || !watched->isWidgetType())
        return false;
    return static_cast<QWidget*>(watched)->window() == window;
}
