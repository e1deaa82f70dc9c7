#include "E2eSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <csignal>

namespace {
// The tray icon is a small window embedded in the tray host; it carries no process id.
QString TrayIcon()
{
    static const QRegularExpression line(
        QStringLiteral(R"((0x[0-9a-f]+) "Tarvelle": \("tarvelle" "Tarvelle"\)\s+(\d+)x(\d+))"));
    for (const QString& row : RunTool("xwininfo", {"-root", "-tree"}).split('\n')) {
        const QRegularExpressionMatch match = line.match(row);
        if (match.hasMatch() && match.captured(2).toInt() < 64 && match.captured(3).toInt() < 64)
            return match.captured(1);
    }
    return {};
}

void Click(const QString& window, const QPoint& at, int button = 1)
{
    RunTool("xdotool",
            {"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y())});
    RunTool("xdotool", {"click", QString::number(button)});
}

class MainWindow : public ProgramTest
{
protected:
    // Starts the program and waits for its main window and its tray icon.
    void StartWithTray()
    {
        main = StartMain(program);
        ASSERT_FALSE(main.isEmpty()) << "no main window";
        ASSERT_TRUE(WaitUntil([&]() { return !(tray = TrayIcon()).isEmpty(); })) << "no tray icon";
    }
    // Clicks the tray icon, past the double-click time of the last click on it: a second
    // press within it would be a double click, not a new click.
    void ClickTray(int button)
    {
        WaitUntil([&]() { return !sinceTrayClick.isValid() || sinceTrayClick.elapsed() > 800; });
        Click(tray, QPoint(5, 5), button);
        sinceTrayClick.start();
    }
    bool MainShown() { return !ShownMainWindow(program->processId()).isEmpty(); }
    QString Question(const QString& text) { return WaitForWindow(*program, text); }

    QProcess* program = nullptr;
    QString main;
    QString tray;
    QElapsedTimer sinceTrayClick;
};
} // namespace

TEST_F(MainWindow, TrayLeftClickHidesAndShowsTheWindowsAndSessionEndClosesCleanly)
{
    StartWithTray();
    ClickTray(1);
    EXPECT_TRUE(WaitUntil([&]() { return !MainShown(); }));
    ClickTray(1);
    EXPECT_TRUE(WaitUntil([&]() { return MainShown(); }));

    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program));
}

TEST_F(MainWindow, TrayRightClickAsksAndCancelKeepsEverything)
{
    StartWithTray();
    ClickTray(3);
    const QString question = Question("Fermer Tarvelle ?");
    ASSERT_FALSE(question.isEmpty());
    // 150 × 60 with the 25 px bar at the bottom: "Annuler" is the right-hand button.
    Click(question, QPoint(150 - 30, 60 - 12));
    EXPECT_TRUE(WaitUntil(
        [&]() { return ShownWindows(program->processId(), "Fermer Tarvelle ?").isEmpty(); }));
    EXPECT_TRUE(MainShown());
    EXPECT_TRUE(StillRuns(*program));

    ClickTray(3);
    const QString again = Question("Fermer Tarvelle ?");
    ASSERT_FALSE(again.isEmpty());
    Click(again, QPoint(30, 60 - 12)); // "OK"
    EXPECT_TRUE(EndsWithZero(*program));
}

TEST_F(MainWindow, SavedPositionAndAThemeKeptAtClosing)
{
    ASSERT_TRUE(ChangeSettings({{"Left Fragm", "123"},
                                {"Top Fragm", "77"},
                                {"Mnemo visible", "0"},
                                {"Traceur visible", "0"},
                                {"posDefault", "0"}}));
    StartWithTray();
    EXPECT_EQ(WindowPosition(main), QPoint(123, 77));
    const qsizetype windows = ShownWindows(program->processId()).size();

    // A right-button release on the free surface opens the themes; the first is "BlueMetal".
    Click(main, QPoint(240, 75), 3);
    ASSERT_TRUE(WaitUntil([&]() {
        return RunTool("xdotool", {"search", "--onlyvisible", "--class", "tarvelle"})
                   .split('\n', Qt::SkipEmptyParts)
                   .size() > windows;
    })) << "the theme menu did not open";
    RunTool("xdotool", {"key", "Down", "Return"});
    Click(main, QPoint(260, 55)); // the "X"
    const QString question = Question("Conserver ces couleurs ?");
    ASSERT_FALSE(question.isEmpty());
    Click(question, QPoint(30, 55 - 12)); // "    O K    "
    ASSERT_TRUE(EndsWithZero(*program));

    QFile settings(home.path() + "/ConfigMnemo.ini");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.contains("Couleur g\xE9n\xE9rale A=186246202\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("Couleur fond texte=105120129\r\n"));
    EXPECT_TRUE(written.contains("Couleur du texte=223223223\r\n"));
    EXPECT_TRUE(written.contains("Left Fragm=123\r\n"));
}
