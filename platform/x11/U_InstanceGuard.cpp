#include "platform/x11/U_InstanceGuard.h"

#include <QDir>

#include <unistd.h>

TInstanceGuard::TInstanceGuard(QString folder) : folder(std::move(folder)) {}

QString TInstanceGuard::SocketName(const QString& name) const
{
    // Runtime folders are per user already; the uid keeps /tmp fallbacks apart too.
    return QDir(folder).filePath(name + QStringLiteral("-%1.sock").arg(getuid()));
}

TPlatform::TInstanceClaim TInstanceGuard::Claim(const QString& name)
{
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
