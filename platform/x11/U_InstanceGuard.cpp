#include "platform/x11/U_InstanceGuard.h"

#include <QDir>
#include <QLocalSocket>

#include <unistd.h>

namespace {
const QByteArray kCallWord = "forward\n";
}

TInstanceGuard::TInstanceGuard(QString folder) : folder(std::move(folder)) {}

QString TInstanceGuard::SocketName(const QString& name) const
{
    // Runtime folders are per user already; the uid keeps /tmp fallbacks apart too.
    return QDir(folder).filePath(name + QStringLiteral("-%1.sock").arg(getuid()));
}

TPlatform::TInstanceClaim TInstanceGuard::Claim(const QString& name, std::function<void()> onCalled)
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
    const QString socket = SocketName(name);
    QLocalServer::removeServer(socket); // left behind by a copy that crashed
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socket)) {
        server.reset();
        return TPlatform::TInstanceClaim::First; // runs alone, just cannot be called
    }
    QObject::connect(
        server.get(), &QLocalServer::newConnection, server.get(), [srv = server.get(), onCalled]() {
            while (QLocalSocket* peer = srv->nextPendingConnection()) {
                QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, onCalled]() {
                    if (peer->readAll().contains(kCallWord) && onCalled)
                        onCalled();
                    peer->disconnectFromServer();
                });
                QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            }
        });
    return TPlatform::TInstanceClaim::First;
}

bool TInstanceGuard::Call(const QString& name) const
{
    QLocalSocket socket;
    socket.connectToServer(SocketName(name));
    if (!socket.waitForConnected(500))
        return false;
    socket.write(kCallWord);
    const bool sent = socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return sent;
}
