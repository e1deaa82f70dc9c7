#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole-file reads and writes of the program's text files, through the one codec. Only
// regular files are read or written (a symbolic link to one is followed): a FIFO or a device
// in a file's place is refused rather than left to block the program or be replaced. A file
// made here is its user's alone (0600), whatever the umask; a file replaced keeps its mode.
// `error` receives the reason of a failure in French ("disque plein", …), without the path.
namespace TextFile {

// Reads the whole file with one read; false with `error` set when it cannot be read.
bool Read(const QString& path, QString& text, QString* error = nullptr);
bool ReadLines(const QString& path, QStringList& lines, QString* error = nullptr);
// The file's bytes as they are, with one read.
bool ReadBytes(const QString& path, QByteArray& bytes, QString* error = nullptr);

// Replaces the file as a whole: either the new content is there completely or the old
// file is left untouched. A file or folder that grants no write permission is never changed,
// even by root. A symbolic link stays: the file it points to is replaced.
bool Replace(const QString& path, const QString& text, QString* error = nullptr);
bool ReplaceLines(const QString& path, const QStringList& lines, QString* error = nullptr);
// The same with bytes already encoded, written as they are.
bool ReplaceBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Appends whole lines in one write. A last line left without its line end gets one first,
// in the same write, so that no line is ever joined to another. A file that grants no write
// permission is left as it is, as a replace leaves it.
bool AppendLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Replaces the file as a whole through a temporary file of the given name made beside it
// (beside the file a link points to): written, synced to disk, then renamed over the file, so
// that the file is at every moment the old one or the new one. On failure the temporary is
// removed and the file left as it was; a file that grants no write permission is never
// replaced.
bool ReplaceThrough(const QString& path, const QString& temporaryName, const QString& text,
                    QString* error = nullptr);
// Removes the file; one that grants no write permission stays, as a replace leaves it.
bool Remove(const QString& path, QString* error = nullptr);

// Copies the bytes of a file to a new file `to`, as they are.
bool Copy(const QString& from, const QString& to, QString* error = nullptr);

// Removes what a replace killed before its end left of these files: the temporaries beside
// each, beside the file a link points to as well.
void RemoveLeftovers(const QStringList& paths);

// A new empty file beside `path` (beside the file a link points to), for the user alone, under
// a name RemoveLeftovers takes for a temporary of `path`; empty when it cannot be made.
QString MakeTemporary(const QString& path, QString* error = nullptr);

// Makes the folder and every missing folder above it, each for the user alone (0700); a folder
// that exists already is left as it is.
bool MakeFolder(const QString& path, QString* error = nullptr);

} // namespace TextFile
