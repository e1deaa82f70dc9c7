#include "core/U_Glb.h"
#include "tracer/F_Disptch0.h"
#include "tracer/F_Journal.h"
#include "tracer/U_TraceGrid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QFile>

#include <map>
#include <memory>
#include <unistd.h>

namespace {
constexpr int kDays = 365;

// A trace of a year, `rowsPerDay` rows a day, made once per size.
const TTraceGrid& YearGrid(int rowsPerDay)
{
    static std::map<int, std::unique_ptr<TTraceGrid>> grids;
    std::unique_ptr<TTraceGrid>& grid = grids[rowsPerDay];
    if (!grid) {
        grid = std::make_unique<TTraceGrid>();
        std::vector<TTraceCells> rows;
        const QDate first(2025, 1, 1);
        for (int day = 0; day < kDays; ++day)
            for (int i = 0; i < rowsPerDay; ++i)
                rows.push_back(
                    {QStringLiteral("PROG%1.EXE").arg(i % 40),
                     QStringLiteral("C:\\Documents\\Rapport %1.docx - Traitement").arg(i),
                     first.addDays(day).toString(QStringLiteral("dd/MM/yyyy")),
                     QStringLiteral("08:00:00"), QStringLiteral("09:00:00"),
                     QStringLiteral("09:04:00"), QStringLiteral("00:04:00")});
        grid->AppendRows(std::move(rows));
    }
    return *grid;
}

QWidget& TracerWindow()
{
    static QWidget window;
    window.setGeometry(300, 500, 497, 117);
    return window;
}

// Built, shown and painted once, as the user sees it open.
std::unique_ptr<Tfrmdisptch0> OpenJournal(const TTraceGrid& grid)
{
    std::unique_ptr<Tfrmdisptch0> journal = CreateJournal(grid, &TracerWindow());
    journal->show();
    QCoreApplication::processEvents();
    return journal;
}

double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

// Runs first, while the heap is still small, so that the growth is the journal's own.
void BM_JournalResidentGrowth(benchmark::State& state)
{
    const TTraceGrid& grid = YearGrid(static_cast<int>(state.range(0)));
    OpenJournal(YearGrid(1)); // the one-time costs: fonts, styles, the backing store
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        const auto journal = OpenJournal(grid);
        state.counters["rss_growth_MB"] = ResidentMegabytes() - before;
    }
}
BENCHMARK(BM_JournalResidentGrowth)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenJournal(benchmark::State& state)
{
    const TTraceGrid& grid = YearGrid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenJournal(grid));
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_OpenJournal)->Arg(3)->Arg(300)->Unit(benchmark::kMillisecond);
} // namespace
