#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_CallSocket.h"

#include <QLockFile>

#include <memory>

// Keeps one copy per user: a lock file in the user's runtime folder, taken over when the
// copy that held it is gone, and a local socket by which later copies call the first.
class TInstanceGuard
{
public:
    explicit TInstanceGuard(QString folder);
    TPlatform::TInstanceClaim Claim(const QString& name);
    // Only once the claim made this copy the first.
    void Listen(const QString& name, std::function<void()> onCalled);
    bool Call(const QString& name) const;

private:
    QString SocketName(const QString& name) const;

    QString folder;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<TCallSocket> server;
};
