#include "core/U_FileStamp.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <sys/stat.h>

namespace {
// A 64-bit hash tells a change as surely as a cryptographic one would here, at a small
// fraction of the cost of the read itself.
size_t Checksum(const QByteArray& bytes)
{
    return qHash(QByteArrayView(bytes), 0);
}

bool StatOf(const QString& path, struct stat& info)
{
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

qint64 ModifiedNs(const struct stat& info)
{
    return static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}
} // namespace

TFileStamp TFileStamp::Of(const QString& path, const QByteArray& bytes)
{
    TFileStamp stamp;
    stamp.known = true;
    stamp.exists = true;
    stamp.size = bytes.size();
    stamp.checksum = Checksum(bytes);
    struct stat info = {};
    if (StatOf(path, info))
        stamp.modifiedNs = ModifiedNs(info);
    return stamp;
}

TFileStamp TFileStamp::Current(const QString& path, QByteArray* bytes)
{
    struct stat info = {};
    if (!StatOf(path, info)) {
        TFileStamp absent;
        absent.known = errno == ENOENT;
        return absent;
    }
    QByteArray read;
    if (!TextFile::ReadBytes(path, read))
        return TFileStamp();
    TFileStamp stamp = Of(path, read);
    if (bytes)
        *bytes = std::move(read);
    return stamp;
}

bool TFileStamp::SameContent(const TFileStamp& other) const
{
    if (exists != other.exists)
        return false;
    return !exists || (size == other.size && checksum == other.checksum);
}

bool TFileStamp::LooksCurrent(const QString& path) const
{
    struct stat info = {};
    if (!StatOf(path, info))
        return known && !exists;
    return exists && info.st_size == size && ModifiedNs(info) == modifiedNs;
}

namespace FileStamp {

QString KeptAsidePath(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    const QString base = file.dir().filePath(file.completeBaseName() + QStringLiteral("_modifié_") +
                                             DateTimeStamp());
    QString kept = base + suffix;
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = base + QStringLiteral("_%1").arg(n) + suffix;
    return kept;
}

bool KeepOthersVersion(const QString& path, const TFileStamp& recorded, QString& kept)
{
    kept.clear();
    if (!recorded.IsKnown())
        return true;
    QByteArray bytes;
    const TFileStamp now = TFileStamp::Current(path, &bytes);
    if (!now.IsKnown() || !now.Exists() || now.SameContent(recorded))
        return true;
    const QString copy = KeptAsidePath(path);
    QString error;
    if (!TextFile::ReplaceBytes(copy, bytes, &error)) {
        ShowPlainMessage(QFileInfo(path).fileName() +
                         QStringLiteral(" a été modifié par un autre programme, et sa version n'a "
                                        "pas pu être mise de côté (") +
                         error + QStringLiteral(") : il n'est pas remplacé."));
        return false;
    }
    kept = copy;
    return true;
}

void TellKeptVersion(const QString& path, const QString& kept)
{
    if (kept.isEmpty())
        return;
    ShowPlainMessage(QFileInfo(path).fileName() +
                     QStringLiteral(" avait été modifié par un autre programme : cette version "
                                    "est conservée sous ") +
                     kept + u'.');
}

namespace {
QString PlaceOf(const QString& path)
{
    const QFileInfo file(path);
    const QString folder = file.dir().canonicalPath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}
} // namespace

bool SameFile(const QString& a, const QString& b)
{
    struct stat first = {}, second = {};
    if (StatOf(a, first) && StatOf(b, second))
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return PlaceOf(a) == PlaceOf(b);
}

} // namespace FileStamp
