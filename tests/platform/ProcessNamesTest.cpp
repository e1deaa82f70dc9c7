#include "ToolRun.h"
#include "platform/x11/U_ProcessNames.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/wait.h>
#include <unistd.h>

namespace {
bool IsZombie(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return line.mid(line.lastIndexOf(") ") + 2, 1) == "Z";
}

// Makes the kernel give `pid` to the next process; false when this system does not let us.
bool SetNextPid(qint64 pid)
{
    QFile next(QStringLiteral("/proc/sys/kernel/ns_last_pid"));
    return next.open(QIODevice::WriteOnly) && next.write(QByteArray::number(pid - 1)) > 0;
}
} // namespace

TEST(ProcessNames, AnExecUnderTheSameIdIsNoticed)
{
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("read x; exec sleep 30")});
    ASSERT_TRUE(shell.waitForStarted(kDeadlineMs));
    const qint64 pid = shell.processId();
    TProcessNames names;
    EXPECT_EQ(names.ExeName(pid), QFileInfo(QFileInfo("/bin/sh").canonicalFilePath()).fileName());
    shell.write("\n");
    shell.waitForBytesWritten(kDeadlineMs);
    EXPECT_TRUE(WaitUntil([&]() { return names.ExeName(pid) == QLatin1String("sleep"); }))
        << names.ExeName(pid).toStdString();
    shell.kill();
    shell.waitForFinished(kDeadlineMs);
    EXPECT_EQ(names.ExeName(pid), QString());
}

TEST(ProcessNames, AnIdTakenOverByAnotherProgramIsNoticed)
{
    QProcess first;
    first.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(first.waitForStarted(kDeadlineMs));
    const qint64 pid = first.processId();
    TProcessNames names;
    EXPECT_EQ(names.ExeName(pid), QStringLiteral("sleep"));
    first.kill();
    first.waitForFinished(kDeadlineMs);
    // Other processes of the machine may take the id first: a few tries.
    QProcess second;
    for (int attempt = 0; attempt < 20 && second.processId() != pid; ++attempt) {
        second.kill();
        second.waitForFinished(kDeadlineMs);
        if (!SetNextPid(pid))
            GTEST_SKIP() << "the next process id cannot be chosen here";
        second.start(QStringLiteral("cat"), QStringList());
        second.waitForStarted(kDeadlineMs);
    }
    if (second.processId() != pid)
        GTEST_SKIP() << "process id " << pid << " went to other processes";
    EXPECT_EQ(names.ExeName(pid), QStringLiteral("cat"));
    second.kill();
    second.waitForFinished(kDeadlineMs);
}

TEST(ProcessNames, OwnProcessNoProcessAndWithoutExecutableTheCommandName)
{
    TProcessNames names;
    for (int ask = 0; ask < 2; ++ask)
        EXPECT_EQ(names.ExeName(::getpid()), QStringLiteral("platform_tests"));
    for (const qint64 none : {0, -4, 0x7fffffff})
        EXPECT_EQ(names.ExeName(none), QString()) << none;

    // An ended child not waited for yet: its executable is gone, its command name is not.
    const pid_t zombie = ::fork();
    if (zombie == 0)
        ::_exit(0);
    ASSERT_GT(zombie, 0);
    ASSERT_TRUE(WaitUntil([&]() { return IsZombie(zombie); }));
    EXPECT_EQ(names.ExeName(zombie), QStringLiteral("platform_tests"));
    ::waitpid(zombie, nullptr, 0);
    EXPECT_EQ(names.ExeName(zombie), QString());
}
