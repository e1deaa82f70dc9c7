#include "app/F_FragmTracer.h"

#include "app/F_Fragm.h"
#include "app/F_FragmMenus.h"
#include "app/U_Dialogs.h"
#include "toolkit/C_FileNameEdit.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/U_TraceFile.h"

#include <QAction>
#include <QTimer>

namespace {
const QString kStartHint = QStringLiteral("Démarrer la trace");
const QString kStopHint = QStringLiteral("Arrêter la trace");
} // namespace

TFragmTracer::TFragmTracer(TfrmFragm* owner)
    : QObject(owner), sampler(trace), window(owner), ui(owner->ui)
{
    trace.onReset = [this]() {
        sampler.ForgetOrigin();
    };
    ui.StopSpyTimer->setSingleShot(true);
    connect(ui.spdSpy, &TFlatButton::Click, this, &TFragmTracer::spdSpyClick);
    connect(ui.imgLed, &TImage::Click, this, &TFragmTracer::spdSpyClick);
    connect(ui.SpyTimer, &QTimer::timeout, this, &TFragmTracer::SpyTimerTimer);
    // One short pause after each sample keeps the window from closing in the middle of it.
    connect(ui.StopSpyTimer, &QTimer::timeout, this, []() { Glb().TracerBusy = false; });
    connect(ui.timerSVGDE, &QTimer::timeout, this, &TFragmTracer::timerSVGDETimer);
    connect(ui.timerTraceDem, &QTimer::timeout, this, &TFragmTracer::timerTraceDemTimer);
}

bool TFragmTracer::Tracing() const
{
    return !ui.imgLed->isHidden();
}

void TFragmTracer::spdSpyClick()
{
    const bool starting = ui.spdSpy->Hint() == kStartHint;
    SetTraceState(ui.spdSpy->Hint());
    if (starting) {
        sampler.Started(NowDateTime());
        Glb().Modified = true;
        SayX11Only();
        if (onStarted)
            onStarted();
    } else {
        sampler.Stopped();
        if (onStopped)
            onStopped();
    }
}

void TFragmTracer::SetTraceState(const QString& hint)
{
    if (hint == kStartHint) {
        EnableMainControls(false);
        Glb().TracerBusy = true;
        ui.spdSpy->SetCaption(QStringLiteral("~"));
        ui.spdSpy->SetHint(kStopHint);
        ui.imgLed->setToolTip(kStopHint);
        ui.imgLed->show();
        ui.spdSpy->repaint();
        ui.SpyTimer->start();
    } else {
        Glb().TracerBusy = false;
        ui.spdSpy->SetCaption(QString());
        ui.spdSpy->SetHint(kStartHint);
        ui.StopSpyTimer->stop();
        EnableMainControls(true);
        ui.imgLed->hide();
        ui.spdSpy->repaint();
        ui.SpyTimer->stop();
    }
}

void TFragmTracer::EnableMainControls(bool on)
{
    for (QWidget* control : QList<QWidget*>{
             ui.rxSTOP, ui.rxOK, ui.rxFE, ui.scrSTOP, ui.scrOK, ui.spdGstFiles, ui.spdChgColFont,
             ui.spdFontLblTitre, ui.spdChgCol, ui.spdColComp, ui.spdColorNorm, ui.spdCompNorm,
             ui.spdEpaType, ui.spdDspInfo, ui.spdAncrMnem})
        control->setEnabled(on);
    if (ui.spdDspInfo->Hint() == QStringLiteral("Info-bulles cachées")) {
        THintSwitch::Set(window, false);
        ui.spdDspInfo->SetHint(QStringLiteral("Info-bulles visibles"));
    }
    if (on) {
        ui.timerSVGDE->stop();
        window->menus->timeOnRecording->setChecked(timeOnRecordingKept);
        return;
    }
    Glb().EditorAnchored = false;
    ui.timerSVGDE->start();
    // Saves made while tracing add no time stamp to the notes.
    timeOnRecordingKept = window->menus->timeOnRecording->isChecked();
    window->menus->timeOnRecording->setChecked(false);
}

void TFragmTracer::SpyTimerTimer()
{
    sampler.SampleForeground();
    ui.StopSpyTimer->start();
}

void TFragmTracer::timerSVGDETimer()
{
    if (Glb().AutoSaveWhileTracing && window->saveNotesAndTrace)
        window->saveNotesAndTrace();
}

void TFragmTracer::timerTraceDemTimer()
{
    // Once per run: the timer is single shot and started only by the first paint.
    ui.timerTraceDem->stop();
    if (!Tracing())
        spdSpyClick();
}

void TFragmTracer::StartAtLaunch()
{
    if (!Glb().StartTracer)
        return;
    ui.timerTraceDem->start();
}

void TFragmTracer::CloseAtExit()
{
    const TDateTime now = NowDateTime();
    sampler.CloseLastProc(sampler.LastProc.name, sampler.LastProc.title, now, now);
}

void TFragmTracer::SayX11Only()
{
    // Under Wayland only the programs that run through XWayland can be seen.
    if (x11NoticeShown || qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland"))
        return;
    x11NoticeShown = true;
    ShowMessageWindow(QStringLiteral("Session Wayland : seules les applications X11 sont tracées."),
                      0xFFFFFF, 0, 4000, 12, 0, 0);
}
