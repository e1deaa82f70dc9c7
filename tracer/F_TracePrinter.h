#pragma once

#include <QString>

class TTraceGrid;

// Prints the trace (see PrintTraceGrid) on the default printer, or, with no printer installed,
// into a PDF in the program's folder whose path is announced. A failure is told in French and
// leaves nothing announced as done; false then.
bool PrintTrace(const TTraceGrid& grid, const QString& title, int day);
