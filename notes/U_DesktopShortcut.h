#pragma once

#include <QString>

// Desktop shortcuts to the program's files: freedesktop link files in the user's desktop
// folder, which the usual desktops show as icons that open the file.

// The user's desktop folder: what `xdg-user-dir DESKTOP` answers, else $HOME/Desktop.
QString DesktopFolder();

// The shortcut's file name without ".desktop": the target's file name without its last four
// characters (Traceur.csv gives Traceur).
QString ShortcutName(const QString& target);

// The link file's text for `target`, a path to a file.
QByteArray ShortcutText(const QString& target);

// Writes (or replaces as a whole) the desktop shortcut to `target`. False, with a French text
// in `error`, when the desktop folder is missing or the file cannot be written.
bool MakeDesktopShortcut(const QString& target, QString* error = nullptr);
