#include "alarms/F_ListAlrms0.h"
#include "alarms/U_Alarms.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {
constexpr int kRecords = 10000;

// 10 000 records of two subject lines each (about 600 kB), in a program folder of its own.
QString AlarmPath()
{
    static QTemporaryDir home;
    static bool written = false;
    if (!written) {
        qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
        QStringList lines;
        for (int i = 0; i < kRecords; ++i)
            lines.append(QStringLiteral("07/12/2026;%1:%2:00;Réunion n°%3 : compte rendu|suite")
                             .arg(10 + i % 14, 2, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0'))
                             .arg(i));
        QFile file(AppFolder() + QStringLiteral("breakPoint.csv"));
        const QByteArray bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
        written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    return AppFolder() + QStringLiteral("breakPoint.csv");
}

// The floor: one read, the decoding, and every line split into its three fields.
void BM_ReadDecodeSplit(benchmark::State& state)
{
    const QString path = AlarmPath();
    for (auto _ : state) {
        QStringList lines;
        TextFile::ReadLines(path, lines);
        for (const QString& line : lines)
            benchmark::DoNotOptimize(SplitFields(line, QStringLiteral(";"), 3));
    }
}
BENCHMARK(BM_ReadDecodeSplit)->Unit(benchmark::kMillisecond);

// The list window in file mode, made and filled.
void BM_LoadAlarmList(benchmark::State& state)
{
    AlarmPath();
    TAlarms alarms;
    for (auto _ : state) {
        TfrmListAlrms0 list(alarms, nullptr);
        list.LoadAlarmList();
        benchmark::DoNotOptimize(list.AlarmCount);
    }
}
BENCHMARK(BM_LoadAlarmList)->Unit(benchmark::kMillisecond);
} // namespace
