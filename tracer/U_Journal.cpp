#include "tracer/U_Journal.h"

#include "core/U_Glb.h"

namespace {
constexpr int kCaptionLength = 17;
} // namespace

int UsedRowCount(const TTraceGrid& grid)
{
    const int count = grid.rowCount();
    for (int row = 0; row < count; ++row)
        if (grid.Cell(row, TraceColumn::procName).isEmpty() ||
            grid.Cell(row, TraceColumn::dateTrace).isEmpty())
            return row;
    return count;
}

TDayTotal DaySummary(const TTraceGrid& grid, int firstRow, const QString& dateText, int usedRows)
{
    TDayTotal day;
    int seconds = 0;
    for (int row = firstRow; row < usedRows && grid.Cell(row, TraceColumn::dateTrace) == dateText;
         ++row) {
        const QString& cell = grid.Cell(row, TraceColumn::duree);
        const std::optional<int> added = TextToSeconds(cell);
        if (!added)
            throw EConvertError(
                QStringLiteral("'%1' n'est pas une heure correcte").arg(cell).toStdString());
        // Summed as the times of day are: a day's total of 24 hours or more has no time text.
        seconds += *added;
        if (seconds >= kSecondsPerDay)
            throw EConvertError("Invalid argument to time encode");
        ++day.rows;
    }
    day.total = TimeFromSeconds(seconds);
    return day;
}

TDayTotal DaySummary(const TTraceGrid& grid, int firstRow, const QString& dateText)
{
    return DaySummary(grid, firstRow, dateText, UsedRowCount(grid));
}

QString DaySummaryText(const QString& dateText, const TDayTotal& day)
{
    return dateText.left(6) + dateText.mid(8, 2) + u'=' + TimeText(day.total) +
           QString::number(day.rows);
}

QString TDayBlock::Caption() const
{
    return summary.left(kCaptionLength);
}

std::vector<TDayBlock> BuildDayBlocks(const TTraceGrid& grid)
{
    std::vector<TDayBlock> blocks;
    const int used = UsedRowCount(grid);
    for (int row = 0; row < used;) {
        const QString& date = grid.Cell(row, TraceColumn::dateTrace);
        const TDayTotal day = DaySummary(grid, row, date, used);
        blocks.push_back({row, day, DaySummaryText(date, day)});
        row += day.rows;
    }
    return blocks;
}

QStringList BuildDaySummaries(const TTraceGrid& grid)
{
    QStringList summaries;
    for (const TDayBlock& block : BuildDayBlocks(grid))
        summaries.append(block.summary);
    return summaries;
}

QString FileNamePart(const QString& title)
{
    const qsizetype cut = std::max(title.lastIndexOf(u'\\'), title.lastIndexOf(u':'));
    return cut < 0 ? title : title.mid(cut + 1);
}
