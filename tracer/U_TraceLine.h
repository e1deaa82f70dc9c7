#pragma once

#include "tracer/U_TraceCells.h"
#include "tracer/U_TraceGrid.h"
#include "tracer/U_TraceTable.h"

#include <QString>

#include <optional>

// The line format of the trace files: seven cells joined by ";", CR LF after each line.
// A cell a spreadsheet would take for a formula is written behind an apostrophe, which
// reading takes off again.
namespace TraceLine {

// Whether `cell` goes to the file behind an apostrophe: its first character after any
// apostrophes is "=", "+", "-" or "@" (the apostrophes themselves, so that a cell that
// already begins with one comes back unchanged).
bool NeedsApostrophe(const QString& cell);
QString Protect(const QString& cell);
QString Unprotect(const QString& cell);

// The lines of grid rows 0 to the last one, or from the last one up when `newestFirst`.
QString GridText(const TTraceGrid& grid, bool newestFirst);

// The entry of a line and, in `cells`, its texts as read; nothing when a field does not
// hold what it should.
std::optional<TTraceProc> Parse(const QString& line, TTraceCells& cells);

} // namespace TraceLine
