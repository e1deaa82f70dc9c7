#include "E2eSupport.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

namespace {
// A second copy has to be gone about at once: its whole life, start-up included.
constexpr qint64 kSecondCopyLifeMs = 2000;

// Has the window manager minimise the window; false when it never does.
bool Minimise(const QString& window)
{
    bool asked = false;
    RunTool("xdotool", {"windowminimize", window}, &asked);
    return asked && WaitUntil([&]() { return IsMinimised(window); });
}

bool ShownAgain(const QString& window)
{
    return WaitUntil([&]() { return IsMinimised(window, false); });
}

class SingleInstance : public ProgramTest
{
protected:
    // Starts a copy expected to find another one running; true when it exits with 0 within
    // kSecondCopyLifeMs of its start.
    ::testing::AssertionResult SecondCopyEndsAtOnce()
    {
        QElapsedTimer life;
        life.start();
        QProcess& second = Start();
        const bool ended = second.waitForFinished(
            static_cast<int>(std::max<qint64>(0, kSecondCopyLifeMs - life.elapsed())));
        if (ended && second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "after " << life.elapsed() << " ms, the second copy "
               << (ended ? "had failed" : "still ran");
    }

    QString AFileNotAFolder()
    {
        const QString path = scratch.path() + "/file";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
};

TEST_F(SingleInstance, SecondCopyEndsAtOnceTouchingNoFileAndBringsTheFirstForward)
{
    QProcess* first = nullptr;
    const QString window = StartMain(first);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";
    const QString before = FolderListing(home.path());

    ASSERT_TRUE(Minimise(window)) << "the window manager never minimised the window";
    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(ShownAgain(window)) << "the first copy stayed minimised";

    const QString title = "Autre fenêtre";
    const QString other = ShowTestWindow(title);
    ASSERT_FALSE(other.isEmpty()) << "the helper window never showed";
    ASSERT_TRUE(WaitUntil([&]() { return IsStackedAbove(other, window); }))
        << "the window manager did not put the newer window on top";
    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&]() { return IsStackedAbove(window, other); }))
        << "the first copy stayed below the other window";

    EXPECT_TRUE(StillRuns(*first));
    EXPECT_EQ(ShownMainWindow(first->processId()), window);
    EXPECT_EQ(FolderListing(home.path()), before);
}

TEST_F(SingleInstance, CrashedCopyDoesNotStopTheNextStart)
{
    QProcess* crashed = nullptr;
    ASSERT_FALSE(StartMain(crashed).isEmpty()) << "the first copy never showed its window";
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(kDeadlineMs));

    QProcess* next = nullptr;
    const QString window = StartMain(next);
    ASSERT_FALSE(window.isEmpty()) << "no window after the crashed copy's lock";
    // The new copy took over the crashed one's socket too: a later copy still reaches it.
    ASSERT_TRUE(Minimise(window));
    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(ShownAgain(window)) << "the new copy did not answer the later one";
    EXPECT_TRUE(StillRuns(*next));
}

TEST_F(SingleInstance, StartsWhenTheRuntimeFolderIsUnusable)
{
    environment.insert("XDG_RUNTIME_DIR", AFileNotAFolder());
    QProcess* first = nullptr;
    EXPECT_FALSE(StartMain(first).isEmpty()) << "no window with a file as runtime folder";
    // The lock found another place: a second copy still defers to the first.
    EXPECT_TRUE(SecondCopyEndsAtOnce());
}

TEST_F(SingleInstance, StartsWhenNoLockFolderCanBeMadeAtAll)
{
    // Neither the runtime folder nor the temporary folder it falls back to can hold a lock.
    const QString notAFolder = AFileNotAFolder();
    environment.insert("XDG_RUNTIME_DIR", notAFolder);
    environment.insert("TMPDIR", notAFolder);
    QProcess* first = nullptr;
    EXPECT_FALSE(StartMain(first).isEmpty()) << "no window without any lock folder";
    EXPECT_TRUE(StillRuns(*first));
}
} // namespace
