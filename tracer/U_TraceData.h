#pragma once

#include "core/U_FileStamp.h"
#include "tracer/U_DateTime.h"
#include "tracer/U_TraceGrid.h"
#include "tracer/U_TraceTable.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The trace in memory: the table of entries and the grid of their texts, side by side,
// row i of the grid describing entry i of the table.
class TTraceData
{
public:
    // The title that matches any title in a search.
    static inline const QString kNoSearch = QStringLiteral("noSearch");

    // The index of the last used row; -1 when the trace is empty.
    int lastRow() const { return grid.rowCount() - 1; }

    // Appends `proc` at lastRow + 1, as entry and as grid texts; returns the new row.
    // Throws EConvertError, changing nothing, when a value has no text.
    int AddRow(const TTraceProc& proc);
    // Writes `proc` into row `row` (0 to lastRow + 1) of both the table and the grid.
    void SetRow(int row, const TTraceProc& proc);
    // Appends rows whose texts are given as read, for the file loader.
    void AddRows(std::vector<TTraceProc> procs, std::vector<TTraceCells> cells);
    // A new table with its initial slots and an empty grid.
    void Clear();

    // The first row from the top whose process, title (any title for kNoSearch) and
    // date text are those given; exact and case-sensitive.
    std::optional<int> FindTraceRow(const QString& procName, const QString& winTitle,
                                    TDateTime day) const;
    bool NoRowToday(TDateTime day) const;

    static TTraceCells CellsOf(const TTraceProc& proc);

    TTabTraceP table;
    TTraceGrid grid;
    // Set by a load that met a line it could not read or a file it could not open: the
    // file is kept under a dated name before it is next rewritten.
    bool unreadLinesPending = false;
    // What the trace file held when last read or written: a version changed since by another
    // program is kept aside before the file is rewritten from memory.
    TFileStamp fileStamp;
    // Called by ResetTrace once the trace is emptied: the sampler forgets its current
    // origin there (LastProc's process name := empty).
    std::function<void()> onReset;
};
