#pragma once

#include <QByteArray>
#include <QString>

// What a data file held when the program last read or wrote it (size, modification time and a
// checksum of its bytes), so that a rewrite from memory can tell that another program changed
// the file meanwhile.
class TFileStamp
{
public:
    // Nothing known: the file was neither read nor written yet.
    TFileStamp() = default;
    // `bytes`, just read from or written to `path`; the time is the file's own.
    static TFileStamp Of(const QString& path, const QByteArray& bytes);
    // What the file at `path` holds now, its bytes into `bytes` when given; absent when there is
    // no file, unknown when it cannot be read.
    static TFileStamp Current(const QString& path, QByteArray* bytes = nullptr);

    bool IsKnown() const { return known; }
    bool Exists() const { return exists; }
    // Same presence, size and checksum: the same bytes, whatever the times say.
    bool SameContent(const TFileStamp& other) const;
    // Without reading it: the file at `path` still has this stamp's size and time.
    bool LooksCurrent(const QString& path) const;

private:
    bool known = false;
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    size_t checksum = 0;
};

namespace FileStamp {

// The free name beside `path` for a version kept aside: its base name + "_modifié_" + the date
// and time + its extension ("Tarvelle_modifié_06-12-2026à14-05-33.txt"), with "_2", "_3" …
// before the extension when taken.
QString KeptAsidePath(const QString& path);

// Before `path` is rewritten from memory that matched `recorded`: when the file now holds
// something else, that version is copied under its kept-aside name, whose path `kept` receives
// (empty when nothing was kept). False, told, when the copy could not be made: the file must then
// stay as it is. Nothing is checked for an unknown stamp or a file that is absent or unreadable
// (the rewrite says why).
bool KeepOthersVersion(const QString& path, const TFileStamp& recorded, QString& kept);
// Tells the user in French where the version of `path` was kept; nothing when `kept` is empty.
// Said once the file is rewritten: a message waits for the user, and the file could change again
// meanwhile.
void TellKeptVersion(const QString& path, const QString& kept);

// Whether `a` and `b` name one file, also through a symbolic link or a second hard link; when
// either is missing, whether they name the same place.
bool SameFile(const QString& a, const QString& b);

} // namespace FileStamp
