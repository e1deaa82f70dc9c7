#pragma once

#include "tracer/U_DateTime.h"

#include <QString>

#include <functional>

class TTraceData;

// The current origin: the application (and window title) the user is in, since when.
struct TLastProc
{
    QString name;
    QString title;
    TDateTime start = 0;
};

// The tracer's runs: one sample of the foreground each second, and every change of origin
// closing the previous origin's run and opening or resuming the new one's row of the day.
class TSampler
{
public:
    explicit TSampler(TTraceData& data);

    // One sample; errors are swallowed, a sample never interrupts the user.
    void SampleForeground();
    // Makes `name` (with `title`) the current origin from `t` on.
    void LoadTraceTime(const QString& name, const QString& title, TDateTime t);
    // Closes the origin's row of `day` at `exit`; false when the day has no such row.
    bool CloseLastProc(const QString& name, const QString& title, TDateTime day, TDateTime exit);
    void AddTraceRow(const QString& name, const QString& title, TDateTime start, TDateTime origin,
                     TDateTime exit, TDateTime duration);
    // Tracing starts at `t`: a row closed while it was stopped counts again from there.
    void Started(TDateTime t) { restartedAt = t; }
    // Tracing stops: the current origin's row is closed now.
    void Stopped();
    // A new tracer: there is no current origin any more.
    void ForgetOrigin() { LastProc.name.clear(); }

    // A title as stored: no line breaks, tabs or field separators of the trace file.
    static QString CleanTitle(QString title);

    TLastProc LastProc;
    QString lastKey;
    // The tracer window shows the current origin; empty name when there is none.
    std::function<void(const QString& name, const QString& title)> onOriginChanged;

private:
    bool Excluded(const QString& nameLower) const;
    void ResumeRow(int row, const QString& title, TDateTime t);
    void RollOverMidnight();

    TTraceData& data;
    TDateTime restartedAt = 0;
};
