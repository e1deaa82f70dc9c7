#pragma once

#include <QString>

class TNotesPad;
class TTraceData;

// The notes and the trace are loaded together and saved together, so that the two files
// always tell the same moment.
void LoadNotesAndTrace(TNotesPad& notes, TTraceData& trace);
// True when everything was written; `Modified` is the caller's.
bool SaveNotesAndTrace(TNotesPad& notes, TTraceData& trace);
// With "Raccourci en sauvegarde" ticked: the desktop shortcut to `target`. A failure is told
// once in the program's life, not at every save.
void MakeShortcutWhenAsked(const QString& target);
