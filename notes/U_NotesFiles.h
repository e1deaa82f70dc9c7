#pragma once

#include <QByteArray>
#include <QString>

// The notes pad's dealings with files on disk that need none of its state: where the default
// file is, which files may be shown, and the messages that go with them.
namespace NotesFiles {

// AppFolder + "Tarvelle.txt".
QString DefaultPath();
// A file that could not be read, told in French (text + " KO").
void TellUnread(const QString& path, const QString& error);
// Reads another file to show; false, told, when it cannot be read or is not text (NUL bytes).
bool ReadShowable(const QString& path, QByteArray& bytes);
// True, told, when `path` is one of the program's own data files, by any path or link.
bool TellOwnDataFile(const QString& path);
// Renames `from` to `to`; false with the French reason in `error`.
bool MoveFile(const QString& from, const QString& to, QString* error);

} // namespace NotesFiles
