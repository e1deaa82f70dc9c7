#pragma once

#include "tracer/U_TraceCells.h"
#include "tracer/U_TraceGrid.h"

#include <QString>
#include <QStringView>

// The line format of the trace files: seven cells joined by ";", CR LF after each line.
// A cell a spreadsheet would take for a formula is written behind an apostrophe, which
// reading takes off again.
namespace TraceLine {

// Whether `cell` goes to the file behind an apostrophe: its first character after any
// apostrophes is "=", "+", "-" or "@" (the apostrophes themselves, so that a cell that
// already begins with one comes back unchanged).
bool NeedsApostrophe(QStringView cell);
QString Protect(const QString& cell);
QStringView Unprotect(QStringView cell);

// A cell as stored: no line breaks, tabs or field separators, so that no text can shift the
// fields of its line or break it.
QString CleanCell(QString cell);

// The lines of grid rows 0 to the last one, or from the last one up when `newestFirst`.
QString GridText(const TTraceGrid& grid, bool newestFirst);

} // namespace TraceLine
