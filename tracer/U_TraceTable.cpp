#include "tracer/U_TraceTable.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"

#include <algorithm>
#include <stdexcept>
#include <string>

TTabTraceP::TTabTraceP(int slots)
    : entries(static_cast<std::size_t>(std::max(slots, 0))), used(entries.size(), false)
{
}

void TTabTraceP::AddProc(int index, const QString& procName, const QString& winTitle,
                         TDateTime dateTrace, TDateTime heureOrigine, TDateTime heureDEB,
                         TDateTime heureFIN, TDateTime duree)
{
    AddProc(index,
            TTraceProc{procName, winTitle, dateTrace, heureOrigine, heureDEB, heureFIN, duree});
}

void TTabTraceP::AddProc(int index, TTraceProc proc)
{
    if (index < 0)
        throw std::out_of_range("Trace slot " + std::to_string(index));
    const auto at = static_cast<std::size_t>(index);
    Grow(at + 1);
    entries[at] = std::move(proc);
    used[at] = true;
    holdsNone = false;
}

void TTabTraceP::AddProcs(int first, std::vector<TTraceProc> procs)
{
    if (first < 0)
        throw std::out_of_range("Trace slot " + std::to_string(first));
    if (procs.empty())
        return;
    const std::size_t end = static_cast<std::size_t>(first) + procs.size();
    if (first == 0 && holdsNone) {
        const std::size_t slots = entries.size();
        entries = std::move(procs);
        used.assign(end, true);
        Grow(slots);
    } else {
        Grow(end);
        std::move(procs.begin(), procs.end(), entries.begin() + first);
        std::fill(used.begin() + first, used.begin() + static_cast<std::ptrdiff_t>(end), true);
    }
    holdsNone = false;
}

// Doubling keeps a long run of appends cheap once the first slots are used up.
void TTabTraceP::Grow(std::size_t slots)
{
    if (slots <= entries.size())
        return;
    const std::size_t size = std::max(slots, entries.size() * 2);
    entries.resize(size);
    used.resize(size, false);
}

void TTabTraceP::UpdateProc(int index, const QString& procName, const QString& winTitle,
                            TDateTime dateTrace, TDateTime heureOrigine, TDateTime heureDEB,
                            TDateTime heureFIN, TDateTime duree)
{
    if (!Proc(index)) {
        ShowPlainMessage(QStringLiteral("PLANTAGE in U_GLB"));
        return;
    }
    entries[static_cast<std::size_t>(index)] =
        TTraceProc{procName, winTitle, dateTrace, heureOrigine, heureDEB, heureFIN, duree};
}

TDateTime TTabTraceP::ProcDuration(int index) const
{
    const TTraceProc* proc = Proc(index);
    if (!proc)
        throw std::out_of_range("No trace entry in slot " + std::to_string(index));
    return TimeDiff(proc->heureDEB, proc->heureFIN);
}

const TTraceProc* TTabTraceP::Proc(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return nullptr;
    const auto at = static_cast<std::size_t>(index);
    return used[at] ? &entries[at] : nullptr;
}

TDateTime TimeDiff(TDateTime a, TDateTime b)
{
    // A span running backwards across midnight has no meaning for a time of day.
    return TimeFromSeconds(std::max(SecondsOfDay(b) - SecondsOfDay(a), 0));
}

TDateTime TimeAdd(TDateTime a, TDateTime b)
{
    const int sa = SecondsOfDay(a);
    const int sb = SecondsOfDay(b);
    int h = sa / 3600 + sb / 3600;
    int m = sa / 60 % 60 + sb / 60 % 60;
    int s = sa % 60 + sb % 60;
    if (s > 59) {
        ++m;
        s -= 60;
    }
    if (m > 59) {
        ++h;
        m -= 60;
    }
    if (h > 23)
        throw EConvertError("Invalid argument to time encode");
    return TimeFromSeconds(h * 3600 + m * 60 + s);
}
