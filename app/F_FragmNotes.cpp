#include "app/F_FragmNotes.h"

#include "app/F_FragmControls.h"
#include "app/F_FragmMenus.h"
#include "app/F_FragmSettings.h"
#include "app/U_NotesAndTrace.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_DroppedFiles.h"
#include "notes/U_NotesPad.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FileNameEdit.h"
#include "toolkit/C_FlatButton.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

TFragmNotes::TFragmNotes(TNotesPad& pad, TTraceData& traced, TFragmControls& controls,
                         TFragmMenus& menuItems, TFragmSettings& windowSettings, QWidget* window)
    : QObject(window), notes(pad), trace(traced), ui(controls), menus(menuItems),
      settings(windowSettings)
{
    ui.edtMnemo->installEventFilter(this);
    connect(ui.calendMem, &TDateEdit::Change, this, &TFragmNotes::calendMemChange);
    connect(ui.calendMem, &TDateEdit::DblClick, this, [this]() {
        LoadWhenNeeded();
        notes.AddNotesEntry(ui.calendMem->Text());
    });
    // The time as a line of its own, without loading first.
    connect(ui.rxClocker, &TDigitalClock::Click, this,
            [this]() { notes.AppendLine(CurrentTimeText()); });
    connect(ui.spdContener, &TFlatButton::Click, this, &TFragmNotes::spdContenerClick);
    connect(ui.NewMnemo, &QAction::triggered, this, &TFragmNotes::NewMnemoExecute);
    connect(menus.newMne, &QAction::triggered, ui.NewMnemo, &QAction::trigger);
    ConnectOptions();
}

void TFragmNotes::SetEditor(TfrmMnememo* notesEditor)
{
    editor = notesEditor;
}

void TFragmNotes::ConnectOptions()
{
    // The capture's option and its check mark stay in step; no-repeat only means something
    // while capturing.
    connect(menus.clipB_mnu, &QAction::toggled, menus.noRepeatClpB, &QAction::setEnabled);
    menus.noRepeatClpB->setEnabled(menus.clipB_mnu->isChecked());
    connect(menus.affichDown, &QAction::triggered, this, [this](bool checked) {
        if (checked && editor && editor->isVisible() && !editor->isMinimized())
            editor->FormShow();
    });
}

void TFragmNotes::LoadWhenNeeded()
{
    if (!Glb().DataLoaded)
        LoadNotesAndTrace(notes, trace);
}

bool TFragmNotes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui.edtMnemo)
        return false;
    if (TakeDroppedFiles(event))
        return true;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Enter();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        LoadWhenNeeded();
        if (!ui.edtMnemo->text().isEmpty())
            notes.AddNotesEntry(ui.edtMnemo->text());
    }
    return false;
}

// Files dropped on the subject box are the main window's drop, not a text for the box: their
// full paths go into the pad.
bool TFragmNotes::TakeDroppedFiles(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!AcceptsDrop(drop->mimeData()))
        return false;
    if (type == QEvent::Drop)
        AddDroppedFiles(notes, drop->mimeData()->urls());
    drop->acceptProposedAction();
    return true;
}

void TFragmNotes::Enter()
{
    LoadWhenNeeded();
    notes.AddNotesEntry(ui.edtMnemo->text());
    ui.edtMnemo->clear();
}

void TFragmNotes::calendMemChange()
{
    // Only the calendar's button shows until a date is picked; then the date is readable.
    ui.calendMem->resize(74, ui.calendMem->height());
    ui.edtMnemo->setFocus();
}

void TFragmNotes::spdContenerClick()
{
    if (!editor)
        return;
    if (editor->isVisible() && !Glb().ShowNotesAtStart) {
        editor->hide();
    } else if (Glb().EditorAnchored) {
        // Only a pad never loaded is loaded here: a loaded pad whose first line is blank
        // must not get the file a second time.
        LoadWhenNeeded();
        settings.DockEditor(editor);
    } else {
        if (Glb().EditorFirstShowPending) {
            Glb().EditorFirstShowPending = false;
            editor->positForm();
        }
        editor->show();
    }
    Glb().NotesVisible = editor->isVisible();
}

void TFragmNotes::NewMnemoExecute()
{
    if (Glb().Modified)
        ui.Recording->trigger();
    // Another file shown: back to the default file first, then the default file's own
    // question and backup, so that it is never removed without them.
    if (!notes.DefaultNotesInUse()) {
        SaveNotesAndTrace(notes, trace);
        notes.Clear();
        ui.rxFE->SetFileName(QString());
        notes.UseDefaultFile();
        LoadNotesAndTrace(notes, trace);
    }
    const bool backup = Glb().Options.SaveOnNewNote;
    if (AskQuestion(backup ? QStringLiteral("Sauvegarder le fichier actuel ?")
                           : QStringLiteral("Sauvegarde désactivée..."),
                    0, 0xFFFFFF, 0, 10, 250, 55, QStringLiteral("    O K    "),
                    QStringLiteral("Annuler")) != 1)
        return;
    if (backup) {
        // Without its copy the old file is never removed.
        const QString kept = notes.BackupNotesFile();
        if (kept.isEmpty())
            return;
        MakeShortcutWhenAsked(kept);
    }
    StartNewNotesFile();
}

void TFragmNotes::StartNewNotesFile()
{
    // Empties the pad as well.
    notes.RemoveDefaultFile();
    LoadNotesAndTrace(notes, trace);
}
