#include "app/F_Fragm.h"
#include "app/F_Glb.h"
#include "app/U_Clock.h"
#include "app/U_Constantes.h"
#include "app/U_Termination.h"
#include "notes/F_ScdNiv.h"
#include "platform/x11/U_PlatformX11.h"
#include "toolkit/C_DigitalClock.h"
#include "tracer/F_TimingTrace.h"

#include <QApplication>
#include <QSessionManager>
#include <QStyleHints>

int main(int argc, char* argv[])
{
    // Shapes, positions and the tray behave only on X11; under Wayland go through XWayland.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(Constantes::AppTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    // A steady text cursor: the program wakes up only for its clock while it sits idle.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    SetPlatform(std::make_unique<TPlatformX11>());
    SetDialogs(std::make_shared<TWindowDialogs>());
    TDigitalClock::SetTimeSource([]() { return Now(); });

    TfrmFragm frmFragm;
    if (!frmFragm.FormCreate(QApplication::arguments().mid(1)))
        return 0;
    TfrmMnememo frmMnememo;
    TfrmTimingTrace frmTimingTrace;
    frmFragm.SetSecondaryWindows(&frmMnememo, &frmTimingTrace);

    TTerminationWatcher termination;
    QObject::connect(&termination, &TTerminationWatcher::TerminationRequested, &frmFragm,
                     &TfrmFragm::EndSession);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmFragm,
                     [&frmFragm](QSessionManager&) { frmFragm.EndSession(); });
    QObject::connect(&frmFragm, &TfrmFragm::Closed, &app, &QApplication::quit);
    frmFragm.show();
    return QApplication::exec();
}
