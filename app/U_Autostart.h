#pragma once

#include <QString>

// The per-user autostart entry that makes the desktop session start the program at login:
// $XDG_CONFIG_HOME/autostart/<name>.desktop (~/.config when the variable is unset or not
// absolute). Failures are reported by a false result and a French reason for the user,
// never by an exception, so that the caller can put its check mark back and say why.

// The file of the entry `name`.
QString AutostartEntryPath(const QString& name);

// True when the file of that exact name (case counts) is an entry the session would start:
// a Desktop Entry group with an Exec command, neither Hidden=true nor disabled.
bool RunEntryExists(const QString& name);

// Writes the entry that starts the executable at `path`, replacing any former one whole. With
// a `dataFolder`, the program started at login is told to use that folder (TARVELLE_HOME).
bool AddRunEntry(const QString& name, const QString& path, QString* error = nullptr,
                 const QString& dataFolder = {});

// Deletes the entry; true without doing anything when there is none.
bool RemoveRunEntry(const QString& name, QString* error = nullptr);

// One Exec argument as the Desktop Entry rules want it in the file: double-quoted with
// `"`, `` ` ``, `$` and `\` backslash-escaped, `%` doubled, then escaped as a string value.
QString DesktopExecArgument(const QString& argument);
