#include "ProbeSupport.h"
#include "platform/x11/U_PlatformX11.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

// The queries on a display without window manager: this test program runs its disabled test
// below again, on a bare virtual X session of its own, which its state file in a folder of its
// own lets it stop exactly.
TEST(BareSession, WithoutWindowManager)
{
    QTemporaryDir folder;
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start("sh", {"-c", QStringLiteral("export TARVELLE_XSESSION_STATE='%1/state'\n"
                                          "eval \"$('%2' start --bare)\" && '%3' "
                                          "--gtest_also_run_disabled_tests "
                                          "--gtest_filter='BareSession.DISABLED_*'\n'%2' stop")
                               .arg(folder.path(), TARVELLE_XSESSION,
                                    QCoreApplication::applicationFilePath())});
    EXPECT_TRUE(run.waitForFinished(12 * kDeadlineMs));
    const QString output = QString::fromLocal8Bit(run.readAll());
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
}

// Without frames the top-level windows are the answers; then one helper window plays a frame
// holding the other, and the client it holds is checked at each use.
TEST(BareSession, DISABLED_TopLevelWindowsFocusAndARememberedClient)
{
    TPlatformX11 probe;
    THelperWindow frame("Cadre"), client("Client");
    ASSERT_TRUE(frame.shown && client.shown);
    const QPoint onClient = WindowOrigin(client.window) + QPoint(30, 30), inside(130, 130);
    EXPECT_TRUE(WaitUntil([&] { return WindowAt(probe, onClient) == client.window; }));
    // No _NET_ACTIVE_WINDOW: the input focus, walked up to its top-level window.
    Tool("xdotool", QStringLiteral("windowfocus %1").arg(client.window));
    EXPECT_TRUE(WaitUntil([&] { return probe.ForegroundWindow() == client.window; }));

    const auto reparent = [&](const QString& parent) {
        Tool("xdotool", QStringLiteral("windowreparent %1 %2").arg(client.window).arg(parent));
    };
    const QString root = Tool("xwininfo", "-root").section("Window id: ", 1).section(' ', 0, 0);
    Tool("xdotool", QStringLiteral("windowmove %1 100 100").arg(frame.window));
    reparent(QString::number(frame.window));
    Tool("xprop", QStringLiteral("-id %1 -f WM_STATE 32c -set WM_STATE 1,0").arg(client.window));
    ASSERT_TRUE(WaitUntil([&] { return WindowAt(probe, inside) == client.window; }));
    // The client leaves the frame: the frame no longer answers with it.
    reparent(root);
    Tool("xdotool", QStringLiteral("windowmove %1 600 400").arg(client.window));
    EXPECT_TRUE(WaitUntil([&] { return WindowAt(probe, inside) == frame.window; }));
    // Back in the frame and remembered again, then withdrawn: WM_STATE gone.
    reparent(QString::number(frame.window));
    ASSERT_TRUE(WaitUntil([&] { return WindowAt(probe, inside) == client.window; }));
    Tool("xprop", QStringLiteral("-id %1 -remove WM_STATE").arg(client.window));
    EXPECT_TRUE(WaitUntil([&] { return WindowAt(probe, inside) == frame.window; }));
}
