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
    // Without a runtime folder, the lock goes into a private folder of the user's own in
    // `temporaryFolder`, which every user shares.
    TInstanceGuard(QString runtimeFolder, QString temporaryFolder);
    // Tries the runtime folder, then `fallbackFolder` when the first cannot hold a lock.
    TPlatform::TInstanceClaim Claim(const QString& name, const QString& fallbackFolder);
    // "Tarvelle-" + the user's id in `temporaryFolder`, made for the user alone when missing;
    // empty when it is not a folder of the user's that only the user may enter, such as one
    // another user made there first.
    static QString PrivateFolderIn(const QString& temporaryFolder);
    // Only once the claim made this copy the first.
    void Listen(const QString& name, std::function<void()> onCalled);
    bool Call(const QString& name) const;

private:
    TPlatform::TInstanceClaim ClaimIn(const QString& name, const QString& lockFolder);
    QString SocketName(const QString& name) const;

    QString runtimeFolder;
    QString temporaryFolder;
    QString folder; // where the lock was taken, or found taken
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<TCallSocket> server;
};
