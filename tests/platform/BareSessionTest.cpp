#include "ProbeSupport.h"
#include "platform/x11/U_PlatformX11.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {
quint64 WindowAt(TPlatform& probe, const QPoint& pos)
{
    Tool("xdotool", QStringLiteral("mousemove %1 %2").arg(pos.x()).arg(pos.y()));
    QPoint at;
    return probe.CursorPos(at) && at == pos ? probe.WindowFromPoint(at) : 0;
}

// Runs a program in `environment` to its end; its trimmed standard output.
QString RunIn(const QProcessEnvironment& environment, const QString& program,
              const QStringList& args, int deadlineMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(deadlineMs));
    return QString::fromLocal8Bit(process.readAll()).trimmed();
}
} // namespace

// The queries on a display without window manager: this test program runs its disabled tests
// below again, on a bare virtual X session of its own, always stopped again.
TEST(BareSession, WithoutWindowManager)
{
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARVELLE_XSESSION_STATE", folder.filePath("state"));
    const QString display =
        RunIn(environment, TARVELLE_XSESSION, {"start", "--bare"}, 3 * kDeadlineMs).section('=', 1);
    QProcessEnvironment bare = environment;
    bare.insert("DISPLAY", display);
    const QString output =
        display.isEmpty()
            ? QString()
            : RunIn(bare, QCoreApplication::applicationFilePath(),
                    {"--gtest_also_run_disabled_tests", "--gtest_filter=BareSession.DISABLED_*"},
                    6 * kDeadlineMs);
    RunIn(environment, TARVELLE_XSESSION, {"stop"}, 3 * kDeadlineMs);
    ASSERT_FALSE(display.isEmpty());
    EXPECT_TRUE(output.contains("[  PASSED  ] 2 tests.")) << output.toStdString();
}

TEST(BareSession, DISABLED_FocusAndTopLevelWindows)
{
    TPlatformX11 probe;
    THelperWindow helper("Sans gestionnaire");
    ASSERT_TRUE(helper.IsShown());
    // Without frames, the top-level window under the pointer is the answer.
    const QPoint inside = WindowOrigin(helper.Window()) + QPoint(30, 30);
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == helper.Window(); }));
    EXPECT_EQ(probe.WindowProcessId(helper.Window()), helper.Pid());
    EXPECT_EQ(probe.WindowTitle(helper.Window()), "Sans gestionnaire");

    // No _NET_ACTIVE_WINDOW: the input focus, walked up to its top-level window.
    Tool("xdotool", QStringLiteral("windowfocus %1").arg(helper.Window()));
    EXPECT_TRUE(WaitUntil([&]() { return probe.ForegroundWindow() == helper.Window(); }));
}

// With no window manager in the way, one helper window plays a frame holding the other.
TEST(BareSession, DISABLED_ARememberedClientIsCheckedAtEachUse)
{
    TPlatformX11 probe;
    THelperWindow frame("Cadre"), client("Client");
    ASSERT_TRUE(frame.IsShown() && client.IsShown());
    const auto reparent = [&](quint64 parent) {
        Tool("xdotool", QStringLiteral("windowreparent %1 %2").arg(client.Window()).arg(parent));
    };
    Tool("xdotool", QStringLiteral("windowmove %1 100 100").arg(frame.Window()));
    reparent(frame.Window());
    Tool("xprop", QStringLiteral("-id %1 -f WM_STATE 32c -set WM_STATE 1,0").arg(client.Window()));
    const QPoint inside(130, 130);
    ASSERT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == client.Window(); }));

    // The client leaves the frame: the frame no longer answers with it.
    reparent(RootWindow());
    Tool("xdotool", QStringLiteral("windowmove %1 600 400").arg(client.Window()));
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == frame.Window(); }));

    // Back in the frame and remembered again, then withdrawn: WM_STATE gone.
    reparent(frame.Window());
    ASSERT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == client.Window(); }));
    Tool("xprop", QStringLiteral("-id %1 -remove WM_STATE").arg(client.Window()));
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == frame.Window(); }));
}
