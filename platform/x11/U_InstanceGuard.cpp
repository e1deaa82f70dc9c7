#include "platform/x11/U_InstanceGuard.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

TInstanceGuard::TInstanceGuard(QString runtime, QString temporary)
    : runtimeFolder(std::move(runtime)), temporaryFolder(std::move(temporary))
{
}

QString TInstanceGuard::PrivateFolderIn(const QString& temporary)
{
    const QString folder = QDir(temporary).filePath(QStringLiteral("Tarvelle-%1").arg(geteuid()));
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) == 0)
        ::chmod(name.constData(), 0700); // whatever the umask
    // lstat: a link there could lead anywhere, even into a folder of the user's.
    struct stat info = {};
    const bool own = ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
                     info.st_uid == geteuid() && (info.st_mode & 077) == 0;
    return own ? folder : QString();
}

QString TInstanceGuard::SocketName(const QString& name) const
{
    // Runtime folders are per user already; the uid keeps fallbacks apart too.
    return QDir(folder).filePath(name + QStringLiteral("-%1.sock").arg(getuid()));
}

TPlatform::TInstanceClaim TInstanceGuard::Claim(const QString& name, const QString& fallbackFolder)
{
    const QString first =
        runtimeFolder.isEmpty() ? PrivateFolderIn(temporaryFolder) : runtimeFolder;
    const TPlatform::TInstanceClaim claim = ClaimIn(name, first);
    // Without any lock, copies would run side by side on the same files.
    if (claim != TPlatform::TInstanceClaim::Unavailable || fallbackFolder.isEmpty())
        return claim;
    return ClaimIn(name, fallbackFolder);
}

TPlatform::TInstanceClaim TInstanceGuard::ClaimIn(const QString& name, const QString& lockFolder)
{
    folder = lockFolder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return TPlatform::TInstanceClaim::Unavailable;
    lock = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
    // No age limit: a lock is stale only when the copy that wrote it no longer runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        const bool held = lock->error() == QLockFile::LockFailedError;
        lock.reset();
        return held ? TPlatform::TInstanceClaim::AlreadyRunning
                    : TPlatform::TInstanceClaim::Unavailable;
    }
    return TPlatform::TInstanceClaim::First;
}

void TInstanceGuard::Listen(const QString& name, std::function<void()> onCalled)
{
    if (!lock)
        return;
    server = std::make_unique<TCallSocket>(std::move(onCalled));
    if (!server->Listen(SocketName(name)))
        server.reset(); // runs alone, just cannot be called
}

bool TInstanceGuard::Call(const QString& name) const
{
    return TCallSocket::Call(SocketName(name));
}
