#pragma once

class TTraceData;

// The notes and the trace are loaded together at the first paint and saved together, so that
// the two files always tell the same moment.
void LoadNotesAndTrace(TTraceData& trace);
// True when everything was written.
bool SaveNotesAndTrace(TTraceData& trace);
