#pragma once

#include "tracer/U_DateTime.h"
#include "tracer/U_TraceGrid.h"

#include <QString>
#include <QStringList>

#include <vector>

// A block of consecutive grid rows of one date: its total time and its row count.
struct TDayTotal
{
    TDateTime total = 0;
    int rows = 0;
};

// The rows from the top down to, not including, the first one whose process or date is empty.
int UsedRowCount(const TTraceGrid& grid);
// The block that starts at `firstRow` and keeps `dateText` in the date column, within the
// first `usedRows` rows. Throws EConvertError on a duration that is no time, or on a total
// of 24 hours or more.
TDayTotal DaySummary(const TTraceGrid& grid, int firstRow, const QString& dateText, int usedRows);
TDayTotal DaySummary(const TTraceGrid& grid, int firstRow, const QString& dateText);
// "06/12/26=01:02:037": short date, "=", total time, row count.
QString DaySummaryText(const QString& dateText, const TDayTotal& day);
// A block of consecutive rows of one date, as the journal shows it on one tab.
struct TDayBlock
{
    int firstRow = 0;
    TDayTotal day;
    // The summary text; its first 17 characters are the tab's caption.
    QString summary;

    QString Caption() const;
};
// The blocks of rows of one date, in grid order, within the used rows; throws as DaySummary.
std::vector<TDayBlock> BuildDayBlocks(const TTraceGrid& grid);
// Their summary texts.
QStringList BuildDaySummaries(const TTraceGrid& grid);
// A title reduced to its file-name part: the text after the last "\" or ":".
QString FileNamePart(const QString& title);
