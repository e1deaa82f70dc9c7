#include "ProbeSupport.h"
#include "platform/x11/U_PlatformX11.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
const char* const kHelperName = "tarvelle_testwindow";

// Sets a text property with xprop through the shell, so that `value` can hold bytes that are
// not UTF-8.
void SetProperty(quint64 window, const char* name, const char* format, const char* value)
{
    RunTool("sh", {"-c", QStringLiteral("xprop -id %1 -f %2 %3 -set %2 \"%4\"")
                             .arg(QString::number(window), name, format, value)});
}

// The real probe on the test display, with the window manager the session runs.
class WindowProbeTest : public ::testing::Test
{
protected:
    // Moves the helper's window so that its client area starts at (100, 100), then points at
    // (200, y) in it and waits until the probe finds it there.
    bool PlaceAndPoint(const THelperWindow& helper, int y = 180)
    {
        Tool("xdotool", QStringLiteral("windowmove %1 100 100").arg(helper.Window()));
        if (!WaitUntil([&]() { return WindowOrigin(helper.Window()) == QPoint(100, 100); }))
            return false;
        Tool("xdotool", QStringLiteral("mousemove 200 %1").arg(y));
        return WaitUntil([&]() { return PointedWindow() == helper.Window(); });
    }
    // One sample's first two steps, as the tracer takes them.
    quint64 PointedWindow()
    {
        QPoint pos;
        return probe.CursorPos(pos) ? probe.WindowFromPoint(pos) : 0;
    }

    TPlatformX11 probe;
};
} // namespace

TEST_F(WindowProbeTest, PointerOverAWindowGivesItsClientWindowProcessAndTitle)
{
    THelperWindow helper("Fenêtre témoin");
    ASSERT_TRUE(helper.IsShown());
    ASSERT_TRUE(PlaceAndPoint(helper));
    QPoint pos;
    ASSERT_TRUE(probe.CursorPos(pos));
    EXPECT_EQ(pos, QPoint(200, 180));

    // Again, now through the remembered frame, then the rest of the sample.
    EXPECT_EQ(PointedWindow(), helper.Window());
    EXPECT_EQ(probe.WindowProcessId(helper.Window()), helper.Pid());
    EXPECT_EQ(probe.ProcessExeName(helper.Pid()), kHelperName);
    EXPECT_EQ(probe.WindowTitle(helper.Window()), "Fenêtre témoin");
    EXPECT_EQ(probe.OwnerWindow(helper.Window()), 0u);

    // A point on the title bar that a new probe meets for the first time: still the client.
    TPlatformX11 fresh;
    EXPECT_EQ(fresh.WindowFromPoint(QPoint(200, 90)), helper.Window());
    // The bare desktop holds no window.
    EXPECT_EQ(probe.WindowFromPoint(QPoint(1000, 650)), 0u);

    // Without _NET_WM_PID, the server names the process, to a new probe as to this one.
    Tool("xprop", QStringLiteral("-id %1 -remove _NET_WM_PID").arg(helper.Window()));
    EXPECT_EQ(TPlatformX11().WindowProcessId(helper.Window()), helper.Pid());
    TPlatformX11 noPid;
    EXPECT_EQ(noPid.WindowFromPoint(QPoint(200, 180)), helper.Window());
    EXPECT_EQ(noPid.WindowProcessId(helper.Window()), helper.Pid());
}

TEST_F(WindowProbeTest, TitlesInUtf8AndLatin1AreReadWholeUpTo255Characters)
{
    const QString accented = QStringLiteral("Été à Noël — ça marche ✓ 日本");
    THelperWindow helper(accented), longer(QString(300, u'é'));
    ASSERT_TRUE(helper.IsShown() && longer.IsShown());
    EXPECT_EQ(probe.WindowTitle(helper.Window()), accented);
    EXPECT_EQ(probe.WindowTitle(longer.Window()), QString(255, u'é'));

    // A new title shows at the next query: titles are never remembered.
    SetProperty(helper.Window(), "_NET_WM_NAME", "8u", "Nouveau titre");
    EXPECT_TRUE(WaitUntil([&]() { return probe.WindowTitle(helper.Window()) == "Nouveau titre"; }));

    // Without _NET_WM_NAME, WM_NAME, here as a Latin-1 STRING ("\311" is "É" in Latin-1).
    Tool("xprop", QStringLiteral("-id %1 -remove _NET_WM_NAME").arg(helper.Window()));
    SetProperty(helper.Window(), "WM_NAME", "8s", "$(printf '\\311l\\351phant')");
    EXPECT_TRUE(WaitUntil([&]() { return probe.WindowTitle(helper.Window()) == "Éléphant"; }))
        << probe.WindowTitle(helper.Window()).toStdString();
}

TEST_F(WindowProbeTest, OwnedDialogAndTheActiveWindow)
{
    THelperWindow first("Premier"), second("Principal", "Dialogue");
    ASSERT_TRUE(first.IsShown() && second.IsShown());
    EXPECT_EQ(probe.OwnerWindow(second.Dialog()), second.Window());
    EXPECT_EQ(probe.OwnerWindow(second.Window()), 0u);
    EXPECT_EQ(probe.WindowProcessId(second.Dialog()), second.Pid());
    EXPECT_EQ(probe.WindowTitle(second.Dialog()), "Dialogue");

    for (const quint64 window : {first.Window(), second.Dialog()}) {
        Tool("xdotool", QStringLiteral("windowactivate %1").arg(window));
        EXPECT_TRUE(WaitUntil([&]() { return probe.ForegroundWindow() == window; }));
    }
    EXPECT_EQ(probe.OwnerWindow(probe.ForegroundWindow()), second.Window());
}

TEST_F(WindowProbeTest, AVanishedWindowGivesEmptyAnswersAndItsPlaceGoesToTheNext)
{
    auto first = std::make_unique<THelperWindow>("Éphémère");
    ASSERT_TRUE(first->IsShown());
    ASSERT_TRUE(PlaceAndPoint(*first));
    const quint64 gone = first->Window();
    const qint64 gonePid = first->Pid();
    EXPECT_EQ(probe.ProcessExeName(gonePid), kHelperName);

    first->Kill();
    ASSERT_TRUE(WaitUntil([&]() { return WindowOrigin(gone) == QPoint(-1, -1); }));
    EXPECT_EQ(probe.WindowTitle(gone), QString());
    EXPECT_EQ(probe.WindowProcessId(gone), 0);
    EXPECT_EQ(probe.OwnerWindow(gone), 0u);
    EXPECT_EQ(probe.ProcessExeName(gonePid), QString());
    EXPECT_TRUE(WaitUntil([&]() { return PointedWindow() != gone; }));
    // An id no window ever had.
    EXPECT_EQ(probe.WindowTitle(0x7ffffff0), QString());
    EXPECT_EQ(probe.WindowProcessId(0x7ffffff0), 0);

    // The next window in the same place, perhaps under the same id, answers for itself.
    THelperWindow next("Successeur");
    ASSERT_TRUE(next.IsShown());
    ASSERT_TRUE(PlaceAndPoint(next, 181));
    EXPECT_EQ(probe.WindowTitle(next.Window()), "Successeur");
    EXPECT_EQ(probe.WindowProcessId(next.Window()), next.Pid());
    EXPECT_EQ(probe.ProcessExeName(next.Pid()), kHelperName);
}
