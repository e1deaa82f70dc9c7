#pragma once

#include "tracer/U_Sampler.h"
#include "tracer/U_TraceData.h"

#include <QObject>

#include <functional>

class TfrmFragm;
struct TFragmControls;

// The tracer as the main window drives it: the trace in memory, the start and stop button
// with its lamp, the sampling timers, the delayed start and the automatic save.
class TFragmTracer : public QObject
{
    Q_OBJECT
public:
    explicit TFragmTracer(TfrmFragm* window);

    bool Tracing() const;
    void spdSpyClick();
    // Switches tracing on when `hint` is the start hint, off when it is the stop hint.
    void SetTraceState(const QString& hint);
    void EnableMainControls(bool on);
    // On the first paint: starts tracing a moment later when the settings ask for it.
    void StartAtLaunch();
    // The main window closes while tracing: the current row ends now.
    void CloseAtExit();

    // The timers' ticks.
    void SpyTimerTimer();
    void timerSVGDETimer();
    void timerTraceDemTimer();

    TTraceData trace;
    TSampler sampler;
    // The tracer window's part of a start and a stop (its button, its pending first show).
    std::function<void()> onStarted;
    std::function<void()> onStopped;

private:
    void SayX11Only();

    TfrmFragm* window;
    TFragmControls& ui;
    bool timeOnRecordingKept = true;
    bool x11NoticeShown = false;
};
