#pragma once

#include "tracer/U_TraceData.h"

#include <QString>

// AppFolder + "Traceur.csv".
QString TraceFilePath();

// Fills an empty trace from the trace file (created empty when missing) while the default
// notes are in use and the tracer window was never placed; lines that cannot be read are
// passed over and the file marked to be kept. Always ends by computing NoRowTodayAtLoad.
void LoadTrace(TTraceData& data, bool defaultNotesInUse = true);
// Rewrites the trace file from the grid as a whole; on failure says so and changes nothing.
bool SaveTrace(TTraceData& data);
// Writes the dated archive, newest row first; returns its path, or empty on failure.
QString TraceurFile(const TTraceData& data);
// Empties the trace file, the table and the grid for a new tracer.
void ResetTrace(TTraceData& data);
