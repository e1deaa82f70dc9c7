#include "TestEnv.h"
#include "app/U_NotesAndTrace.h"
#include "app/U_RecoveryOffer.h"
#include "app/U_RecoveryRecorder.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceData.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

#include <chrono>
#include <csignal>
#include <map>
#include <memory>
#include <random>

namespace {
constexpr int kRuns = 200;
// The journal's delay in the feeder; an item this much older than the kill must be back.
constexpr int kDelayMs = 5;
constexpr long long kOldEnoughMs = 120;

long long MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

class RecoveryKilled : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        // A kill loses no page the system already holds: the runs need not wait for the disk.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            memoryHome =
                std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tarvelle-XXXXXX"));
        const QString folder =
            memoryHome && memoryHome->isValid() ? memoryHome->path() : home.path();
        qputenv("TARVELLE_HOME", folder.toLocal8Bit());
        qputenv("XDG_STATE_HOME", QDir(folder).filePath("state").toLocal8Bit());
        ResetAppFolder();
    }
    void TearDown() override
    {
        qunsetenv("XDG_STATE_HOME");
        TarvelleTest::TearDown();
    }

    // Forks a run of the feeder, kills it a random moment after its start's recovery, and
    // records the items it reported with their moments; the moment of the kill.
    long long FeedAndKill(int run)
    {
        feeder.write(QByteArray::number(run) + ' ' + QByteArray::number(kDelayMs) + '\n');
        QByteArray output;
        const auto waitUntil = [this, &output](const auto& done) {
            while (!done() && feeder.waitForReadyRead(20000))
                output += feeder.readAllStandardOutput();
            return done();
        };
        const auto waitFor = [&output, &waitUntil](const QByteArray& what) {
            return waitUntil([&]() { return output.contains(what); });
        };
        EXPECT_TRUE(waitFor("ready\n")) << feeder.readAllStandardError().data();
        const qsizetype pidAt = output.indexOf("pid ");
        const pid_t pid = output.mid(pidAt + 4, output.indexOf('\n', pidAt) - pidAt - 4).toInt();
        // Half the runs are killed early (in the start's recovery, in the first saves), half
        // late enough for many items to be older than the delay: after a random number of
        // items reported, about one a millisecond.
        const QByteArray item = '\n' + QByteArray::number(run) + '-';
        const int items = run % 2 ? fewItems(random) : manyItems(random);
        waitUntil([&]() { return output.count(item) >= items; });
        EXPECT_GT(pid, 0);
        if (pid > 0)
            ::kill(pid, SIGKILL);
        const long long killedAt = MonotonicMs();
        EXPECT_TRUE(waitFor("done\n"));
        for (const QByteArray& line : output.split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 2 && fields[0] != "pid" && fields[1].toLongLong() > 0)
                reported[QString::fromLatin1(fields[0])] = fields[1].toLongLong();
        }
        return killedAt;
    }

    // How many times each item is in the notes and the trace a recovery gives back.
    QHash<QString, int> Recovered()
    {
        ResetGlb();
        dialogs->answers.assign(1, 1);
        TNotesPad notes;
        TTraceData trace;
        TRecoveryRecorder recorder(notes, trace.grid, TRecoveryFile(), kDelayMs);
        LoadNotesAndTrace(notes, trace);
        OfferRecovery(recorder, notes, trace);
        QHash<QString, int> counts;
        for (const QString& line : notes.Lines())
            if (line.startsWith(u'e') || line.startsWith(u'c'))
                ++counts[line.mid(1)];
        for (int row = 0; row < trace.grid.rowCount(); ++row)
            ++counts[trace.grid.Cell(row, 1).mid(1)];
        return counts;
    }

    std::unique_ptr<QTemporaryDir> memoryHome;
    QProcess feeder;
    std::map<QString, long long> reported;
    std::mt19937 random{20261208};
    std::uniform_int_distribution<int> fewItems{0, 60};
    std::uniform_int_distribution<int> manyItems{130, 250};
};
} // namespace

// Killed at any moment while entries, copies and rows arrive and saves happen, the program
// gives back at its next start every item older than the journal's delay, and none twice.
TEST_F(RecoveryKilled, EveryOldEnoughItemIsBackOnce)
{
    int lost = 0;
    int duplicated = 0;
    int young = 0;
    int checked = 0;
    feeder.start(TARVELLE_RECOVERY_FEEDER, QStringList());
    ASSERT_TRUE(feeder.waitForStarted(20000));
    for (int run = 0; run < kRuns && !HasFailure(); ++run) {
        // A new folder now and then keeps each run's pad small, and so the runs quick.
        if (run % 20 == 0) {
            ASSERT_TRUE(QDir(AppFolder()).removeRecursively() && QDir().mkpath(AppFolder()));
            reported.clear();
        }
        const long long killedAt = FeedAndKill(run);
        const QHash<QString, int> counts = Recovered();
        for (const auto& [id, at] : reported) {
            const int count = counts.value(id);
            if (at + kOldEnoughMs > killedAt) {
                young += count == 0 ? 1 : 0;
                continue;
            }
            lost += count == 0 ? 1 : 0;
            checked += id.startsWith(QString::number(run) + u'-') ? 1 : 0;
            EXPECT_EQ(count, 1) << "run " << run << ": " << id.toStdString();
        }
        for (auto it = counts.begin(); it != counts.end(); ++it) {
            duplicated += it.value() > 1 ? 1 : 0;
            EXPECT_LE(it.value(), 1) << "run " << run << ": " << it.key().toStdString();
        }
        // The recovered items are this run's notes: a young one lost stays lost.
        std::erase_if(reported,
                      [&counts](const auto& item) { return !counts.contains(item.first); });
    }
    feeder.closeWriteChannel();
    EXPECT_TRUE(feeder.waitForFinished(20000));
    EXPECT_GT(checked, 2000);
    std::printf("kill runs %d, items left %zu, checked at their own run's kill %d, lost %d, "
                "duplicated %d, younger than the delay and lost %d\n",
                kRuns, reported.size(), checked, lost, duplicated, young);
}
