#include "E2eSupport.h"

#include <QFile>

#include <csignal>

namespace {
// The tracer samples once a second on the real clock: the pointer stays on a window this long.
void Stay()
{
    WaitUntil([] { return false; }, 2500);
}

int Seconds(const QString& hms)
{
    const QStringList parts = hms.split(u':');
    return parts.size() == 3 ? parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt()
                             : -1;
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
    const QStringList lines =
        QString::fromLatin1(trace.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    const QStringList helper = lines[0].split(u';');
    ASSERT_EQ(helper.size(), 7);
    EXPECT_EQ(helper[0], "tarvelle_testwindow");
    EXPECT_EQ(helper[1], QString::fromUtf8("Fenêtre A"));
    EXPECT_NE(helper[5], "00:00:00"); // left for the main window
    EXPECT_GE(Seconds(helper[6]), 1);
    EXPECT_LE(Seconds(helper[6]), 5);
    const QStringList own = lines[1].split(u';');
    ASSERT_EQ(own.size(), 7);
    EXPECT_EQ(own[0], "tarvelle");
    EXPECT_EQ(own[1], "Traceur");
    EXPECT_GE(Seconds(own[6]), 1); // closed at the session's end
}
