#include "tracer/U_PdfFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PdfFile {

namespace {
const QString kTemporarySuffix = QStringLiteral(".tarvelle-tmp");
const QByteArray kEndMark = QByteArrayLiteral("%%EOF");
const QByteArray kStartXref = QByteArrayLiteral("startxref");
constexpr qsizetype kTrailerRoom = 64;

// Synced so that a disk that fills only when the data is flushed is seen now.
bool Synced(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// Only a regular file is read: no device put in the temporary's place.
bool ReadWhole(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).isSymLink() || !file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}
} // namespace

QString TemporaryFor(const QString& path)
{
    return path + kTemporarySuffix;
}

void RemoveLeftovers(const QString& folder)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.pdf") + kTemporarySuffix}, QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        QFile::remove(dir.filePath(name));
}

bool IsWhole(const QByteArray& bytes)
{
    if (!bytes.startsWith("%PDF-"))
        return false;
    const QByteArray tail = bytes.right(kTrailerRoom).trimmed();
    if (!tail.endsWith(kEndMark))
        return false;
    const qsizetype at = tail.lastIndexOf(kStartXref);
    if (at < 0)
        return false;
    bool ok = false;
    const QByteArray number = tail.mid(at + kStartXref.size()).chopped(kEndMark.size()).trimmed();
    const qsizetype offset = number.toLongLong(&ok);
    return ok && offset > 0 && bytes.mid(offset, 4) == "xref";
}

bool Commit(const QString& temporary, const QString& path)
{
    QByteArray bytes;
    // The trace's window titles are the user's alone, whatever the umask.
    const bool whole = ReadWhole(temporary, bytes) && IsWhole(bytes) &&
                       ::chmod(QFile::encodeName(temporary).constData(), 0600) == 0 &&
                       Synced(temporary);
    if (whole && ::rename(QFile::encodeName(temporary).constData(),
                          QFile::encodeName(path).constData()) == 0)
        return true;
    QFile::remove(temporary);
    return false;
}

} // namespace PdfFile
