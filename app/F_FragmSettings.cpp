#include "app/F_FragmSettings.h"

#include "app/F_FragmControls.h"
#include "app/F_FragmMenus.h"
#include "app/U_Autostart.h"
#include "app/U_Settings.h"
#include "core/U_Constantes.h"
#include "core/U_Dialogs.h"
#include "core/U_Positions.h"
#include "platform/U_Platform.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_FlatButton.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

TFragmSettings::TFragmSettings(QWidget* owner, TFragmControls& controls, TFragmMenus& menuItems)
    : QObject(owner), window(owner), ui(controls), menus(menuItems)
{
    ConnectButtons();
    connect(menus.posDft, &QAction::triggered, this, [](bool checked) { PosDftClicked(checked); });
    connect(menus.mnuFragmOpen, &QAction::triggered, this, &TFragmSettings::mnuFragmOpenClick);
}

void TFragmSettings::Load()
{
    TLoadedPlace place;
    const bool complete = LoadSettings(SettingsPath(), Glb(), place,
                                       Platform().ScreenGeometry().size(), window->size(), &stamp);
    unreadPending = !complete && QFileInfo::exists(SettingsPath());
    // Kept at once, so that the message says where the options not read can be found.
    const QString kept = unreadPending ? KeepSettingsOriginal(SettingsPath()) : QString();
    if (!kept.isEmpty()) {
        unreadPending = false;
        rewriteWhole = true;
    }
    if (!complete)
        ShowPlainMessage(SettingsLoadMessage(kept));
    window->move(place.main);
    // "Positionnement par défaut" acts once: its check mark is never read back.
    Glb().Options.PositionsByDefault = false;
    menus.ShowOptions();
    if (DefaultPositionsWanted(place))
        window->move(ApplyDefaultPositions());
}

void TFragmSettings::Save(const QWidget* notes, const QWidget* tracer)
{
    TakePlaces(notes, tracer);
    if ((Glb().SettingsDirty || Glb().ColoursChanged) && KeepUnreadOriginal()) {
        // A file kept for its unread lines is written whole again, so that it reads next time.
        Glb().ColoursChanged = Glb().ColoursChanged || rewriteWhole;
        SaveSettingsAtClose(SettingsPath(), window->pos(), &stamp);
    }
}

void TFragmSettings::SaveForSession(const QWidget* notes, const QWidget* tracer)
{
    TakePlaces(notes, tracer);
    if (Glb().SettingsDirty && KeepUnreadOriginal())
        SaveSettings(SettingsPath(), Glb(), window->pos(), rewriteWhole, Glb().SavePositions,
                     &stamp);
}

void TFragmSettings::TakePlaces(const QWidget* notes, const QWidget* tracer)
{
    TGlbState& g = Glb();
    // A window never placed this run keeps the position it was given at start.
    if (tracer && !g.TracerWindowPending) {
        g.TracerLeft = tracer->x();
        g.TracerTop = tracer->y();
    }
    if (notes && !g.EditorFirstShowPending) {
        g.NotesLeft = notes->x();
        g.NotesTop = notes->y();
    }
}

bool TFragmSettings::KeepUnreadOriginal()
{
    if (!unreadPending || !QFileInfo::exists(SettingsPath())) {
        unreadPending = false;
        return true;
    }
    const QString kept = KeepSettingsOriginal(SettingsPath());
    if (kept.isEmpty())
        return false;
    unreadPending = false;
    rewriteWhole = true;
    ShowPlainMessage(QStringLiteral("ConfigMnemo.ini n'a pas pu être lu en entier : le fichier "
                                    "d'origine est conservé sous ") +
                     kept);
    return true;
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
    menus.mnuFragmOpen->setChecked(RunEntryExists(Constantes::AppTitle));
}

void TFragmSettings::mnuFragmOpenClick(bool checked)
{
    QString error;
    // The copy started at login uses the same files as this one.
    const QString dataFolder = qEnvironmentVariableIsSet("TARVELLE_HOME") ? AppFolder() : QString();
    const bool done = checked
                          ? AddRunEntry(Constantes::AppTitle,
                                        QCoreApplication::applicationFilePath(), &error, dataFolder)
                          : RemoveRunEntry(Constantes::AppTitle, &error);
    if (done)
        return;
    // The check mark must not claim what did not happen.
    CheckAutostart();
    ShowPlainMessage(error);
}

void TFragmSettings::DockEditor(QWidget* notes)
{
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
