#include "app/F_FragmFiles.h"

#include "app/F_FragmControls.h"
#include "app/U_NotesAndTrace.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"
#include "toolkit/C_FileNameEdit.h"
#include "toolkit/C_FlatButton.h"

#include <QAction>
#include <QTimer>

TFragmFiles::TFragmFiles(TNotesPad& pad, TTraceData& traced, TFragmControls& controls,
                         QObject* parent)
    : QObject(parent), notes(pad), trace(traced), ui(controls)
{
    connect(ui.spdGstFiles, &TFlatButton::Click, this, &TFragmFiles::spdGstFilesClick);
    connect(ui.timerFilename, &QTimer::timeout, this, &TFragmFiles::timerFilenameTimer);
    connect(ui.rxFE, &TFileNameEdit::AfterDialog, this, &TFragmFiles::rxFEAfterDialog);
}

void TFragmFiles::spdGstFilesClick()
{
    ui.spdGstFiles->hide();
    ui.rxFE->SetFileName(QString());
    if (notes.DefaultNotesInUse())
        ui.rxFE->show();
    else
        SwitchToDefaultNotes();
    ui.timerFilename->start();
}

void TFragmFiles::timerFilenameTimer()
{
    // The dialog is offered for two seconds; one opened meanwhile is handled when it closes.
    ui.rxFE->hide();
    ui.spdGstFiles->show();
    ui.timerFilename->stop();
}

void TFragmFiles::rxFEAfterDialog(const QString& fileName, bool accepted)
{
    if (accepted && !fileName.isEmpty())
        OpenOtherNotesFile(fileName);
    ui.spdGstFiles->show();
    ui.rxFE->hide();
}

void TFragmFiles::OpenOtherNotesFile(const QString& path)
{
    SaveNotesAndTrace(notes, trace);
    // A file that is no text is refused (and said so): the default file stays.
    if (!notes.UseOtherFile(path))
        return;
    notes.Clear();
    LoadNotesAndTrace(notes, trace);
}

void TFragmFiles::SwitchToDefaultNotes()
{
    if (Glb().Modified)
        ui.Recording->trigger();
    notes.UseDefaultFile();
    notes.Clear();
    LoadNotesAndTrace(notes, trace);
    ShowMessageWindow(QStringLiteral("Tarvelle.txt rechargé"), 0xFFFFFF, 0, 1200, 18, 0, 0);
}
