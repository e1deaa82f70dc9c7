#include "ProbeSupport.h"
#include "platform/x11/U_PlatformX11.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {
QString Id(quint64 window)
{
    return QString::number(window);
}

void Xdotool(const QStringList& args)
{
    RunTool(QStringLiteral("xdotool"), args);
}

quint64 WindowAt(TPlatform& probe, const QPoint& pos)
{
    Xdotool({QStringLiteral("mousemove"), QString::number(pos.x()), QString::number(pos.y())});
    QPoint at;
    return probe.CursorPos(at) && at == pos ? probe.WindowFromPoint(at) : 0;
}

// A virtual X session of Xvfb alone, started for one test and always stopped again.
class TBareSession
{
public:
    TBareSession()
    {
        environment.insert(QStringLiteral("TARVELLE_XSESSION_STATE"),
                           folder.filePath(QStringLiteral("state")));
        const QString output = Run(QStringLiteral("start"), QStringLiteral("--bare"));
        display = output.section(QLatin1Char('='), 1).trimmed();
    }
    ~TBareSession() { Run(QStringLiteral("stop")); }
    TBareSession(const TBareSession&) = delete;
    TBareSession& operator=(const TBareSession&) = delete;

    QString Display() const { return display; }

private:
    QString Run(const QString& command, const QString& option = QString())
    {
        QProcess script;
        script.setProcessEnvironment(environment);
        QStringList args{command};
        if (!option.isEmpty())
            args << option;
        script.start(QStringLiteral(TARVELLE_XSESSION), args);
        script.waitForFinished(3 * kDeadlineMs);
        return QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString display;
};
} // namespace

// The queries on a display without window manager: this test program runs its disabled test
// below again, on a bare display of its own.
TEST(BareSession, WithoutWindowManager)
{
    TBareSession session;
    ASSERT_FALSE(session.Display().isEmpty());
    QProcess self;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), session.Display());
    self.setProcessEnvironment(environment);
    self.setProcessChannelMode(QProcess::MergedChannels);
    self.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_also_run_disabled_tests"),
                QStringLiteral("--gtest_filter=BareSession.DISABLED_*")});
    ASSERT_TRUE(self.waitForFinished(6 * kDeadlineMs));
    const QString output = QString::fromLocal8Bit(self.readAll());
    EXPECT_EQ(self.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 2 tests."))) << output.toStdString();
}

TEST(BareSession, DISABLED_FocusAndTopLevelWindows)
{
    TPlatformX11 probe;
    THelperWindow helper(QStringLiteral("Sans gestionnaire"));
    ASSERT_TRUE(helper.IsShown());
    // Without frames, the top-level window under the pointer is the answer.
    const QPoint inside = WindowOrigin(helper.Window()) + QPoint(30, 30);
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == helper.Window(); }));
    EXPECT_EQ(probe.WindowProcessId(helper.Window()), helper.Pid());
    EXPECT_EQ(probe.WindowTitle(helper.Window()), QStringLiteral("Sans gestionnaire"));

    // No _NET_ACTIVE_WINDOW: the input focus, walked up to its top-level window.
    Xdotool({QStringLiteral("windowfocus"), Id(helper.Window())});
    EXPECT_TRUE(WaitUntil([&]() { return probe.ForegroundWindow() == helper.Window(); }));
}

// With no window manager in the way, one helper window plays a frame holding the other.
TEST(BareSession, DISABLED_ARememberedClientIsCheckedAtEachUse)
{
    TPlatformX11 probe;
    THelperWindow frame(QStringLiteral("Cadre")), client(QStringLiteral("Client"));
    ASSERT_TRUE(frame.IsShown() && client.IsShown());
    Xdotool({QStringLiteral("windowmove"), Id(frame.Window()), QStringLiteral("100"),
             QStringLiteral("100")});
    Xdotool({QStringLiteral("windowreparent"), Id(client.Window()), Id(frame.Window())});
    const auto setState = [&]() {
        RunTool(QStringLiteral("xprop"),
                {QStringLiteral("-id"), Id(client.Window()), QStringLiteral("-f"),
                 QStringLiteral("WM_STATE"), QStringLiteral("32c"), QStringLiteral("-set"),
                 QStringLiteral("WM_STATE"), QStringLiteral("1,0")});
    };
    setState();
    const QPoint inside(130, 130);
    ASSERT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == client.Window(); }));

    // The client leaves the frame: the frame no longer answers with it.
    Xdotool({QStringLiteral("windowreparent"), Id(client.Window()), Id(RootWindow())});
    Xdotool({QStringLiteral("windowmove"), Id(client.Window()), QStringLiteral("600"),
             QStringLiteral("400")});
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == frame.Window(); }));

    // Back in the frame and remembered again, then withdrawn: WM_STATE gone.
    Xdotool({QStringLiteral("windowreparent"), Id(client.Window()), Id(frame.Window())});
    ASSERT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == client.Window(); }));
    RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), Id(client.Window()),
                                      QStringLiteral("-remove"), QStringLiteral("WM_STATE")});
    EXPECT_TRUE(WaitUntil([&]() { return WindowAt(probe, inside) == frame.Window(); }));
}
