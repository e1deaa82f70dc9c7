#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

namespace {
constexpr int kRecords = 2000;
constexpr int kOldRecords = 5;

QByteArray Future(int n)
{
    return QStringLiteral("31/12/2999;10:00:00;ligne %1\r\n").arg(n, 4, 10, QChar(u'0')).toLatin1();
}

QByteArray Old(int n)
{
    return QStringLiteral("01/01/2001;10:00:00;vieux %1\r\n").arg(n).toLatin1();
}

QByteArray FutureRecords(int from, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += Future((from + i) % kRecords);
    return bytes;
}

// The purge's cycle: the future records, followed by the first few old ones appended.
bool IsPurgeState(const QByteArray& bytes)
{
    QByteArray state = FutureRecords(0, kRecords);
    for (int j = 0; j <= kOldRecords; state += Old(++j))
        if (bytes == state)
            return true;
    return false;
}

// The removal's cycle: every rotation of the records, alone or with its first record repeated
// at the end.
bool IsRemovalState(const QByteArray& bytes)
{
    const int first = bytes.mid(bytes.indexOf(";ligne ") + 7, 4).toInt();
    return bytes == FutureRecords(first, kRecords) || bytes == FutureRecords(first, kRecords + 1);
}

QProcessEnvironment Environment(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARVELLE_HOME", folder);
    return environment;
}

class AlarmRewriteKilled : public ::testing::Test
{
protected:
    // Starts the rewriter on `folder`, kills it a random moment after it is ready, and returns
    // the alarm file as the kill left it.
    QByteArray RunAndKill(const QString& folder, const QString& mode)
    {
        QProcess rewriter;
        rewriter.setProcessEnvironment(Environment(folder));
        rewriter.start(TARVELLE_ALARM_REWRITER, {mode});
        EXPECT_TRUE(rewriter.waitForReadyRead(10000)) << rewriter.readAllStandardError().data();
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(static_cast<pid_t>(rewriter.processId()), SIGKILL);
        rewriter.waitForFinished(10000);
        EXPECT_EQ(rewriter.exitStatus(), QProcess::CrashExit)
            << mode.toStdString() << " ended by itself: " << rewriter.exitCode() << " "
            << rewriter.readAllStandardError().data();
        return ReadBytes(folder + "/breakPoint.csv");
    }

    // Nothing but the alarm file and the temporaries of the rewrites.
    static void ExpectOnlyTemporaries(const QString& folder)
    {
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            EXPECT_TRUE(name == "breakPoint.csv" || name == "breakPoint.tmp" ||
                        name.startsWith("bkP"))
                << name.toStdString();
    }

    std::mt19937 random{20261207};
    std::uniform_int_distribution<int> delay{0, 25000};
};
} // namespace

// Whatever moment a purge or a removal is killed at, the alarm file is whole: the old one or
// the new one. The next start removes the temporary a kill left.
TEST_F(AlarmRewriteKilled, TheFileIsAlwaysTheOldOrTheNewOne)
{
    QTemporaryDir purgeFolder, removalFolder;
    ASSERT_TRUE(purgeFolder.isValid() && removalFolder.isValid());
    for (const QTemporaryDir* folder : {&purgeFolder, &removalFolder})
        ASSERT_TRUE(WriteBytes(folder->filePath("breakPoint.csv"), FutureRecords(0, kRecords)));
    for (int run = 0; run < 200 && !HasFailure(); ++run) {
        const bool purge = run % 2 == 0;
        const QString folder = (purge ? purgeFolder : removalFolder).path();
        const QByteArray left = RunAndKill(folder, purge ? "purge" : "remove");
        EXPECT_TRUE(purge ? IsPurgeState(left) : IsRemovalState(left))
            << "run " << run << ": " << left.size() << " bytes";
        ExpectOnlyTemporaries(folder);
    }
    for (const QTemporaryDir* folder : {&purgeFolder, &removalFolder}) {
        QProcess start;
        start.setProcessEnvironment(Environment(folder->path()));
        start.start(TARVELLE_ALARM_REWRITER, {"start"});
        EXPECT_TRUE(start.waitForFinished(10000) && start.exitCode() == 0);
        EXPECT_EQ(QDir(folder->path()).entryList(QDir::Files), QStringList("breakPoint.csv"));
    }
}
