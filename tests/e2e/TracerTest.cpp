#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>

#include <csignal>

namespace {
// The tracer samples once a second on the real clock: a run on a window lasts this long.
constexpr int kStayMs = 2500;

void Stay()
{
    QElapsedTimer since;
    since.start();
    WaitUntil([&]() { return since.elapsed() >= kStayMs; }, kStayMs + 1000);
}

int Seconds(const QString& hms)
{
    const QStringList parts = hms.split(u':');
    return parts.size() == 3 ? parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt()
                             : -1;
}
} // namespace

TEST(Tracer, TracesTheWindowsUnderThePointerAndSavesAtSessionEnd)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
    TProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.IsValid());
    ASSERT_TRUE(sandbox.InstallDistributedFiles());
    QFile file(sandbox.Home() + "/ConfigMnemo.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray text = file.readAll();
    text.replace("D\xE9marrage sur Traceur=0", "D\xE9marrage sur Traceur=1");
    file.resize(0);
    file.write(text);
    file.close();

    QProcess& helperA = sandbox.StartHelper("tarvelle_testwindow", {"--title", "Fenêtre A"});
    const QString windowA = TProgramSandbox::WaitForWindow(helperA, "Fenêtre A");
    ASSERT_FALSE(windowA.isEmpty());
    QProcess& program = sandbox.Start();
    ASSERT_TRUE(WaitUntil([&]() { return !ShownMainWindow(program.processId()).isEmpty(); }));
    RunTool("xdotool", {"mousemove", "--window", windowA, "40", "40"});
    Stay();
    RunTool("xdotool",
            {"mousemove", "--window", ShownMainWindow(program.processId()), "150", "100"});
    Stay();
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
    EXPECT_EQ(program.exitCode(), 0);

    QFile trace(sandbox.Home() + "/Traceur.csv");
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
