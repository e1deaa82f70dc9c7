#include "platform/x11/U_InstanceGuard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString kName = QStringLiteral("DDLFirstIntance");

struct stat Lstat(const QString& path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info;
}

// Without a runtime folder the lock goes into the temporary folder every user shares.
class InstanceGuard : public ::testing::Test
{
protected:
    QString Own() const { return temp.filePath(QStringLiteral("Tarvelle-%1").arg(geteuid())); }
    QStringList Locks(const QString& folder) const
    {
        return QDir(folder).entryList({kName + ".lock"}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir temp, fallback;
};
} // namespace

TEST_F(InstanceGuard, TheSharedFallbackIsAFolderOfTheUsersOwnThatOnlyTheUserEnters)
{
    const mode_t previous = ::umask(0);
    TInstanceGuard first(QString(), temp.path());
    EXPECT_EQ(first.Claim(kName, fallback.path()), TPlatform::TInstanceClaim::First);
    ::umask(previous);
    const struct stat made = Lstat(Own());
    EXPECT_TRUE(S_ISDIR(made.st_mode));
    EXPECT_EQ(made.st_mode & 07777, 0700U);
    EXPECT_EQ(made.st_uid, geteuid());
    EXPECT_EQ(Locks(Own()), QStringList(kName + ".lock"));
    EXPECT_EQ(Locks(temp.path()), QStringList()) << "a lock under a name every user shares";
    EXPECT_EQ(Locks(fallback.path()), QStringList());

    // A later copy finds the first there and calls it.
    int called = 0;
    first.Listen(kName, [&called]() { ++called; });
    TInstanceGuard later(QString(), temp.path());
    EXPECT_EQ(later.Claim(kName, fallback.path()), TPlatform::TInstanceClaim::AlreadyRunning);
    EXPECT_TRUE(later.Call(kName));
    EXPECT_TRUE(QTest::qWaitFor([&called]() { return called == 1; }, 5000));
}

// Whatever another user put there first, it is neither used nor changed, and the program still
// starts, its lock in its own folder.
TEST_F(InstanceGuard, AFallbackFolderOpenToOthersOwnedByAnotherOrALinkIsRefused)
{
    QTemporaryDir mine;
    ASSERT_EQ(::chmod(QFile::encodeName(mine.path()).constData(), 0700), 0);
    const QString own = Own();
    const auto open = [&]() {
        return QDir().mkdir(own) && ::chmod(QFile::encodeName(own).constData(), 0777) == 0;
    };
    const auto link = [&]() {
        return QFile::link(mine.path(), own);
    };
    const auto foreign = [&]() {
        return geteuid() == 0 && QDir().mkdir(own) &&
               ::chown(QFile::encodeName(own).constData(), 65534, 65534) == 0 &&
               ::chmod(QFile::encodeName(own).constData(), 0700) == 0;
    };
    for (const auto& plant : {std::function<bool()>(open), std::function<bool()>(link),
                              std::function<bool()>(foreign)}) {
        if (!plant())
            continue; // another owner needs root to be planted
        const struct stat planted = Lstat(own);
        EXPECT_EQ(TInstanceGuard::PrivateFolderIn(temp.path()), QString());
        {
            TInstanceGuard guard(QString(), temp.path());
            EXPECT_EQ(guard.Claim(kName, fallback.path()), TPlatform::TInstanceClaim::First);
            EXPECT_EQ(Locks(fallback.path()), QStringList(kName + ".lock"));
        }
        const struct stat after = Lstat(own);
        EXPECT_EQ(after.st_mode, planted.st_mode);
        EXPECT_EQ(after.st_uid, planted.st_uid);
        EXPECT_EQ(Locks(own), QStringList());
        EXPECT_EQ(Locks(mine.path()), QStringList());
        ASSERT_TRUE(QFile::remove(own) || QDir().rmdir(own));
    }
}
