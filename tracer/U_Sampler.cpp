#include "tracer/U_Sampler.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "platform/U_DesktopShells.h"
#include "platform/U_Platform.h"
#include "tracer/U_TraceData.h"
#include "tracer/U_TraceLine.h"

#include <QFileInfo>

namespace {
constexpr int kKeyLength = 255;
const TDateTime kLastSecond = 86399.0 / kSecondsPerDay; // 23:59:59
} // namespace

TSampler::TSampler(TTraceData& traced) : data(traced) {}

QString TSampler::CleanTitle(QString title)
{
    return TraceLine::CleanCell(std::move(title));
}

bool TSampler::Excluded(const QString& nameLower) const
{
    return Glb().Options.ExcludeExplorer &&
           (nameLower == QLatin1String("explorer.exe") || nameLower == Glb().OwnExeName ||
            IsDesktopShell(nameLower));
}

void TSampler::SampleForeground()
{
    Glb().TracerBusy = true;
    try {
        TPlatform& platform = Platform();
        QPoint pointer;
        if (!platform.CursorPos(pointer) || pointer.x() == 0 || pointer.y() == 0)
            return;
        quint64 window = 0;
        QString title;
        if (Glb().Options.DistinctFiles) {
            window = platform.ForegroundWindow();
            const quint64 owner = platform.OwnerWindow(window);
            title = platform.WindowTitle(owner ? owner : window);
        } else {
            window = platform.WindowFromPoint(pointer);
            title = platform.WindowTitle(window);
        }
        const QString name =
            QFileInfo(platform.ProcessExeName(platform.WindowProcessId(window))).fileName();
        const QString nameLower = name.toLower();
        const QString key = (name + u' ' + title).left(kKeyLength);
        if (key == lastKey || Excluded(nameLower))
            return;
        const bool ownWindow = !nameLower.isEmpty() && nameLower == Glb().OwnExeName;
        LoadTraceTime(name, ownWindow ? QStringLiteral("Traceur") : title, NowDateTime());
        lastKey = key;
    } catch (...) {
        // A window that vanished mid-sample is no news for the user.
    }
}

void TSampler::LoadTraceTime(const QString& name, const QString& title, TDateTime t)
{
    const TDateTime now = NowDateTime();
    if (!LastProc.name.isEmpty() && !CloseLastProc(LastProc.name, LastProc.title, now, now) &&
        !Glb().NoRowTodayAtLoad)
        RollOverMidnight();
    const QString cleaned = CleanTitle(title);
    LastProc = {name, cleaned, t};
    const auto row =
        data.FindTraceRow(name, Glb().Options.DistinctFiles ? cleaned : TTraceData::kNoSearch, t);
    if (row)
        ResumeRow(*row, cleaned, t);
    else if (!name.isEmpty())
        AddTraceRow(name, cleaned, t, t, 0, 0);
    if (onOriginChanged)
        onOriginChanged(name, cleaned);
}

void TSampler::RollOverMidnight()
{
    // Yesterday's row ends at the day's last second, today's starts at midnight.
    CloseLastProc(LastProc.name, LastProc.title, LastProc.start, kLastSecond);
    const TDateTime now = NowDateTime();
    AddTraceRow(LastProc.name, LastProc.title, now, 0, now, TimeFromSeconds(SecondsOfDay(now)));
}

void TSampler::ResumeRow(int row, const QString& title, TDateTime t)
{
    try {
        const TTraceProc entry = *data.table.Proc(row);
        data.table.UpdateProc(row, entry.procName, title, entry.dateTrace, entry.heureOrigine, t, 0,
                              entry.duree);
        if (!Glb().Options.DistinctFiles && !title.isEmpty())
            data.grid.SetCell(row, 1, title);
        data.grid.SetCell(row, 4, TimeText(t));
        data.grid.SetCell(row, 5, QStringLiteral("00:00:00"));
    } catch (const std::exception&) {
        ShowPlainMessage(QStringLiteral("Problème in mise à jour de LoadTraceTime"));
    }
}

void TSampler::AddTraceRow(const QString& name, const QString& title, TDateTime start,
                           TDateTime origin, TDateTime exit, TDateTime duration)
{
    if (name.isEmpty())
        return;
    try {
        data.AddRow({name, title, start, origin, start, exit, duration});
    } catch (const EConvertError&) {
        // A value without text makes no row, as before.
    }
}

bool TSampler::CloseLastProc(const QString& name, const QString& title, TDateTime day,
                             TDateTime exit)
{
    const auto row =
        data.FindTraceRow(name, Glb().Options.DistinctFiles ? title : TTraceData::kNoSearch, day);
    if (!row)
        return false;
    const TTraceProc* entry = data.table.Proc(*row);
    if (!entry)
        return true;
    const bool open = entry->IsOpen();
    try {
        TTraceProc closed = *entry;
        // A row closed while tracing was stopped counts again from the restart only.
        const TDateTime from = open ? entry->heureDEB : restartedAt;
        if (!open)
            closed.heureDEB = entry->heureFIN;
        closed.heureFIN = exit;
        closed.duree = TimeAdd(entry->duree, TimeDiff(from, exit));
        data.table.UpdateProc(*row, closed.procName, closed.winTitle, closed.dateTrace,
                              closed.heureOrigine, closed.heureDEB, closed.heureFIN, closed.duree);
        if (!open)
            data.grid.SetCell(*row, 4, TimeText(closed.heureDEB));
        data.grid.SetCell(*row, 5, TimeText(exit));
        data.grid.SetCell(*row, 6, TimeText(closed.duree));
    } catch (const std::exception&) {
        ShowPlainMessage(open ? QStringLiteral("Problème in mise à jour de CloseLastProc sur "
                                               "heureFIN = 0")
                              : QStringLiteral("Problème in mise à jour de CloseLastProc sur "
                                               "heureFIN <> 0"));
    }
    return true;
}

void TSampler::Stopped()
{
    const TDateTime now = NowDateTime();
    CloseLastProc(LastProc.name, LastProc.title, now, now);
    if (onOriginChanged)
        onOriginChanged(QString(), QString());
}
