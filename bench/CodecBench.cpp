#include "core/U_Glb.h"
#include "core/U_TextCodec.h"

#include <benchmark/benchmark.h>

namespace {
// A trace-like text: 100 000 lines of seven fields with accented names.
QString TraceText()
{
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines.append(QStringLiteral("%1;05/12/2026;08:%2:00;09:00:00;09:30:00;00:45:00;Fenêtre")
                         .arg(i)
                         .arg(i % 60, 2, 10, QLatin1Char('0')));
    return TextCodec::JoinLines(lines);
}

void BM_DecodeWindows1252(benchmark::State& state)
{
    const QByteArray bytes = TextCodec::Encode(TraceText());
    for (auto _ : state)
        benchmark::DoNotOptimize(TextCodec::Decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeWindows1252)->Unit(benchmark::kMillisecond);

// The same text written in UTF-8: every line is decided on its own when read.
void BM_DecodeUtf8(benchmark::State& state)
{
    const QByteArray bytes = TraceText().toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(TextCodec::Decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeUtf8)->Unit(benchmark::kMillisecond);

void BM_EncodeWindows1252(benchmark::State& state)
{
    const QString text = TraceText();
    for (auto _ : state)
        benchmark::DoNotOptimize(TextCodec::Encode(text));
}
BENCHMARK(BM_EncodeWindows1252)->Unit(benchmark::kMillisecond);

void BM_SplitLinesAndFields(benchmark::State& state)
{
    const QString text = TraceText();
    for (auto _ : state) {
        int fields = 0;
        for (const QString& line : TextCodec::SplitLines(text))
            fields += static_cast<int>(SplitFields(line, QStringLiteral(";"), 7).size());
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(BM_SplitLinesAndFields)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
