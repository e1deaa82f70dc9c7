#pragma once

#include "core/U_FileStamp.h"

#include <QObject>

class QWidget;
struct TFragmControls;
class TFragmMenus;

// The main window's settings: read from the settings file at start, the window positions and
// the start-at-login entry, written back at closing.
class TFragmSettings : public QObject
{
    Q_OBJECT
public:
    TFragmSettings(QWidget* window, TFragmControls& ui, TFragmMenus& menus);

    // Reads the settings file into the options and the positions, and shows them.
    void Load();
    // Writes the settings file when something asks for it.
    void Save(const QWidget* notesEditor, const QWidget* tracerWindow);
    // The settings as a session end would leave them, the colours not confirmed left out; the
    // closing later still writes what it must.
    void SaveForSession(const QWidget* notesEditor, const QWidget* tracerWindow);
    // The start-at-login check mark shows what the desktop really has.
    void CheckAutostart();
    // Places the notes editor beside the main window and shows it.
    void DockEditor(QWidget* notesEditor);

private:
    void TakePlaces(const QWidget* notesEditor, const QWidget* tracerWindow);
    // False when the settings file could not all be read and could not be kept either: it
    // must then not be rewritten.
    bool KeepUnreadOriginal();
    void ConnectButtons();
    void mnuFragmOpenClick(bool checked);

    QWidget* window;
    TFragmControls& ui;
    TFragmMenus& menus;
    // The load stopped at a line it could not read: the file is kept before it is rewritten.
    bool unreadPending = false;
    bool rewriteWhole = false;
    // What the settings file held when last read or written.
    TFileStamp stamp;
};
