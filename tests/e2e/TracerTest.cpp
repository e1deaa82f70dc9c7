#include "E2eSupport.h"

#include <QDir>
#include <QRegularExpression>

#include <csignal>

using Tracer = ProgramTest;

TEST_F(Tracer, TracesTheWindowsUnderThePointerAndSavesOnSigterm)
{
    ASSERT_TRUE(ChangeSettings({{"D\xE9marrage sur Traceur", "1"}}));
    const QString windowA = ShowTestWindow("Fenêtre A");
    ASSERT_FALSE(windowA.isEmpty());
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    // The tracer samples once a second on the real clock: the pointer stays 2.5 s on each.
    for (const QString& window : {windowA, main}) {
        RunTool("xdotool", {"mousemove", "--window", window, "150", "100"});
        WaitUntil([] { return false; }, 2500);
    }
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));

    // Program; title; date; first seen; start; end; duration. The helper's window was left for the
    // main window after one to five seconds; the tracer's own closed at the session's end.
    static const QRegularExpression expected(QStringLiteral(
        "^tarvelle_testwindow;Fenêtre A;[^;]*;[^;]*;[^;]*;(?!00:00:00)[^;]+;00:00:0[1-5]\r\n"
        "tarvelle;Traceur;[^;]*;[^;]*;[^;]*;[^;]*;(?!00:00:00)\\d+:\\d\\d:\\d\\d\r\n$"));
    const QString text = QString::fromLatin1(ReadBytes(home.filePath("Traceur.csv")));
    EXPECT_TRUE(expected.match(text).hasMatch()) << text.toStdString();
}

TEST_F(Tracer, ASessionEndWithAnUnreadableTraceLineSavesTheDayWithoutWaitingForAnAnswer)
{
    ASSERT_TRUE(ChangeSettings({{"D\xE9marrage sur Traceur", "1"}}));
    const QByteArray unreadable = "pas une ligne du traceur\r\n";
    ASSERT_TRUE(WriteBytes(home.filePath("Traceur.csv"), unreadable));
    const QString window = ShowTestWindow("Fenêtre B");
    ASSERT_FALSE(window.isEmpty());
    QProcess* program = nullptr;
    ASSERT_FALSE(StartMain(program).isEmpty());
    RunTool("xdotool", {"mousemove", "--window", window, "150", "100"});
    WaitUntil([] { return false; }, 2500);
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program)) << "a message held the session's end back";

    EXPECT_TRUE(
        ReadBytes(home.filePath("Traceur.csv")).startsWith("tarvelle_testwindow;Fen\xEAtre B;"));
    const QStringList kept = QDir(home.path()).entryList({"Traceur_original*.csv"});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadBytes(home.filePath(kept.first())), unreadable);
}
