#include "alarms/U_Alarms.h"
#include "app/F_Fragm.h"
#include "app/U_Autostart.h"
#include "app/U_Instance.h"
#include "app/U_RecoveryOffer.h"
#include "app/U_RecoveryRecorder.h"
#include "app/U_Termination.h"
#include "core/F_Glb.h"
#include "core/U_Clock.h"
#include "core/U_Constantes.h"
#include "core/U_Fonts.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"
#include "core/U_Translations.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesWatch.h"
#include "platform/x11/U_PlatformX11.h"
#include "tracer/F_TimingTrace.h"
#include "tracer/U_PdfFile.h"
#include "tracer/U_TracerController.h"

#include <QApplication>
#include <QSessionManager>
#include <QStyleHints>

#include <csignal>

namespace {
int Run(QApplication& app)
{
    QApplication::setApplicationName(Constantes::AppTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows' design font as everybody's default: no second face is loaded for the text
    // layouts Qt makes before a control gets its own font.
    QApplication::setFont(Fonts::PixelFont(QStringLiteral("MS Sans Serif"), 11));
    // A steady text cursor: the program wakes up only for its clock while it sits idle.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    SetDialogs(std::make_shared<TWindowDialogs>());
    SetClock(nullptr);
    // A save killed before its rename leaves its temporary file beside the file for good.
    TextFile::RemoveLeftovers(
        {AppFolder() + Constantes::SettingsFileName, AppFolder() + Constantes::TraceFileName,
         AppFolder() + Constantes::NotesFileName, AppFolder() + Constantes::AlarmFileName,
         AutostartEntryPath(Constantes::AppTitle)});
    PdfFile::RemoveLeftovers(AppFolder());

    TTracerController tracer;
    TNotesPad notes;
    TNotesWatch notesWatch(notes);
    TAlarms alarms;
    TRecoveryRecorder recovery(notes, tracer.trace.grid);
    TfrmFragm frmFragm(tracer, notes, alarms);
    QObject::connect(&frmFragm, &TfrmFragm::StartLoaded, &recovery,
                     [&]() { OfferRecovery(recovery, notes, tracer.trace); });
    QObject::connect(&frmFragm, &TfrmFragm::SaveDeclined, &recovery,
                     &TRecoveryRecorder::SaveDeclined);
    QObject::connect(&frmFragm, &TfrmFragm::Closed, &recovery, &TRecoveryRecorder::ProgramClosing);
    // Before anything can show a window: a session ending during a start-up message ends
    // the program as cleanly as later.
    TTerminationWatcher termination;
    QObject::connect(&termination, &TTerminationWatcher::TerminationRequested, &frmFragm,
                     &TfrmFragm::EndSession);
    frmFragm.FormCreate(QApplication::arguments().mid(1));
    if (Glb().ApplicationTerminating)
        return 0;
    TfrmMnememo frmMnememo(notes);
    TfrmTimingTrace frmTimingTrace(tracer);
    frmFragm.SetSecondaryWindows(&frmMnememo, &frmTimingTrace);
    // Copies reach the pad from the editor's first show on.
    TClipboardCapture capture(notes);

    // A checkpoint, or a logout the user may still cancel: save, but go on running.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmFragm,
                     [&frmFragm](QSessionManager&) { frmFragm.SaveForSession(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &frmFragm, &TfrmFragm::EndSession);
    QObject::connect(&frmFragm, &TfrmFragm::Closed, &app, &QApplication::quit);
    frmFragm.show();
    return QApplication::exec();
}
} // namespace

int main(int argc, char* argv[])
{
    // Beyond the file-size limit a write then fails, and the save says so, instead of the
    // signal ending the program with the session's rows.
    std::signal(SIGXFSZ, SIG_IGN);
    // Before anything else: a second copy asks the first to come forward and ends, having
    // touched no file and opened no window.
    SetPlatform(std::make_unique<TPlatformX11>());
    if (!EnsureSingleInstance())
        return 0;
    // Shapes, positions and the tray behave only on X11; under Wayland go through XWayland.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    Translations::LoadQtFrench();
    return Run(app);
}
