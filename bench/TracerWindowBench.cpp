// One change of origin while the tracer window shows the grid, with 10 and with 100 000 rows:
// the two must cost the same.
#include "core/U_Glb.h"
#include "tracer/F_TimingTrace.h"
#include "tracer/U_TracerController.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

namespace {
void BM_OriginChangeWithWindowShown(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    TTracerController tracer;
    const TDateTime today = ToDateTime(QDate::currentDate());
    std::vector<TTraceProc> procs;
    std::vector<TTraceCells> cells;
    for (int i = 0; i < rows; ++i) {
        // Older days first, today's rows at the bottom, as a long trace has them.
        const TDateTime day = today - (rows - 1 - i) / 300;
        procs.push_back({QStringLiteral("PROG%1.EXE").arg(i % 300), QStringLiteral("Document"), day,
                         0.3, 0.3, 0.31, 0.01});
        cells.push_back(TTraceData::CellsOf(procs.back()));
    }
    tracer.trace.AddRows(std::move(procs), std::move(cells));
    TfrmTimingTrace window(tracer);
    window.show();
    QApplication::processEvents();
    int turn = 0;
    for (auto _ : state) {
        // Two origins in turn: each sample closes one row and resumes the other.
        tracer.sampler.LoadTraceTime(QStringLiteral("PROG%1.EXE").arg(turn % 2 + 3),
                                     QStringLiteral("Document"), NowDateTime());
        QApplication::processEvents();
        ++turn;
    }
}
BENCHMARK(BM_OriginChangeWithWindowShown)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);
} // namespace
