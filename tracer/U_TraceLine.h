#pragma once

#include "tracer/U_TraceCells.h"

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

// Room for the line of `cells` with an apostrophe before every cell, so that only the
// writing looks at the texts themselves.
qsizetype RowSizeAtMost(const TTraceCells& cells);
// Writes the line of `cells` at `out`, which has room for RowSizeAtMost; returns its end.
// A long trace thus goes into one buffer sized beforehand.
QChar* WriteRow(QChar* out, const TTraceCells& cells);

} // namespace TraceLine
