#pragma once

#include "app/U_Settings.h"

#include <QObject>

class QAction;
class TfrmFragm;
struct TFragmControls;
class TFragmMenus;

// The main window's options: read from the settings file at start, changed by the menu
// items and buttons, placed windows and the start-at-login entry, written back at closing.
class TFragmSettings : public QObject
{
    Q_OBJECT
public:
    explicit TFragmSettings(TfrmFragm* window);

    // Reads the settings file and applies it to the flags, the menu and the positions.
    void Load();
    // Writes the settings file when something asks for it.
    void Save();
    // The start-at-login check mark shows what the desktop really has.
    void CheckAutostart();
    // Places the notes editor beside the main window and shows it.
    void DockEditor();

    const TSettingsValues& Values() const { return values; }

private:
    void ApplyToMenus();
    void GatherFromWindows();
    void ConnectMenus();
    void ConnectButtons();
    void ToggleFlag(QAction* item, bool& flag, bool marksDirty = false);
    void mnuFragmOpenClick(bool checked);

    TfrmFragm* window;
    TFragmControls& ui;
    TFragmMenus* menus;
    TSettingsValues values;
};
