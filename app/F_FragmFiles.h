#pragma once

#include <QObject>

class TNotesPad;
class TTraceData;
struct TFragmControls;

// The main window's file management: another text file shown in the notes pad through a
// file dialog offered for two seconds, and the way back to the default notes file.
class TFragmFiles : public QObject
{
    Q_OBJECT
public:
    TFragmFiles(TNotesPad& notes, TTraceData& trace, TFragmControls& ui, QObject* parent);

    void spdGstFilesClick();
    void timerFilenameTimer();
    void rxFEAfterDialog(const QString& fileName, bool accepted);
    void OpenOtherNotesFile(const QString& path);
    void SwitchToDefaultNotes();

private:
    TNotesPad& notes;
    TTraceData& trace;
    TFragmControls& ui;
};
