// Printing the whole trace into a PDF through the real canvas. Runs offscreen: no display
// is needed.
#include "tracer/F_PrinterCanvas.h"
#include "tracer/U_TraceGrid.h"
#include "tracer/U_TracePrint.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

namespace {
constexpr int kRowsPerDay = 400;

// `rows` rows, 400 a day, with the titles a day of office work leaves: short ones, paths,
// and some longer than one printed line.
const TTraceGrid& Grid(int rows)
{
    static std::map<int, std::unique_ptr<TTraceGrid>> grids;
    std::unique_ptr<TTraceGrid>& grid = grids[rows];
    if (grid)
        return *grid;
    grid = std::make_unique<TTraceGrid>();
    std::vector<TTraceCells> cells;
    for (int i = 0; i < rows; ++i) {
        const QDate day = QDate(2026, 1, 1).addDays(i / kRowsPerDay);
        const QString title =
            i % 3 == 0   ? QStringLiteral("Boîte de réception (%1) - Thunderbird").arg(i % 50)
            : i % 3 == 1 ? QStringLiteral("C:\\Users\\marie\\Documents\\Projets\\Rapport "
                                          "trimestriel %1.odt - LibreOffice Writer")
                               .arg(i)
                         : QStringLiteral("Compte rendu de la réunion de suivi du chantier de "
                                          "la médiathèque, version %1 - Mozilla Firefox")
                               .arg(i);
        cells.push_back({QStringLiteral("PROG%1.EXE").arg(i % 40), title,
                         day.toString(QStringLiteral("dd/MM/yyyy")), "08:12:40", "16:03:11",
                         "16:05:02", "00:00:12"});
    }
    grid->AppendRows(std::move(cells));
    return *grid;
}

void BM_PrintTraceToPdf(benchmark::State& state)
{
    const TTraceGrid& grid = Grid(static_cast<int>(state.range(0)));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Traceur.pdf"));
    for (auto _ : state) {
        QFile::remove(path);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        TPrinterCanvas canvas(printer);
        if (!PrintTraceGrid(grid, QStringLiteral("Tarvelle - Trace - marie"), 0, canvas,
                            QStringLiteral("marie")))
            state.SkipWithError("the PDF could not be written");
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["rows"] = static_cast<double>(grid.rowCount());
}
BENCHMARK(BM_PrintTraceToPdf)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The layout alone, on a canvas that draws nothing: what the printing costs beyond Qt's.
class TNullCanvas : public TPrintCanvas
{
public:
    bool BeginDocument(const QString&) override { return true; }
    int PageWidth() const override { return 9500; }
    void SetFont(const QString&, int, bool) override {}
    int TextHeight() const override { return 110; }
    void TextOut(int x, int y, const QString& text) override
    {
        benchmark::DoNotOptimize(x + y + text.size());
    }
    bool NewPage() override { return true; }
    bool EndDocument() override { return true; }
    void Abort() override {}
};

void BM_LayoutOnly(benchmark::State& state)
{
    const TTraceGrid& grid = Grid(static_cast<int>(state.range(0)));
    TNullCanvas canvas;
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintTraceGrid(grid, QStringLiteral("T"), 0, canvas, "marie"));
}
BENCHMARK(BM_LayoutOnly)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace
