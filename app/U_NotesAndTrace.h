#pragma once

#include <QString>

class TNotesPad;
class TTraceData;

// Told of the common loads and saves, so that what follows the files can follow them too.
class TNotesAndTraceListener
{
public:
    virtual ~TNotesAndTraceListener() = default;
    // A load is over; `traceRead` when the trace was empty before it, so it is now the file's.
    virtual void Loaded(bool traceRead) = 0;
    virtual void SaveStarting() = 0;
    virtual void Saved(bool notesSaved, bool traceSaved) = 0;
};
// One listener at most; null for none.
void SetNotesAndTraceListener(TNotesAndTraceListener* listener);

// The notes and the trace are loaded together and saved together, so that the two files
// always tell the same moment.
void LoadNotesAndTrace(TNotesPad& notes, TTraceData& trace);
// True when everything was written; `Modified` is the caller's.
bool SaveNotesAndTrace(TNotesPad& notes, TTraceData& trace);
// With "Raccourci en sauvegarde" ticked: the desktop shortcut to `target`. A failure is told
// once in the program's life, not at every save.
void MakeShortcutWhenAsked(const QString& target);
