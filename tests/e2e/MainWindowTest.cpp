#include "E2eSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <csignal>

namespace {
class MainWindow : public ProgramTest
{
protected:
    static void Click(const QString& window, int x, int y, int button = 1)
    {
        RunTool("xdotool", {"mousemove", "--window", window, QString::number(x), QString::number(y),
                            "click", QString::number(button)});
    }
    // Past the double-click time of the last click: a press within it would be no new click.
    void ClickTray(int button)
    {
        WaitUntil([&]() { return !sinceTrayClick.isValid() || sinceTrayClick.elapsed() > 800; });
        Click(tray, 5, 5, button);
        sinceTrayClick.start();
    }
    // Whatever their title: the tray icon does not always carry one.
    QStringList Shown()
    {
        const QString pid = QString::number(program->processId());
        return RunTool("xdotool", {"search", "--onlyvisible", "--pid", pid})
            .split('\n', Qt::SkipEmptyParts);
    }
    // The tray icon is the program's one small shown window, embedded in the tray host; the
    // notes editor and the tracer window show at start as well.
    void StartWithTray()
    {
        main = StartMain(program);
        ASSERT_FALSE(main.isEmpty()) << "no main window";
        ASSERT_TRUE(WaitUntil([&]() {
            for (const QString& window : Shown())
                if (IconSized(window))
                    tray = window;
            return !tray.isEmpty();
        })) << "no tray icon";
    }
    static bool IconSized(const QString& window)
    {
        static const QRegularExpression size(QStringLiteral("Width: (\\d+)"));
        const auto width = size.match(RunTool("xwininfo", {"-id", window}));
        return width.hasMatch() && width.captured(1).toInt() < 64;
    }
    QProcess* program = nullptr;
    QString main, tray;
    QElapsedTimer sinceTrayClick;
};
} // namespace

TEST_F(MainWindow, TrayLeftClickHidesAndShowsTheWindowsAndSessionEndClosesCleanly)
{
    ASSERT_NO_FATAL_FAILURE(StartWithTray());
    ClickTray(1);
    EXPECT_TRUE(WaitUntil([&]() { return !Shown().contains(main); }));
    ClickTray(1);
    EXPECT_TRUE(WaitUntil([&]() { return Shown().contains(main); }));
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program));
}

TEST_F(MainWindow, SavedPlaceTrayQuestionAndAThemeKeptAtClosingFromTheTray)
{
    ASSERT_TRUE(ChangeSettings({{"Left Fragm", "123"}, {"Top Fragm", "77"}, {"posDefault", "0"}}));
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "0"}, {"Traceur visible", "0"}}));
    ASSERT_NO_FATAL_FAILURE(StartWithTray());
    EXPECT_TRUE(
        RunTool("xdotool", {"getwindowgeometry", "--shell", main}).contains("\nX=123\nY=77\n"));
    const qsizetype windows = Shown().size();

    ClickTray(3);
    const QString question = WaitForWindow(*program, "Fermer Tarvelle ?");
    ASSERT_FALSE(question.isEmpty());
    // 150 × 60 with the 25 px bar at the bottom: "Annuler" is the right-hand button.
    Click(question, 150 - 30, 60 - 12);
    EXPECT_TRUE(WaitUntil([&]() { return Shown().size() == windows; })) << "the question stayed";
    EXPECT_TRUE(Shown().contains(main));

    // A right-button release on the free surface opens the themes; the first is "BlueMetal".
    Click(main, 240, 75, 3);
    ASSERT_TRUE(WaitUntil([&]() { return Shown().size() > windows; })) << "no theme menu";
    RunTool("xdotool", {"key", "Down", "Return"});
    ASSERT_TRUE(WaitUntil([&]() { return Shown().size() == windows; })) << "the menu stayed";

    // Closing from the tray once crashed: the icon went away inside its own click.
    ClickTray(3);
    const QString again = WaitForWindow(*program, "Fermer Tarvelle ?");
    ASSERT_FALSE(again.isEmpty());
    Click(again, 30, 60 - 12); // "OK"
    const QString keep = WaitForWindow(*program, "Conserver ces couleurs ?");
    ASSERT_FALSE(keep.isEmpty());
    Click(keep, 30, 55 - 12); // "    O K    "
    ASSERT_TRUE(EndsWithZero(*program));

    const QByteArray written = ReadBytes(home.filePath("ConfigMnemo.ini"));
    for (const char* line :
         {"Couleur g\xE9n\xE9rale A=186246202\r\n", "Couleur fond texte=105120129\r\n",
          "Couleur du texte=223223223\r\n", "Left Fragm=123\r\n"})
        EXPECT_TRUE(written.contains(line)) << line << written.constData();
}

TEST_F(MainWindow, ASessionEndClosesAnOpenQuestionOrStartUpMessageAndEndsAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartWithTray());
    ClickTray(3);
    ASSERT_FALSE(WaitForWindow(*program, "Fermer Tarvelle ?").isEmpty());
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program)) << "the question held the session's end back";

    // Without its settings file the program says so before its window shows.
    ASSERT_TRUE(QFile::remove(home.filePath("ConfigMnemo.ini")));
    QProcess& again = Start();
    ASSERT_FALSE(WaitForWindow(again, "Tarvelle").isEmpty());
    ASSERT_TRUE(ShownMainWindow(again.processId()).isEmpty());
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(again)) << "the start-up message held the session's end back";
}
