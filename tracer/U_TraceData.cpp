#include "tracer/U_TraceData.h"

#include <stdexcept>
#include <string>

int TTraceData::AddRow(const TTraceProc& proc)
{
    const int row = lastRow() + 1;
    SetRow(row, proc);
    return row;
}

void TTraceData::SetRow(int row, const TTraceProc& proc)
{
    if (row < 0 || row > lastRow() + 1)
        throw std::out_of_range("Trace row " + std::to_string(row));
    // Texts first: a value without text must leave both sides as they were.
    TTraceCells cells = CellsOf(proc);
    table.AddProc(row, proc);
    grid.SetRow(row, std::move(cells));
}

void TTraceData::AddRows(std::vector<TTraceProc> procs, std::vector<TTraceCells> cells)
{
    if (procs.size() != cells.size())
        throw std::invalid_argument("Trace rows without their texts");
    table.AddProcs(lastRow() + 1, std::move(procs));
    grid.AppendRows(std::move(cells));
}

void TTraceData::Clear()
{
    table = TTabTraceP();
    grid.Clear();
}

std::optional<int> TTraceData::FindTraceRow(const QString& procName, const QString& winTitle,
                                            TDateTime day) const
{
    const QString date = DateText(day);
    if (winTitle == kNoSearch)
        return grid.Index().FirstRow(procName, date);
    return grid.Index().FirstRow(procName, winTitle, date);
}

bool TTraceData::NoRowToday(TDateTime day) const
{
    return !grid.Index().HasDate(DateText(day));
}

TTraceCells TTraceData::CellsOf(const TTraceProc& proc)
{
    return {proc.procName,
            proc.winTitle,
            DateText(proc.dateTrace),
            TimeText(proc.heureOrigine),
            TimeText(proc.heureDEB),
            TimeText(proc.heureFIN),
            TimeText(proc.duree)};
}
