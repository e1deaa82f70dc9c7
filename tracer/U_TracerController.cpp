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
    : QObject(parent), sampler(trace), SpyTimer(Timer(this, "SpyTimer", 1000)),
      StopSpyTimer(Timer(this, "StopSpyTimer", 10, true)),
      timerSVGDE(Timer(this, "timerSVGDE", 300000)),
      timerTraceDem(Timer(this, "timerTraceDem", 250, true))
{
    trace.onReset = [this]() {
        sampler.ForgetOrigin();
    };
    connect(SpyTimer, &QTimer::timeout, this, &TTracerController::SpyTimerTimer);
    // One short pause after each sample keeps the window from closing in the middle of it.
    connect(StopSpyTimer, &QTimer::timeout, this, []() { Glb().TracerBusy = false; });
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
    Glb().TracerBusy = true;
    SpyTimer->start();
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
    StopSpyTimer->stop();
    SpyTimer->stop();
    timerSVGDE->stop();
    sampler.Stopped();
    Q_EMIT StateChanged(false);
}

void TTracerController::SpyTimerTimer()
{
    sampler.SampleForeground();
    StopSpyTimer->start();
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
