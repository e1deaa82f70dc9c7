#include "app/U_NotesAndTrace.h"
#include "app/U_RecoveryRecorder.h"
#include "core/U_Glb.h"
#include "core/U_RecoveryJournal.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceData.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {
// The program's folder with a notes file of `lines` lines, loaded, and the journal armed.
struct TArmed
{
    explicit TArmed(int lines)
    {
        qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", QDir(home.path()).filePath("state").toLocal8Bit());
        ResetAppFolder();
        ResetGlb();
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += "une ligne de notes d'une longueur ordinaire, n\xb0 " + QByteArray::number(i) +
                     "\r\n";
        QFile file(AppFolder() + QStringLiteral("Tarvelle.txt"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        recorder = std::make_unique<TRecoveryRecorder>(notes, trace.grid);
        LoadNotesAndTrace(notes, trace);
        // A large file comes into the pad over several turns; the journal starts once it is in.
        while (notes.Loading())
            QCoreApplication::processEvents();
        recorder->Arm();
    }
    qint64 JournalSize() const { return QFile(TRecoveryFile::PrimaryPath()).size(); }
    std::size_t Records() const
    {
        QFile file(TRecoveryFile::PrimaryPath());
        file.open(QIODevice::ReadOnly);
        return RecoveryJournal::Decode(file.readAll()).changes.size();
    }
    void Burst(int n)
    {
        for (int i = 0; i < 5; ++i)
            notes.AddNotesEntry(QStringLiteral("entrée %1-%2").arg(n).arg(i));
        notes.AppendLine(QStringLiteral("une copie de quelques mots %1").arg(n));
        const TDateTime at = NowDateTime();
        trace.AddRow({"editeur.exe", QStringLiteral("liste.txt - Editeur %1").arg(n),
                      std::floor(at), at - std::floor(at), 0, 0, 0});
    }

    QTemporaryDir home;
    TNotesPad notes;
    TTraceData trace;
    std::unique_ptr<TRecoveryRecorder> recorder;
};

// A burst (five entries, a copy and a trace row) and the journal's one write for it, on a pad
// of 1 000 and of 100 000 lines: bytes and writes per burst.
void BM_JournalBurst(benchmark::State& state)
{
    TArmed armed(static_cast<int>(state.range(0)));
    const qint64 before = armed.JournalSize();
    int n = 0;
    for (auto _ : state) {
        armed.Burst(++n);
        armed.recorder->Flush();
    }
    state.counters["bytes_per_burst"] =
        static_cast<double>(armed.JournalSize() - before) / static_cast<double>(n);
    state.counters["writes_per_burst"] =
        static_cast<double>(armed.Records()) / static_cast<double>(n);
}
BENCHMARK(BM_JournalBurst)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Two seconds of the event loop with nothing changing, after a burst was written: how often
// the journal's timer woke the program.
void BM_JournalIdle(benchmark::State& state)
{
    TArmed armed(1000);
    armed.Burst(1);
    auto* timer = armed.recorder->findChild<QTimer*>(QStringLiteral("timerRecovery"));
    int wakeUps = 0;
    QObject::connect(timer, &QTimer::timeout, [&wakeUps]() { ++wakeUps; });
    QEventLoop loop;
    // The burst's own write first, then the idle time counted.
    QTimer::singleShot(1500, &loop, &QEventLoop::quit);
    loop.exec();
    const int afterBurst = wakeUps;
    for (auto _ : state) {
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    state.counters["burst_writes"] = afterBurst;
    state.counters["idle_wakeups"] = wakeUps - afterBurst;
}
BENCHMARK(BM_JournalIdle)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
