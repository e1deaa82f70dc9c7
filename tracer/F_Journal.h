#pragma once

#include <memory>

class QWidget;
class TTraceGrid;
class Tfrmdisptch0;

// The journal of `grid`, built and placed above or below `tracerWindow` but not shown; null,
// the user told, when the grid has no rows. Throws what the day totals throw (a duration
// that is no time).
std::unique_ptr<Tfrmdisptch0> CreateJournal(const TTraceGrid& grid, QWidget* tracerWindow);
// Shows the journal modally until it is closed; a failure is told and shows nothing.
void ShowJournal(const TTraceGrid& grid, QWidget* tracerWindow);
