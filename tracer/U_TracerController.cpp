#include "tracer/U_TracerController.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"

#include <QTimer>

namespace {
QTimer* Timer(QObject* owner, const char* name, int intervalMs, bool singleShot = false)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    timer->setSingleShot(singleShot);
    return timer;
}
} // namespace

TTracerController::TTracerController(QObject* parent)
    : QObject(parent), sampler(trace), timerSVGDE(Timer(this, "timerSVGDE", 300000)),
      timerTraceDem(Timer(this, "timerTraceDem", 250, true))
{
    trace.onReset = [this]() {
        sampler.ForgetOrigin();
    };
    connect(timerSVGDE, &QTimer::timeout, this, &TTracerController::timerSVGDETimer);
    connect(timerTraceDem, &QTimer::timeout, this, &TTracerController::timerTraceDemTimer);
}

void TTracerController::Toggle()
{
    if (tracing)
        Stop();
    else
        Start();
}

void TTracerController::Start()
{
    if (tracing)
        return;
    tracing = true;
    // Busy until the first sample.
    Glb().TracerBusy = true;
    timerSVGDE->start();
    sampler.Started(NowDateTime());
    Glb().Modified = true;
    SayX11Only();
    Q_EMIT StateChanged(true);
}

void TTracerController::Stop()
{
    if (!tracing)
        return;
    tracing = false;
    Glb().TracerBusy = false;
    timerSVGDE->stop();
    sampler.Stopped();
    Q_EMIT StateChanged(false);
}

void TTracerController::Tick()
{
    if (tracing)
        SpyTimerTimer();
}

void TTracerController::SpyTimerTimer()
{
    sampler.SampleForeground();
    // The sample runs whole within this call: nothing can close the window in its middle.
    Glb().TracerBusy = false;
}

void TTracerController::timerSVGDETimer()
{
    if (Glb().Options.AutoSaveWhileTracing)
        Q_EMIT AutoSaveDue();
}

void TTracerController::timerTraceDemTimer()
{
    // Once per run: the timer is single shot and started only by the first paint.
    timerTraceDem->stop();
    Start();
}

void TTracerController::StartAtLaunch()
{
    if (Glb().Options.StartTracer)
        timerTraceDem->start();
}

void TTracerController::SayX11Only()
{
    // Under Wayland only the programs that run through XWayland can be seen.
    if (x11NoticeShown || qEnvironmentVariable("XDG_SESSION_TYPE") != QLatin1String("wayland"))
        return;
    x11NoticeShown = true;
    ShowMessageWindow(QStringLiteral("Session Wayland : seules les applications X11 sont tracées."),
                      0xFFFFFF, 0, 4000, 12, 0, 0);
}
