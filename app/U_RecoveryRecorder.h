#pragma once

#include "app/U_NotesAndTrace.h"
#include "core/U_RecoveryFile.h"
#include "core/U_RecoveryJournal.h"

#include <QObject>
#include <QStringList>

#include <set>
#include <vector>

class QTimer;
class TNotesPad;
class TTraceGrid;

// Keeps the recovery journal in step with the notes pad and the trace grid: a moment after a
// change, what is not saved is in the journal, in one write per burst of changes; loads and
// saves start it anew. Nothing runs while nothing changes.
class TRecoveryRecorder : public QObject, public TNotesAndTraceListener
{
    Q_OBJECT
public:
    TRecoveryRecorder(TNotesPad& notes, TTraceGrid& grid, TRecoveryFile file = TRecoveryFile(),
                      int delayMs = 1000, QObject* parent = nullptr);
    ~TRecoveryRecorder() override;

    // Before, the journal a previous run left is not touched; from now on the journal follows
    // the pad and the trace.
    void Arm();
    // Writes what is pending now.
    void Flush();
    // The user answered the save question otherwise.
    void SaveDeclined();
    // The program ends: the journal goes when nothing is left unsaved or the user chose not to
    // save; otherwise it is brought up to date and stays for the next start.
    void ProgramClosing();

    // The lines of the pad its notes file filled at the last load or save.
    int NotesBaseFirst() const { return notesFirst; }
    int NotesBaseCount() const { return static_cast<int>(notesBase.size()); }
    const TRecoveryFile& File() const { return file; }

    void Loaded(bool traceRead) override;
    void SaveStarting() override;
    void Saved(bool notesSaved, bool traceSaved) override;

private:
    void NotesChanged();
    void RowsChanged(int first, int last);
    void TraceCleared();
    void Changed();
    void NotesFileLoaded(int firstLine, int lineCount);
    void RebaseTrace();
    // Rewrites the journal whole: the base, then everything unsaved, or nothing.
    void Restart();
    std::vector<quint64> PadSums(QStringList& lines) const;
    RecoveryJournal::TBase Base() const;
    RecoveryJournal::TRowsChange RowsChange(const std::set<int>& rows) const;

    TNotesPad& notes;
    TTraceGrid& grid;
    TRecoveryFile file;
    QTimer* timer;
    bool armed = false;
    bool journalEmpty = true;
    bool restartDue = false;
    bool notesPending = false;
    bool declined = false;
    int notesFirst = 0;
    std::vector<quint64> notesBase;
    std::vector<quint64> notesJournaled;
    RecoveryJournal::TStamp notesStamp;
    RecoveryJournal::TStamp traceStamp;
    std::set<int> rowsSinceBase;
    std::set<int> rowsSinceFlush;
};
