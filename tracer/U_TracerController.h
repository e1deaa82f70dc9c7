#pragma once

#include "tracer/U_Sampler.h"
#include "tracer/U_TraceData.h"

#include <QObject>

class QTimer;

// The tracer as one component: the trace in memory, the sampler, its timers and whether
// tracing runs. Windows show its state and forward the user's clicks to it.
class TTracerController : public QObject
{
    Q_OBJECT
public:
    explicit TTracerController(QObject* parent = nullptr);

    bool Tracing() const { return tracing; }
    // The tracer's button or lamp: starts tracing when it is off, stops it when it runs.
    void Toggle();
    void Start();
    void Stop();
    // At the first paint: starts tracing a moment later when the options ask for it.
    void StartAtLaunch();

    // The program's one-second tick: a sample while tracing. The tracer has no timer of its
    // own for it, so that tracing wakes the program no more often than its clock does.
    void Tick();
    // One sample; the tracer is no longer busy once it is over.
    void SpyTimerTimer();
    // The automatic save's and the delayed start's ticks.
    void timerSVGDETimer();
    void timerTraceDemTimer();

    TTraceData trace;
    TSampler sampler;
    QTimer* timerSVGDE;
    QTimer* timerTraceDem;

Q_SIGNALS:
    // Tracing was switched on or off.
    void StateChanged(bool tracing);
    // The automatic save is due: notes and trace are to be written together.
    void AutoSaveDue();

private:
    void SayX11Only();

    bool tracing = false;
    bool x11NoticeShown = false;
};
