#include "tracer/U_TracePrint.h"

#include "core/U_Glb.h"
#include "tracer/U_Journal.h"

#include <array>
#include <vector>

namespace {
const QString kFont = QStringLiteral("Arial");
constexpr int kTitlePoints = 12;
constexpr int kTextPoints = 8;
constexpr int kHeaderX = 10;
constexpr int kHeaderY = 20;
constexpr int kFirstLineY = 120;
constexpr int kLastLine = 83;
constexpr qsizetype kWrapLength = 64;
constexpr double kDateDivisor = 1.14;
constexpr double kTotalDivisor = 1.087;
constexpr std::array<double, TraceColumn::count> kColumnDivisors = {48,    6,    1.78, 1.49,
                                                                    1.325, 1.19, 1.085};

// A run of consecutive rows printed under one day total.
struct TPrintBlock
{
    int firstRow = 0;
    TDayTotal day;
};

// Every day: each run of rows of one date, rows without a date skipped. A row without a date
// ends a run, so that a total always counts exactly the rows printed above it.
std::vector<TPrintBlock> AllDayBlocks(const TTraceGrid& grid)
{
    std::vector<TPrintBlock> blocks;
    const int count = grid.rowCount();
    for (int row = 0; row < count;) {
        const QString& date = grid.Cell(row, TraceColumn::dateTrace);
        if (date.isEmpty()) {
            ++row;
            continue;
        }
        const TDayTotal day = DaySummary(grid, row, date, count);
        blocks.push_back({row, day});
        row += day.rows;
    }
    return blocks;
}

// The day of the journal's tab `day` - 1, counted from the newest: the very rows that tab
// shows, so that the same date in two runs prints the run chosen, with its own total.
std::vector<TPrintBlock> SelectedDayBlocks(const TTraceGrid& grid, int day)
{
    const std::vector<TDayBlock> tabs = BuildDayBlocks(grid);
    if (day > static_cast<int>(tabs.size()))
        return {};
    const TDayBlock& tab = tabs[tabs.size() - static_cast<std::size_t>(day)];
    return {{tab.firstRow, tab.day}};
}

// Draws the trace page by page on a canvas, keeping the line counter and page number.
class TTraceLayout
{
public:
    TTraceLayout(const TTraceGrid& grid, TPrintCanvas& canvas, const QString& userName)
        : grid(grid), canvas(canvas), userName(userName)
    {
    }

    bool Begin(const QString& title)
    {
        if (!canvas.BeginDocument(title))
            return false;
        const int width = canvas.PageWidth();
        for (std::size_t c = 0; c < columnX.size(); ++c)
            columnX[c] = At(width, kColumnDivisors[c]);
        dateX = At(width, kDateDivisor);
        totalX = At(width, kTotalDivisor);
        dateText = CurrentDateText();
        canvas.SetFont(kFont, kTitlePoints, true);
        canvas.TextOut(kHeaderX, kHeaderY, title);
        canvas.SetFont(kFont, kTextPoints, false);
        lineHeight = canvas.TextHeight();
        DrawDateAndPage();
        return true;
    }

    bool PrintBlock(const TPrintBlock& block, bool afterAnother)
    {
        if (afterAnother)
            ++line; // a blank line between two days
        for (int row = block.firstRow; row < block.firstRow + block.day.rows; ++row)
            if (!PrintRow(grid.Row(row)))
                return false;
        PrintTotal(block.day);
        return true;
    }

    void PrintTotal(const TDayTotal& day)
    {
        ++line;
        canvas.SetFont(kFont, kTextPoints, true);
        canvas.TextOut(totalX, LineY(), TimeText(day.total));
        canvas.SetFont(kFont, kTextPoints, false);
    }

private:
    static int At(int width, double divisor) { return qRound(width / divisor); }
    int LineY() const { return lineHeight * line + kFirstLineY; }

    void DrawDateAndPage()
    {
        canvas.TextOut(dateX, kHeaderY,
                       dateText + QStringLiteral(" - p. ") + QString::number(page));
    }

    bool PrintRow(const TTraceCells& cells)
    {
        ++line;
        for (int c = 0; c < TraceColumn::count; ++c) {
            const auto x = columnX[static_cast<std::size_t>(c)];
            if (c == TraceColumn::winTitle)
                PrintWrapped(x, FileNamePart(cells[TraceColumn::winTitle]));
            else
                canvas.TextOut(x, LineY(), cells[static_cast<std::size_t>(c)]);
        }
        return line < kLastLine || NextPage();
    }

    // A long title goes on as many lines as it needs, 64 characters each, the columns after it
    // on its last line: cut only once, a 255-character title would run over them.
    void PrintWrapped(int x, const QString& text)
    {
        canvas.TextOut(x, LineY(), text.left(kWrapLength));
        for (qsizetype from = kWrapLength; from < text.size(); from += kWrapLength) {
            ++line;
            canvas.TextOut(x, LineY(), text.mid(from, kWrapLength));
        }
    }

    bool NextPage()
    {
        ++page;
        if (!canvas.NewPage())
            return false;
        canvas.TextOut(kHeaderX, kHeaderY, userName);
        DrawDateAndPage();
        line = 0;
        return true;
    }

    const TTraceGrid& grid;
    TPrintCanvas& canvas;
    const QString userName;
    std::array<int, TraceColumn::count> columnX{};
    int dateX = 0;
    int totalX = 0;
    int lineHeight = 0;
    QString dateText;
    int page = 1;
    int line = 0;
};

bool Draw(TTraceLayout& layout, const QString& title, const std::vector<TPrintBlock>& blocks)
{
    if (!layout.Begin(title))
        return false;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (!layout.PrintBlock(blocks[i], i > 0))
            return false;
    // Nothing to print still says so: a zero total under the title.
    if (blocks.empty())
        layout.PrintTotal({});
    return true;
}
} // namespace

bool PrintTraceGrid(const TTraceGrid& grid, const QString& title, int day, TPrintCanvas& canvas,
                    const QString& userName)
{
    // Every total is computed before the document starts: a job handed to a printer cannot
    // always be recalled, so a bad duration must stop the printing before anything is sent.
    const std::vector<TPrintBlock> blocks =
        day > 0 ? SelectedDayBlocks(grid, day) : AllDayBlocks(grid);
    TTraceLayout layout(grid, canvas, userName);
    try {
        if (Draw(layout, title, blocks) && canvas.EndDocument())
            return true;
    } catch (...) {
        canvas.Abort();
        throw;
    }
    canvas.Abort();
    return false;
}
