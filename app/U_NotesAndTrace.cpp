#include "app/U_NotesAndTrace.h"

#include "core/U_Glb.h"
#include "tracer/U_TraceFile.h"

// The notes have no file of their own yet: both halves are the trace's.
void LoadNotesAndTrace(TTraceData& trace)
{
    LoadTrace(trace);
    Glb().DataLoaded = true;
}

bool SaveNotesAndTrace(TTraceData& trace)
{
    return SaveTrace(trace);
}
