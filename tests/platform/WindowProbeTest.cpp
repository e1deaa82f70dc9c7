#include "ProbeSupport.h"
#include "platform/x11/U_PlatformX11.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// The real probe on the test display, with the window manager the session runs.
class WindowProbeTest : public ::testing::Test
{
protected:
    // Moves the helper's client area to (100, 100); whether the probe then finds it at (200, y).
    bool Place(const THelperWindow& helper, int y = 180)
    {
        Tool("xdotool", QStringLiteral("windowmove %1 100 100").arg(helper.window));
        return WaitUntil([&] { return WindowOrigin(helper.window) == QPoint(100, 100); }) &&
               WaitUntil([&] { return WindowAt(probe, QPoint(200, y)) == helper.window; });
    }
    // The rest of a sample: title, process id, its executable, owner window.
    QString Answers(quint64 window)
    {
        const qint64 pid = probe.WindowProcessId(window);
        return QStringLiteral("%1|%2|%3|%4")
            .arg(probe.WindowTitle(window))
            .arg(pid)
            .arg(probe.ProcessExeName(pid))
            .arg(probe.OwnerWindow(window));
    }

    TPlatformX11 probe;
};
} // namespace

TEST_F(WindowProbeTest, PointerOverAWindowGivesItsClientWindowProcessAndTitle)
{
    THelperWindow helper("Fenêtre témoin");
    ASSERT_TRUE(helper.shown && Place(helper));
    // Again, now through the remembered frame, then the rest of the sample.
    EXPECT_EQ(WindowAt(probe, QPoint(200, 180)), helper.window);
    EXPECT_EQ(Answers(helper.window),
              QStringLiteral("Fenêtre témoin|%1|tarvelle_testwindow|0").arg(helper.pid));
    // A point on the title bar that a new probe meets for the first time: still the client.
    EXPECT_EQ(TPlatformX11().WindowFromPoint(QPoint(200, 90)), helper.window);
    EXPECT_EQ(probe.WindowFromPoint(QPoint(1000, 650)), 0u); // the bare desktop

    // Without _NET_WM_PID, the server names the process, to a new probe as to one that
    // found the window under the pointer.
    Tool("xprop", QStringLiteral("-id %1 -remove _NET_WM_PID").arg(helper.window));
    EXPECT_EQ(TPlatformX11().WindowProcessId(helper.window), helper.pid);
    TPlatformX11 noPid;
    EXPECT_EQ(noPid.WindowFromPoint(QPoint(200, 180)), helper.window);
    EXPECT_EQ(noPid.WindowProcessId(helper.window), helper.pid);
}

TEST_F(WindowProbeTest, TitlesInUtf8AndLatin1AreReadWholeUpTo255Characters)
{
    const QString accented = QStringLiteral("Été à Noël — ça marche ✓ 日本");
    THelperWindow helper(accented), longer(QString(300, u'é'));
    ASSERT_TRUE(helper.shown && longer.shown);
    EXPECT_EQ(probe.WindowTitle(helper.window), accented);
    EXPECT_EQ(probe.WindowTitle(longer.window), QString(255, u'é'));
    // A new title shows at the next query: titles are never remembered.
    Tool("xprop",
         QStringLiteral("-id %1 -f _NET_WM_NAME 8u -set _NET_WM_NAME Nouveau").arg(helper.window));
    EXPECT_TRUE(WaitUntil([&] { return probe.WindowTitle(helper.window) == "Nouveau"; }));
    // Without _NET_WM_NAME, WM_NAME, here as a Latin-1 STRING ("\311" is "É" in Latin-1).
    Tool("xprop", QStringLiteral("-id %1 -remove _NET_WM_NAME").arg(helper.window));
    RunTool("sh",
            {"-c", QStringLiteral(
                       "xprop -id %1 -f WM_NAME 8s -set WM_NAME \"$(printf '\\311l\\351phant')\"")
                       .arg(helper.window)});
    EXPECT_TRUE(WaitUntil([&] { return probe.WindowTitle(helper.window) == "Éléphant"; }))
        << probe.WindowTitle(helper.window).toStdString();
}

TEST_F(WindowProbeTest, OwnedDialogAndTheActiveWindow)
{
    THelperWindow first("Premier"), second("Principal", "Dialogue");
    ASSERT_TRUE(first.shown && second.shown);
    EXPECT_EQ(
        Answers(second.dialog),
        QStringLiteral("Dialogue|%1|tarvelle_testwindow|%2").arg(second.pid).arg(second.window));
    EXPECT_EQ(probe.OwnerWindow(second.window), 0u);
    for (const quint64 window : {first.window, second.dialog}) {
        Tool("xdotool", QStringLiteral("windowactivate %1").arg(window));
        EXPECT_TRUE(WaitUntil([&] { return probe.ForegroundWindow() == window; }));
    }
}

TEST_F(WindowProbeTest, AVanishedWindowGivesEmptyAnswersAndItsPlaceGoesToTheNext)
{
    auto first = std::make_unique<THelperWindow>("Éphémère");
    ASSERT_TRUE(first->shown && Place(*first));
    const quint64 gone = first->window;
    const qint64 gonePid = first->pid;
    EXPECT_EQ(probe.ProcessExeName(gonePid), "tarvelle_testwindow");
    first.reset();
    ASSERT_TRUE(WaitUntil([&] { return WindowOrigin(gone) == QPoint(-1, -1); }));
    EXPECT_EQ(Answers(gone), "|0||0");
    EXPECT_EQ(probe.ProcessExeName(gonePid), QString());
    EXPECT_TRUE(WaitUntil([&] { return WindowAt(probe, QPoint(200, 180)) != gone; }));
    EXPECT_EQ(Answers(0x7ffffff0), "|0||0"); // an id no window ever had

    // The next window in the same place, perhaps under the same id, answers for itself.
    THelperWindow next("Successeur");
    ASSERT_TRUE(next.shown && Place(next, 181));
    EXPECT_EQ(Answers(next.window),
              QStringLiteral("Successeur|%1|tarvelle_testwindow|0").arg(next.pid));
}
