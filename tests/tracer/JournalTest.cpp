#include "TestEnv.h"
#include "tracer/U_Journal.h"

#include <gtest/gtest.h>

namespace {
class JournalTest : public TarvelleTest
{
protected:
    void Add(const QString& date, const QString& duree)
    {
        grid.AppendRows({{"A.EXE", "t", date, "09:00:00", "09:00:00", "09:10:00", duree}});
    }
    // Each block as "first row: summary".
    QStringList Blocks() const
    {
        QStringList texts;
        for (const TDayBlock& block : BuildDayBlocks(grid))
            texts.append(QStringLiteral("%1: %2").arg(block.firstRow).arg(block.summary));
        return texts;
    }

    TTraceGrid grid;
};
} // namespace

// One summary per run of rows of one date, in grid order, a date seen again after another
// being a run of its own; the used rows end at the first row without a process or a date.
TEST_F(JournalTest, DaySummariesFollowTheRunsOfDatesWithinTheUsedRows)
{
    const std::pair<const char*, const char*> rows[] = {
        {"05/12/2026", "00:30:00"}, {"05/12/2026", "00:15:30"}, {"06/12/2026", "00:59:59"},
        {"06/12/2026", "00:02:03"}, {"06/12/2026", "00:00:01"}, {"07/12/2026", "23:59:59"},
        {"05/12/2026", "00:01:00"}};
    for (const auto& [date, duree] : rows)
        Add(date, duree);
    EXPECT_EQ(Blocks(), QStringList({"0: 05/12/26=00:45:302", "2: 06/12/26=01:02:033",
                                     "5: 07/12/26=23:59:591", "6: 05/12/26=00:01:001"}));
    EXPECT_EQ(DaySummary(grid, 3, "06/12/2026").rows, 2);
    for (int blank : {TraceColumn::procName, TraceColumn::dateTrace}) {
        grid.SetCell(1, blank, "");
        EXPECT_EQ(UsedRowCount(grid), 1);
        EXPECT_EQ(Blocks(), QStringList({"0: 05/12/26=00:30:001"}));
        grid.SetCell(1, blank, blank ? "05/12/2026" : "A.EXE");
    }
}

// A duration that is no time, or a day total of 24 hours or more, is a conversion error.
TEST_F(JournalTest, TotalsWithoutATimeTextThrow)
{
    for (const char* bad : {"12:00:00", "1:00:00", "ab:cd:ef", ""}) {
        grid.Clear();
        Add("05/12/2026", "12:00:00");
        Add("05/12/2026", bad);
        EXPECT_THROW(BuildDayBlocks(grid), EConvertError) << bad;
    }
}

TEST(FileNamePart, KeepsTheTextAfterTheLastBackslashOrColon)
{
    const QString cases[][2] = {{"C:\\docs\\plan.txt - Editor", "plan.txt - Editor"},
                                {"Agenda: juin", " juin"},
                                {"a\\b: c\\d", "d"},
                                {"Sans titre", "Sans titre"},
                                {"fin:", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(FileNamePart(c[0]), c[1]) << c[0].toStdString();
}
