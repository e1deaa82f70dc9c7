#include "ToolRun.h"
#include "platform/x11/U_ProcessNames.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/wait.h>
#include <unistd.h>

// A remembered name is checked at every question: after an exec under the same id, after the
// process ends, and when the id goes to another program.
TEST(ProcessNames, AnExecAnEndAndAnIdTakenOverAreNoticed)
{
    TProcessNames names;
    QProcess shell;
    shell.start("/bin/sh", {"-c", "read x; exec sleep 30"});
    ASSERT_TRUE(shell.waitForStarted(kDeadlineMs));
    const qint64 pid = shell.processId();
    EXPECT_EQ(names.ExeName(pid), QFileInfo(QFileInfo("/bin/sh").canonicalFilePath()).fileName());
    shell.write("\n");
    shell.waitForBytesWritten(kDeadlineMs);
    EXPECT_TRUE(WaitUntil([&] { return names.ExeName(pid) == "sleep"; }));
    TProcessNames asked = names; // remembers "sleep" and is asked nothing until the id is taken
    shell.kill();
    shell.waitForFinished(kDeadlineMs);
    EXPECT_EQ(names.ExeName(pid), QString());

    // Other processes of the machine may take the id first: a few tries.
    QProcess second;
    QFile next("/proc/sys/kernel/ns_last_pid");
    for (int attempt = 0; attempt < 20 && second.processId() != pid; ++attempt) {
        second.kill();
        second.waitForFinished(kDeadlineMs);
        if (!next.open(QIODevice::WriteOnly) || next.write(QByteArray::number(pid - 1)) <= 0)
            GTEST_SKIP() << "the next process id cannot be chosen here";
        next.close();
        second.start("cat", {});
        second.waitForStarted(kDeadlineMs);
    }
    if (second.processId() != pid)
        GTEST_SKIP() << "process id " << pid << " went to other processes";
    EXPECT_EQ(asked.ExeName(pid), "cat");
    second.kill();
    second.waitForFinished(kDeadlineMs);
}

TEST(ProcessNames, OwnProcessNoProcessAndWithoutExecutableTheCommandName)
{
    TProcessNames names;
    for (int ask = 0; ask < 2; ++ask) // the second answer is the remembered one
        EXPECT_EQ(names.ExeName(::getpid()), "platform_tests");
    for (const qint64 none : {0, -4, 0x7fffffff})
        EXPECT_EQ(names.ExeName(none), QString()) << none;
    // An ended child not waited for yet: its executable is gone, its command name is not.
    const pid_t zombie = ::fork();
    if (zombie == 0)
        ::_exit(0);
    ASSERT_GT(zombie, 0);
    ASSERT_TRUE(WaitUntil([zombie] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(zombie));
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        return line.mid(line.lastIndexOf(") ") + 2, 1) == "Z";
    }));
    EXPECT_EQ(names.ExeName(zombie), "platform_tests");
    ::waitpid(zombie, nullptr, 0);
    EXPECT_EQ(names.ExeName(zombie), QString());
}
