#pragma once

#include "tracer/U_DateTime.h"

#include <QString>

#include <vector>

// One origin on one day: who, when first entered, last resumed, last left, and for how long.
struct TTraceProc
{
    QString procName;
    QString winTitle;
    TDateTime dateTrace = 0;
    TDateTime heureOrigine = 0;
    TDateTime heureDEB = 0;
    // 0 while the origin is the current one.
    TDateTime heureFIN = 0;
    TDateTime duree = 0;

    bool IsOpen() const { return heureFIN == 0; }
    bool operator==(const TTraceProc&) const = default;
};

// The tracer's table of entries, slot i matching row i of the grid; it grows past its
// initial slots when more rows are needed.
class TTabTraceP
{
public:
    static constexpr int kInitialSlots = 512;

    explicit TTabTraceP(int slots = kInitialSlots);

    // Stores a new entry in slot `index`, growing the table when needed.
    void AddProc(int index, const QString& procName, const QString& winTitle, TDateTime dateTrace,
                 TDateTime heureOrigine, TDateTime heureDEB, TDateTime heureFIN, TDateTime duree);
    void AddProc(int index, TTraceProc proc);
    // Stores `procs` in the slots from `first` on, growing the table once.
    void AddProcs(int first, std::vector<TTraceProc> procs);
    // Overwrites the entry in slot `index`; an empty slot is reported and left alone.
    void UpdateProc(int index, const QString& procName, const QString& winTitle,
                    TDateTime dateTrace, TDateTime heureOrigine, TDateTime heureDEB,
                    TDateTime heureFIN, TDateTime duree);
    // The span from heureDEB to heureFIN; throws std::out_of_range on an empty slot.
    TDateTime ProcDuration(int index) const;

    // The entry in slot `index`, or null when the slot is empty or beyond the table.
    const TTraceProc* Proc(int index) const;
    int SlotCount() const { return static_cast<int>(entries.size()); }

private:
    void Grow(std::size_t slots);

    // Slot i holds an entry when used[i]; a table that holds none takes a whole run of
    // entries over as they are, which keeps loading a long trace cheap.
    std::vector<TTraceProc> entries;
    std::vector<bool> used;
    bool holdsNone = true;
};

// The span from the time of day of `a` to that of `b`, whole seconds; 0 when `b` is earlier.
TDateTime TimeDiff(TDateTime a, TDateTime b);
// The sum of two times of day, whole seconds; throws EConvertError at 24 hours or more.
TDateTime TimeAdd(TDateTime a, TDateTime b);
