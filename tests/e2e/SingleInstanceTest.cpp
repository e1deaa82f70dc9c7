#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

namespace {
// A second copy has to be gone about at once: its whole life, start-up included.
constexpr qint64 kSecondCopyLifeMs = 2000;

class SingleInstance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"))
            << "needs an X display with a window manager (scripts/test.sh provides one)";
        ASSERT_TRUE(sandbox.IsValid()) << "needs TARVELLE_EXE and temporary folders";
        ASSERT_TRUE(sandbox.InstallDistributedFiles());
    }

    // Starts a copy that is expected to be the first and returns its shown main window.
    QString StartFirst(QProcess*& copy)
    {
        copy = &sandbox.Start();
        QString window;
        WaitUntil([&]() {
            window = StillRuns(*copy) ? ShownMainWindow(copy->processId()) : QString();
            return !window.isEmpty() || !StillRuns(*copy);
        });
        return window;
    }

    // Starts a copy expected to find another one running; true when it exits with 0 within
    // `limitMs` of its start.
    ::testing::AssertionResult SecondCopyEndsAtOnce(qint64 limitMs = kSecondCopyLifeMs)
    {
        QElapsedTimer life;
        life.start();
        QProcess& second = sandbox.Start();
        if (!second.waitForFinished(
                static_cast<int>(std::max<qint64>(0, limitMs - life.elapsed()))))
            return ::testing::AssertionFailure()
                   << "the second copy still ran after " << life.elapsed() << " ms";
        if (second.exitStatus() != QProcess::NormalExit || second.exitCode() != 0)
            return ::testing::AssertionFailure()
                   << "the second copy ended with status " << second.exitCode();
        return ::testing::AssertionSuccess() << "ended after " << life.elapsed() << " ms";
    }

    QString AFileNotAFolder()
    {
        const QString path = sandbox.Scratch() + QStringLiteral("/file");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    TProgramSandbox sandbox;
};

TEST_F(SingleInstance, SecondCopyEndsAtOnceTouchingNoFileAndFirstRunsOn)
{
    QProcess* first = nullptr;
    const QString window = StartFirst(first);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";
    const QString before = FolderListing(sandbox.Home());

    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(StillRuns(*first));
    EXPECT_EQ(ShownMainWindow(first->processId()), window);
    EXPECT_EQ(FolderListing(sandbox.Home()), before);
}

TEST_F(SingleInstance, SecondCopyRestoresMinimisedFirst)
{
    QProcess* first = nullptr;
    const QString window = StartFirst(first);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";
    bool minimised = false;
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), window}, &minimised);
    ASSERT_TRUE(minimised);
    ASSERT_TRUE(WaitUntil([&]() { return IsIconic(window) && !IsViewable(window); }))
        << "the window manager never minimised the window";

    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&]() { return !IsIconic(window) && IsViewable(window); }))
        << "the first copy stayed minimised";
    EXPECT_TRUE(StillRuns(*first));
}

TEST_F(SingleInstance, SecondCopyRaisesShownFirstAboveOtherWindows)
{
    QProcess* first = nullptr;
    const QString window = StartFirst(first);
    ASSERT_FALSE(window.isEmpty()) << "the first copy never showed its window";
    const QString title = QStringLiteral("Autre fenêtre");
    QProcess& other = sandbox.StartHelper(QStringLiteral("tarvelle_testwindow"),
                                          {QStringLiteral("--title"), title});
    const QString otherWindow = TProgramSandbox::WaitForWindow(other, title);
    ASSERT_FALSE(otherWindow.isEmpty()) << "the helper window never showed";
    ASSERT_TRUE(WaitUntil([&]() { return IsStackedAbove(otherWindow, window); }))
        << "the window manager did not put the newer window on top";

    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&]() { return IsStackedAbove(window, otherWindow); }))
        << "the first copy stayed below the other window";
}

TEST_F(SingleInstance, CrashedCopyDoesNotStopTheNextStart)
{
    QProcess* crashed = nullptr;
    ASSERT_FALSE(StartFirst(crashed).isEmpty()) << "the first copy never showed its window";
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(kDeadlineMs));

    QProcess* next = nullptr;
    const QString window = StartFirst(next);
    ASSERT_FALSE(window.isEmpty()) << "no window after the crashed copy's lock";
    // The new copy took over the crashed one's socket too: a later copy still reaches it.
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), window});
    ASSERT_TRUE(WaitUntil([&]() { return IsIconic(window); }));
    EXPECT_TRUE(SecondCopyEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&]() { return !IsIconic(window) && IsViewable(window); }))
        << "the new copy did not answer the later one";
    EXPECT_TRUE(StillRuns(*next));
}

TEST_F(SingleInstance, StartsWhenTheRuntimeFolderIsUnusable)
{
    sandbox.SetVariable(QStringLiteral("XDG_RUNTIME_DIR"), AFileNotAFolder());

    QProcess* first = nullptr;
    EXPECT_FALSE(StartFirst(first).isEmpty()) << "no window with a file as runtime folder";
    // The lock found another place: a second copy still defers to the first.
    EXPECT_TRUE(SecondCopyEndsAtOnce());
}

TEST_F(SingleInstance, StartsWhenNoLockFolderCanBeMadeAtAll)
{
    const QString notAFolder = AFileNotAFolder();
    // Neither the runtime folder nor the temporary folder it falls back to can hold a lock.
    sandbox.SetVariable(QStringLiteral("XDG_RUNTIME_DIR"), notAFolder);
    sandbox.SetVariable(QStringLiteral("TMPDIR"), notAFolder);

    QProcess* first = nullptr;
    EXPECT_FALSE(StartFirst(first).isEmpty()) << "no window without any lock folder";
    EXPECT_TRUE(StillRuns(*first));
}
} // namespace
