#include "core/U_RecoveryFile.h"

#include "core/U_Glb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kName = QStringLiteral("Tarvelle.recup");

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A new name in a folder lasts a crash only once the folder itself is synced.
void SyncFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool MakePrivateFolder(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    return ::chmod(QFile::encodeName(folder).constData(), 0700) == 0;
}

bool RemoveIfThere(const QString& path)
{
    return !QFileInfo::exists(path) || QFile::remove(path);
}

qint64 NonEmptySince(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0 ? info.lastModified().toMSecsSinceEpoch() : -1;
}
} // namespace

TRecoveryFile::TRecoveryFile() : TRecoveryFile(PrimaryPath(), FallbackPath()) {}

TRecoveryFile::TRecoveryFile(QString primary, QString fallback)
    : primary(std::move(primary)), fallback(std::move(fallback))
{
}

QString TRecoveryFile::PrimaryPath()
{
    return AppFolder() + kName;
}

QString TRecoveryFile::FallbackPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tarvelle/") + kName;
}

bool TRecoveryFile::Append(const QByteArray& record)
{
    const QByteArray name = QFile::encodeName(Path());
    const bool existed = QFileInfo::exists(Path());
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat before = {};
    // The data and the new size reach the disk; the file's times need not.
    bool written = ::fstat(fd, &before) == 0 && WriteAll(fd, record) && ::fdatasync(fd) == 0;
    // A record left half written would hide every record appended after it.
    if (!written && before.st_size >= 0 && ::ftruncate(fd, before.st_size) == 0)
        ::fdatasync(fd);
    ::close(fd);
    if (written && !existed)
        SyncFolder(Path());
    return written;
}

bool TRecoveryFile::Replace(const QByteArray& content)
{
    if (content.isEmpty()) {
        const bool primaryRemoved = RemoveIfThere(primary);
        const bool removed = RemoveIfThere(fallback) && primaryRemoved;
        fallbackInUse = false;
        return removed;
    }
    if (ReplaceAt(primary, content)) {
        fallbackInUse = false;
        RemoveIfThere(fallback);
        return true;
    }
    if (!MakePrivateFolder(fallback) || !ReplaceAt(fallback, content))
        return false;
    fallbackInUse = true;
    // What the program's folder still holds is older than this.
    RemoveIfThere(primary);
    return true;
}

bool TRecoveryFile::ReplaceAt(const QString& path, const QByteArray& content)
{
    const QString temporary = path + QStringLiteral(".tmp");
    const QByteArray name = QFile::encodeName(temporary);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, content) && ::fdatasync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(name.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(name.constData());
        return false;
    }
    SyncFolder(path);
    return true;
}

QString TRecoveryFile::Found() const
{
    const qint64 inPrimary = NonEmptySince(primary);
    const qint64 inFallback = NonEmptySince(fallback);
    if (inPrimary < 0 && inFallback < 0)
        return QString();
    return inFallback > inPrimary ? fallback : primary;
}

void TRecoveryFile::RemoveTemporaries() const
{
    for (const QString& path : {primary, fallback})
        RemoveIfThere(path + QStringLiteral(".tmp"));
}

QString TRecoveryFile::KeepAside(const QString& found) const
{
    const QFileInfo info(found);
    QString kept;
    for (int n = 1; kept.isEmpty() || QFileInfo::exists(kept); ++n)
        kept = info.absolutePath() + QStringLiteral("/Tarvelle_recup_") + DateTimeStamp() +
               (n > 1 ? QStringLiteral("_%1").arg(n) : QString()) + QStringLiteral(".recup");
    return QFile::rename(found, kept) ? kept : QString();
}
