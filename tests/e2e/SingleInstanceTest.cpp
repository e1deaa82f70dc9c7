#include "E2eSupport.h"

#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {
class SingleInstance : public ProgramTest
{
protected:
    // Every entry of the program folder with its size and modification time to the nanosecond.
    QString HomeListing() { return RunTool("find", {home.path(), "-printf", "%p %s %T@\n"}); }
    static bool IsStackedAbove(const QString& upper, const QString& lower)
    {
        // Bottom to top: "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x..., 0x...".
        const QString order = RunTool("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}) + ',';
        const auto at = [&](const QString& w) {
            return order.indexOf(QString(" 0x%1,").arg(w.toULongLong(), 0, 16));
        };
        return at(lower) >= 0 && at(upper) > at(lower);
    }
    // "Iconic" when minimised, "Normal" when shown, as the window manager says.
    static bool InState(const QString& window, const QString& state)
    {
        return RunTool("xprop", {"-id", window, "WM_STATE"}).contains("window state: " + state) &&
               RunTool("xwininfo", {"-id", window}).contains("IsViewable") == (state == "Normal");
    }
    // A copy that finds another one running has to be gone about at once, start-up included.
    void SecondCopyEndsAtOnce()
    {
        QElapsedTimer life;
        life.start();
        EXPECT_TRUE(EndsWithZero(Start())) << "the second copy failed";
        EXPECT_LE(life.elapsed(), 1000) << "the second copy's life in ms";
    }
    void SecondCopyRestores(const QString& window)
    {
        RunTool("xdotool", {"windowminimize", window});
        ASSERT_TRUE(WaitUntil([&]() { return InState(window, "Iconic"); })) << "not minimised";
        SecondCopyEndsAtOnce();
        EXPECT_TRUE(WaitUntil([&]() { return InState(window, "Normal"); })) << "not restored";
    }
};

TEST_F(SingleInstance, SecondCopyEndsAtOnceTouchingNoFileAndBringsTheFirstForwardEvenAfterACrash)
{
    QProcess* first = nullptr;
    const QString window = StartMain(first);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";
    // The first paint writes the trace file; from then on the first copy writes nothing by itself.
    ASSERT_TRUE(WaitUntil([&]() { return HomeListing().contains("/Traceur.csv "); }));
    const QString before = HomeListing();
    SecondCopyRestores(window);

    const QString other = ShowTestWindow("Autre fenêtre");
    ASSERT_TRUE(WaitUntil([&]() { return IsStackedAbove(other, window); })) << "not on top";
    SecondCopyEndsAtOnce();
    EXPECT_TRUE(WaitUntil([&]() { return IsStackedAbove(window, other); })) << "not raised";
    EXPECT_EQ(ShownMainWindow(first->processId()), window);
    EXPECT_EQ(HomeListing().toStdString(), before.toStdString());

    // A killed copy leaves its lock and socket behind: the next one takes both over.
    first->kill();
    ASSERT_TRUE(first->waitForFinished(kDeadlineMs));
    const QString next = StartMain(first);
    ASSERT_FALSE(next.isEmpty()) << "no window after the crashed copy's lock";
    SecondCopyRestores(next);
}

TEST_F(SingleInstance, StartsWhenTheLockFolderIsUnusable)
{
    const QString notAFolder = temp.filePath("file");
    ASSERT_TRUE(WriteBytes(notAFolder, {}));
    environment.insert("XDG_RUNTIME_DIR", notAFolder);
    QProcess* first = nullptr;
    EXPECT_FALSE(StartMain(first).isEmpty()) << "no window with a file as runtime folder";
    // The lock found another place: a second copy still defers to the first.
    SecondCopyEndsAtOnce();
    first->kill();

    // Nor can the temporary folder that Qt falls back to hold a lock: the program's folder does.
    environment.insert("TMPDIR", notAFolder);
    EXPECT_FALSE(StartMain(first).isEmpty()) << "no window without a runtime lock folder";
    SecondCopyEndsAtOnce();
    EXPECT_TRUE(StillRuns(*first));
}
} // namespace

namespace {
// A connection to the first copy's call socket that says nothing; -1 when none could be made.
int ConnectIdle(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // A full queue makes connect wait until the program takes from it, not for ever.
    const timeval limit{kDeadlineMs / 1000, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const auto* where = static_cast<const sockaddr*>(static_cast<const void*>(&address));
    if (::connect(fd, where, sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}
} // namespace

// More silent connections than the program has descriptors (a desktop's usual 1024): a later
// copy is still served at once and the end of the session still ends the program.
TEST_F(SingleInstance, AFloodOfIdleConnectionsKeepsNeitherLaterCopiesNorTheEndWaiting)
{
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    const rlimit usual{1024, before.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &usual), 0);
    QProcess* first = nullptr;
    const QString window = StartMain(first);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &before), 0);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";

    const QByteArray socket = QFile::encodeName(
        runtime.filePath(QStringLiteral("DDLFirstIntance-%1.sock").arg(getuid())));
    std::vector<int> idle;
    while (idle.size() < 1100) {
        const int fd = ConnectIdle(socket);
        ASSERT_GE(fd, 0) << "connection " << idle.size() << " never taken: " << errno;
        idle.push_back(fd);
    }
    SecondCopyRestores(window);
    EXPECT_TRUE(StillRuns(*first));
    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*first)) << "SIGTERM not served";
    for (const int fd : idle)
        ::close(fd);
}
