#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"
#include "tracer/U_TraceFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <memory>

namespace {
// A program folder of its own holding a trace file of `lines` rows, made once.
const QByteArray& TraceBytes(int lines)
{
    static QTemporaryDir home;
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text.append(QStringLiteral("PROG%1.EXE;Document %2 - Éditeur de texte;%3/11/2026;"
                                       "08:%4:00;09:00:00;09:30:00;00:45:00")
                            .arg(i % 40)
                            .arg(i)
                            .arg(i / 4000 + 1, 2, 10, QLatin1Char('0'))
                            .arg(i % 60, 2, 10, QLatin1Char('0')));
        bytes = TextCodec::Encode(TextCodec::JoinLines(text));
        QFile file(TraceFilePath());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    return bytes;
}

std::unique_ptr<TTraceData> LoadedTrace()
{
    auto data = std::make_unique<TTraceData>();
    Glb().TracerWindowPending = true;
    LoadTrace(*data);
    return data;
}

void BM_PlainRead(benchmark::State& state)
{
    TraceBytes(100000);
    for (auto _ : state) {
        QFile file(TraceFilePath());
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// The read every text file of the program gets: one read, decoded, cut into lines.
void BM_ReadLines(benchmark::State& state)
{
    TraceBytes(100000);
    for (auto _ : state) {
        QStringList lines;
        TextFile::ReadLines(TraceFilePath(), lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_LoadTrace(benchmark::State& state)
{
    TraceBytes(100000);
    for (auto _ : state) {
        std::unique_ptr<TTraceData> data = LoadedTrace();
        if (data->lastRow() != 99999)
            state.SkipWithError("rows missing");
        state.PauseTiming();
        data.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadTrace)->Unit(benchmark::kMillisecond);

void BM_PlainWrite(benchmark::State& state)
{
    const QByteArray& bytes = TraceBytes(100000);
    for (auto _ : state) {
        QFile file(TraceFilePath());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(file.write(bytes));
    }
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);

// The same bytes through an atomic replace: a new file, flushed and renamed.
void BM_PlainAtomicWrite(benchmark::State& state)
{
    const QByteArray& bytes = TraceBytes(100000);
    for (auto _ : state) {
        QSaveFile file(TraceFilePath());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        benchmark::DoNotOptimize(file.commit());
    }
}
BENCHMARK(BM_PlainAtomicWrite)->Unit(benchmark::kMillisecond);

// The write every text file of the program gets: lines joined, encoded, replaced atomically.
void BM_WriteLines(benchmark::State& state)
{
    const QStringList lines = TextCodec::SplitLines(TextCodec::Decode(TraceBytes(100000)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::ReplaceLines(TraceFilePath(), lines));
}
BENCHMARK(BM_WriteLines)->Unit(benchmark::kMillisecond);

void BM_SaveTrace(benchmark::State& state)
{
    TraceBytes(100000);
    const std::unique_ptr<TTraceData> data = LoadedTrace();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveTrace(*data));
    if (QFile(TraceFilePath()).size() != TraceBytes(100000).size())
        state.SkipWithError("file changed");
}
BENCHMARK(BM_SaveTrace)->Unit(benchmark::kMillisecond);

// One search per origin change, against traces of growing size: the cost must stay flat.
void BM_FindTraceRow(benchmark::State& state)
{
    TTraceData data;
    const auto rows = static_cast<int>(state.range(0));
    const TDateTime day = ToDateTime(QDate(2026, 12, 7));
    for (int i = 0; i < rows; ++i)
        data.AddRow({QStringLiteral("PROG%1.EXE").arg(i % 50), QStringLiteral("Document %1").arg(i),
                     day - (rows - 1 - i) / 200, 0, 0, 0, 0});
    const QString last = QStringLiteral("PROG%1.EXE").arg((rows - 1) % 50);
    const QString lastTitle = QStringLiteral("Document %1").arg(rows - 1);
    int found = 0;
    for (auto _ : state) {
        found += data.FindTraceRow(last, lastTitle, day).has_value();
        found += data.FindTraceRow(last, TTraceData::kNoSearch, day).has_value();
        found += data.FindTraceRow(QStringLiteral("ABSENT.EXE"), lastTitle, day).has_value();
        found += data.NoRowToday(day);
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_FindTraceRow)->Arg(100)->Arg(10000)->Arg(100000);
} // namespace

BENCHMARK_MAIN();
