#include "app/F_FragmSettings.h"

#include "app/F_Fragm.h"
#include "app/F_FragmMenus.h"
#include "app/U_Autostart.h"
#include "app/U_Constantes.h"
#include "app/U_Dialogs.h"
#include "app/U_Positions.h"
#include "platform/U_Platform.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_FlatButton.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

TFragmSettings::TFragmSettings(TfrmFragm* owner)
    : QObject(owner), window(owner), ui(owner->ui), menus(owner->menus)
{
    ConnectMenus();
    ConnectButtons();
}

void TFragmSettings::Load()
{
    values = TSettingsValues{};
    if (!LoadSettings(SettingsPath(), values, Platform().ScreenGeometry().size(), window->size()))
        ShowPlainMessage(SettingsLoadMessage());
    window->move(values.mainLeft, values.mainTop);
    StoreSettingsInGlb(values);
    ApplyToMenus();
    if (DefaultPositionsWanted(values))
        window->move(ApplyDefaultPositions());
}

void TFragmSettings::ApplyToMenus()
{
    TGlbState& g = Glb();
    menus->clipB_mnu->setChecked(g.ClipboardCapture = values.clipB_mnu);
    menus->noRepeatClpB->setChecked(g.NoRepeatOnCopy = values.noRepeatClpB);
    menus->SVG_Mode->setChecked(g.SaveOnNewNote = values.SVG_Mode);
    menus->AjoutHRE->setChecked(g.AddHourOnEntry = values.AjoutHRE);
    menus->timeOnRecording->setChecked(values.timeOnRecording);
    menus->affichDown->setChecked(g.PageToDown = values.affichDown);
    menus->posDft->setChecked(values.posDft);
    menus->SVG_Auto->setChecked(g.AutoSaveWhileTracing = values.SVG_Auto);
    menus->mnuLanceTraceur->setChecked(g.StartTracer = values.startTracer);
    menus->mnuDistinctFiles->setChecked(g.DistinctFiles = values.distinctFiles);
    g.SavedDistinctFiles = values.distinctFiles;
    menus->mnuIconStart->setChecked(values.StartAsIcon);
    // "Positionnement par défaut" acts once: its check mark is never read back.
    menus->mnuPosByDef->setChecked(false);
}

void TFragmSettings::GatherFromWindows()
{
    TakeSettingsFromGlb(values);
    values.clipB_mnu = menus->clipB_mnu->isChecked();
    values.noRepeatClpB = menus->noRepeatClpB->isChecked();
    values.SVG_Mode = menus->SVG_Mode->isChecked();
    values.AjoutHRE = menus->AjoutHRE->isChecked();
    values.timeOnRecording = menus->timeOnRecording->isChecked();
    values.affichDown = menus->affichDown->isChecked();
    values.posDft = menus->posDft->isChecked();
    values.SVG_Auto = menus->SVG_Auto->isChecked();
    values.mnuPosByDef = menus->mnuPosByDef->isChecked();
    values.startTracer = Glb().StartTracer;
    values.savedDistinctFiles = Glb().SavedDistinctFiles;
    values.mainLeft = window->x();
    values.mainTop = window->y();
    // A window never placed this run keeps the position it was given at start.
    const QWidget* tracer = window->TracerWindow();
    const bool tracerPlaced = tracer && !Glb().TracerWindowPending;
    values.TracerLeft = tracerPlaced ? tracer->x() : Glb().TracerLeft;
    values.TracerTop = tracerPlaced ? tracer->y() : Glb().TracerTop;
    const QWidget* notes = window->NotesEditor();
    const bool notesPlaced = notes && !Glb().EditorFirstShowPending;
    values.NotesLeft = notesPlaced ? notes->x() : Glb().NotesLeft;
    values.NotesTop = notesPlaced ? notes->y() : Glb().NotesTop;
}

void TFragmSettings::Save()
{
    GatherFromWindows();
    SaveSettingsAtClose(SettingsPath(), values);
}

void TFragmSettings::ToggleFlag(QAction* item, bool& flag, bool marksDirty)
{
    connect(item, &QAction::toggled, this, [&flag, marksDirty](bool checked) {
        flag = checked;
        if (marksDirty)
            Glb().SettingsDirty = true;
    });
}

void TFragmSettings::ConnectMenus()
{
    TGlbState& g = Glb();
    ToggleFlag(menus->clipB_mnu, g.ClipboardCapture);
    ToggleFlag(menus->noRepeatClpB, g.NoRepeatOnCopy);
    ToggleFlag(menus->SVG_Mode, g.SaveOnNewNote);
    ToggleFlag(menus->AjoutHRE, g.AddHourOnEntry);
    ToggleFlag(menus->affichDown, g.PageToDown);
    ToggleFlag(menus->SVG_Auto, g.AutoSaveWhileTracing);
    ToggleFlag(menus->exclureExplorerTrace, g.ExcludeExplorer);
    ToggleFlag(menus->mnuIconStart, g.StartAsIcon, true);
    ToggleFlag(menus->mnuLanceTraceur, g.StartTracer, true);
    // Both the mode of the next sample and the value saved follow the item.
    ToggleFlag(menus->mnuDistinctFiles, g.DistinctFiles, true);
    ToggleFlag(menus->mnuDistinctFiles, g.SavedDistinctFiles);
    connect(menus->posDft, &QAction::triggered, this, [](bool checked) { PosDftClicked(checked); });
    connect(menus->mnuFragmOpen, &QAction::triggered, this, &TFragmSettings::mnuFragmOpenClick);
}

void TFragmSettings::ConnectButtons()
{
    connect(ui.spdAncrMnem, &TFlatButton::Click, this,
            []() { Glb().EditorAnchored = !Glb().EditorAnchored; });
    connect(ui.spdEpaType, &TFlatButton::Click, this, [this]() {
        const bool left = ui.calendMem->DropDownSide() == TDateEdit::TSide::Left;
        ui.calendMem->SetDropDownSide(left ? TDateEdit::TSide::Right : TDateEdit::TSide::Left);
    });
}

void TFragmSettings::CheckAutostart()
{
    menus->mnuFragmOpen->setChecked(RunEntryExists(Constantes::AppTitle));
}

void TFragmSettings::mnuFragmOpenClick(bool checked)
{
    QString error;
    const bool done =
        checked ? AddRunEntry(Constantes::AppTitle, QCoreApplication::applicationFilePath(), &error)
                : RemoveRunEntry(Constantes::AppTitle, &error);
    if (done)
        return;
    // The check mark must not claim what did not happen.
    CheckAutostart();
    ShowPlainMessage(error);
}

void TFragmSettings::DockEditor()
{
    QWidget* notes = window->NotesEditor();
    if (!notes)
        return;
    const TDockPlacement place =
        DockEditorPlacement(window->geometry(), notes->width(), Platform().ScreenGeometry());
    notes->move(place.editor);
    ui.calendMem->SetDropDownSide(place.calendarSide == TCalendarSide::Left
                                      ? TDateEdit::TSide::Left
                                      : TDateEdit::TSide::Right);
    notes->update();
    notes->show();
}
