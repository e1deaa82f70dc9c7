#include "app/U_NotesAndTrace.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "notes/U_DesktopShortcut.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceFile.h"

namespace {
TNotesAndTraceListener* listener = nullptr;
} // namespace

void SetNotesAndTraceListener(TNotesAndTraceListener* newListener)
{
    listener = newListener;
}

void LoadNotesAndTrace(TNotesPad& notes, TTraceData& trace)
{
    const bool traceEmpty = trace.lastRow() == -1;
    notes.LoadNotes();
    LoadTrace(trace, notes.DefaultNotesInUse());
    Glb().DataLoaded = true;
    if (listener)
        listener->Loaded(traceEmpty);
}

bool SaveNotesAndTrace(TNotesPad& notes, TTraceData& trace)
{
    if (listener)
        listener->SaveStarting();
    const bool notesSaved = notes.SaveNotes();
    const bool traceSaved = SaveTrace(trace);
    if (listener)
        listener->Saved(notesSaved, traceSaved);
    MakeShortcutWhenAsked(TraceFilePath());
    return notesSaved && traceSaved;
}

void MakeShortcutWhenAsked(const QString& target)
{
    static bool failureTold = false;
    if (!Glb().Options.ShortcutOnSave)
        return;
    QString error;
    if (MakeDesktopShortcut(target, &error) || failureTold)
        return;
    failureTold = true;
    ShowPlainMessage(QStringLiteral("Raccourci sur le bureau impossible : ") + error);
}
