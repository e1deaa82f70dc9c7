#include "E2eSupport.h"

#include <QFile>
#include <QRegularExpression>

#include <csignal>

namespace {
// The tracer samples once a second on the real clock: the pointer stays on a window this long.
void Stay()
{
    WaitUntil([] { return false; }, 2500);
}

using Tracer = ProgramTest;
} // namespace

TEST_F(Tracer, TracesTheWindowsUnderThePointerAndSavesAtSessionEnd)
{
    ASSERT_TRUE(ChangeSettings({{"D\xE9marrage sur Traceur", "1"}}));
    const QString windowA = ShowTestWindow("Fenêtre A");
    ASSERT_FALSE(windowA.isEmpty());
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    RunTool("xdotool", {"mousemove", "--window", windowA, "40", "40"});
    Stay();
    RunTool("xdotool", {"mousemove", "--window", main, "150", "100"});
    Stay();
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));

    QFile trace(home.path() + "/Traceur.csv");
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    // Program; title; date; first seen; start; end; duration. The helper's window was left for the
    // main window after one to five seconds; the tracer's own closed at the session's end.
    static const QRegularExpression expected(QStringLiteral(
        "^tarvelle_testwindow;Fenêtre A;[^;]*;[^;]*;[^;]*;(?!00:00:00)[^;]+;00:00:0[1-5]\r\n"
        "tarvelle;Traceur;[^;]*;[^;]*;[^;]*;[^;]*;(?!00:00:00)\\d+:\\d\\d:\\d\\d\r\n$"));
    const QString text = QString::fromLatin1(trace.readAll());
    EXPECT_TRUE(expected.match(text).hasMatch()) << text.toStdString();
}
