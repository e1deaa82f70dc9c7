#include "tracer/U_TraceTable.h"

#include "app/U_Dialogs.h"
#include "app/U_Glb.h"

#include <stdexcept>
#include <string>

TTabTraceP::TTabTraceP(int slots) : slots(static_cast<std::size_t>(std::max(slots, 0))) {}

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
    // Doubling keeps a long run of appends cheap once the first slots are used up.
    if (at >= slots.size())
        slots.resize(std::max(at + 1, slots.size() * 2));
    slots[at] = std::move(proc);
}

void TTabTraceP::UpdateProc(int index, const QString& procName, const QString& winTitle,
                            TDateTime dateTrace, TDateTime heureOrigine, TDateTime heureDEB,
                            TDateTime heureFIN, TDateTime duree)
{
    if (!Proc(index)) {
        ShowPlainMessage(QStringLiteral("PLANTAGE in U_GLB"));
        return;
    }
    slots[static_cast<std::size_t>(index)] =
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
    if (index < 0 || static_cast<std::size_t>(index) >= slots.size())
        return nullptr;
    const auto& slot = slots[static_cast<std::size_t>(index)];
    return slot ? &*slot : nullptr;
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
