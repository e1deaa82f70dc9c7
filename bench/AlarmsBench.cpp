#include "alarms/U_Alarms.h"
#include "core/U_Clock.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <memory>

namespace {
constexpr int kRecords = 10000;

class TStillClock : public TClock
{
public:
    QDateTime Now() const override { return QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)); }
};

QString AlarmPath()
{
    return AppFolder() + QStringLiteral("breakPoint.csv");
}

// 10 000 records (about 600 kB): every other one dated before today, the rest of today at
// times still to come, in a program folder of its own.
const QByteArray& AlarmBytes()
{
    static QTemporaryDir home;
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
        SetClock(std::make_shared<TStillClock>());
        QStringList lines;
        for (int i = 0; i < kRecords; ++i)
            lines.append(
                QStringLiteral("%1;%2:%3:00;Réunion n°%4 : compte rendu à envoyer|suite")
                    .arg(i % 2 ? QStringLiteral("07/12/2026") : QStringLiteral("01/12/2026"))
                    .arg(10 + i % 14, 2, 10, QLatin1Char('0'))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(i));
        bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
    }
    return bytes;
}

// With `past` false the records of the past are moved to tomorrow: a purge keeps them all.
void WriteAlarmFile(bool past = true)
{
    QByteArray bytes = AlarmBytes();
    if (!past)
        bytes.replace("01/12/2026", "08/12/2026");
    QFile file(AlarmPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The floor: one read, the decoding, and every line split into its three fields.
void BM_ReadDecodeSplit(benchmark::State& state)
{
    WriteAlarmFile();
    for (auto _ : state) {
        QStringList lines;
        TextFile::ReadLines(AlarmPath(), lines);
        for (const QString& line : lines)
            benchmark::DoNotOptimize(SplitFields(line, QStringLiteral(";"), 3));
    }
}
BENCHMARK(BM_ReadDecodeSplit)->Unit(benchmark::kMillisecond);

// The floor of a purge that rewrites: the same, then the kept half written to a new file,
// synced to disk and renamed over the old one.
void BM_ReadDecodeSplitSyncedWrite(benchmark::State& state)
{
    WriteAlarmFile();
    const QByteArray kept = AlarmBytes().left(AlarmBytes().size() / 2);
    for (auto _ : state) {
        QStringList lines;
        TextFile::ReadLines(AlarmPath(), lines);
        for (const QString& line : lines)
            benchmark::DoNotOptimize(SplitFields(line, QStringLiteral(";"), 3));
        QSaveFile file(AlarmPath());
        file.open(QIODevice::WriteOnly);
        file.write(kept);
        benchmark::DoNotOptimize(file.commit());
        state.PauseTiming();
        WriteAlarmFile();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadDecodeSplitSyncedWrite)->Unit(benchmark::kMillisecond);

void BM_ArmNextAlarm(benchmark::State& state)
{
    WriteAlarmFile();
    TAlarms alarms;
    for (auto _ : state)
        alarms.ArmNextAlarm();
    if (alarms.ArmedTime() != QTime(11, 1, 0))
        state.SkipWithError("wrong alarm armed");
}
BENCHMARK(BM_ArmNextAlarm)->Unit(benchmark::kMillisecond);

// Arg 0: half the records are past, the file is rewritten through its temporary and synced
// to disk (a fresh copy each time). Arg 1: nothing is past, the file is only read and judged.
void BM_PurgePastAlarms(benchmark::State& state)
{
    const bool past = state.range(0) == 0;
    WriteAlarmFile(past);
    TAlarms alarms;
    for (auto _ : state) {
        alarms.PurgePastAlarms();
        if (past) {
            state.PauseTiming();
            WriteAlarmFile();
            state.ResumeTiming();
        }
    }
    alarms.PurgePastAlarms();
    if ((QFile(AlarmPath()).size() < AlarmBytes().size()) != past)
        state.SkipWithError("not purged as expected");
}
BENCHMARK(BM_PurgePastAlarms)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
