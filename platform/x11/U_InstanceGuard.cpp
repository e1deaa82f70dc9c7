#include "platform/x11/U_InstanceGuard.h"

#include <QDir>

#include <unistd.h>

TInstanceGuard::TInstanceGuard(QString runtime) : runtimeFolder(std::move(runtime)) {}

QString TInstanceGuard::SocketName(const QString& name) const
{
    // Runtime folders are per user already; the uid keeps /tmp fallbacks apart too.
    return QDir(folder).filePath(name + QStringLiteral("-%1.sock").arg(getuid()));
}

TPlatform::TInstanceClaim TInstanceGuard::Claim(const QString& name, const QString& fallbackFolder)
{
    const TPlatform::TInstanceClaim claim = ClaimIn(name, runtimeFolder);
    // Without any lock, copies would run side by side on the same files.
    if (claim != TPlatform::TInstanceClaim::Unavailable || fallbackFolder.isEmpty())
        return claim;
    return ClaimIn(name, fallbackFolder);
}

TPlatform::TInstanceClaim TInstanceGuard::ClaimIn(const QString& name, const QString& lockFolder)
{
    folder = lockFolder;
    if (!QDir().mkpath(folder))
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
