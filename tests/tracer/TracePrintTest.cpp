#include "TestEnv.h"
#include "tracer/U_TracePrint.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {
// Records the drawing: header texts as "x,y text", row line n as "n: x text", bold with "*".
// The page is 4760 pixels wide and texts 50 high, so line n is at y = 50 n + 120.
class TRecordingCanvas : public TPrintCanvas
{
public:
    bool BeginDocument(const QString& title) override { return Log("begin " + title, 1); }
    int PageWidth() const override { return 4760; }
    void SetFont(const QString&, int, bool b) override { bold = b; }
    int TextHeight() const override { return 50; }
    void TextOut(int x, int y, const QString& text) override
    {
        log.append((y < 120 ? QStringLiteral("%1,%2").arg(x).arg(y)
                            : QStringLiteral("%1: %2").arg((y - 120) / 50).arg(x)) +
                   ' ' + text + (bold ? "*" : ""));
    }
    bool NewPage() override { return Log("new page", 2); }
    bool EndDocument() override { return Log("end", 3); }
    void Abort() override { log.append("abort"); }

    int failing = 0; // 1: begin, 2: new page, 3: end
    QStringList log;

private:
    bool Log(const QString& what, int call)
    {
        log.append(what);
        return failing != call;
    }
    bool bold = false;
};

class TracePrintTest : public TarvelleTest
{
protected:
    void Add(const QString& date, int count = 1, const QString& title = "t",
             const QString& duree = "00:10:00")
    {
        for (int i = 0; i < count; ++i)
            grid.AppendRows({{QStringLiteral("P%1").arg(grid.rowCount()), title, date, "09:00:00",
                              "09:05:00", "09:15:00", duree}});
    }
    // The drawing without the rows' columns 1 to 6, " | " between two calls.
    QString Print(int day, int failing = 0)
    {
        canvas = TRecordingCanvas();
        canvas.failing = failing;
        const bool ok = PrintTraceGrid(grid, "T", day, canvas, "marie");
        static const QRegularExpression otherColumns("^\\d+: (793|2674|3195|3592|4000|4387) ");
        QStringList kept;
        for (const QString& call : canvas.log)
            if (!otherColumns.match(call).hasMatch())
                kept.append(call);
        return kept.join(" | ") + (ok ? "" : " | false");
    }

    TTraceGrid grid;
    TRecordingCanvas canvas;
};

const QString kHeader = "begin T | 10,20 T* | 4175,20 07/12/2026 - p. 1 | ";
} // namespace

// Every day: its rows, its total in bold on the next line, a blank line, the next day.
TEST_F(TracePrintTest, AllDaysPrintEachDaysTotalAfterItsRows)
{
    Add("05/12/2026", 3);
    Add("06/12/2026", 1, "C:\\docs\\plan.txt - Editor", "01:00:00");
    Add("06/12/2026", 1, "t", "00:02:03");
    EXPECT_EQ(Print(0), kHeader + "1: 99 P0 | 2: 99 P1 | 3: 99 P2 | 4: 4379 00:30:00* | "
                                  "6: 99 P3 | 7: 99 P4 | 8: 4379 01:02:03* | end");
    EXPECT_EQ(canvas.log.mid(3, 7),
              QStringList({"1: 99 P0", "1: 793 t", "1: 2674 05/12/2026", "1: 3195 09:00:00",
                           "1: 3592 09:05:00", "1: 4000 09:15:00", "1: 4387 00:10:00"}));
    EXPECT_TRUE(canvas.log.contains("6: 793 plan.txt - Editor"));
}

// A tab's day alone: its rows and one total; day 1 is the newest tab, at the bottom. The same
// date in two runs is two tabs, each printed with its own rows and total, as the tab shows.
TEST_F(TracePrintTest, ADayAlonePrintsTheRowsOfItsTabAndOneTotal)
{
    Add("05/12/2026", 2);
    Add("06/12/2026");
    Add("05/12/2026");
    const QString expected[] = {"1: 99 P3 | 2: 4379 00:10:00*", "1: 99 P2 | 2: 4379 00:10:00*",
                                "1: 99 P0 | 2: 99 P1 | 3: 4379 00:20:00*",
                                "1: 4379 00:00:00*"}; // no such tab: a zero total
    for (int day = 1; day <= 4; ++day)
        EXPECT_EQ(Print(day), kHeader + expected[day - 1] + " | end") << day;
    grid.Clear();
    EXPECT_EQ(Print(0), kHeader + "1: 4379 00:00:00* | end");
}

// Once a row ends on line 83 or beyond (a wrapped title), the next row goes to line 1 of a new
// page headed by the user name and page 2. A file-name part over 64 characters takes as many
// lines as it needs, the columns after it on its last line. A device that fails to start, to
// turn a page or to finish: the document is aborted.
TEST_F(TracePrintTest, PagesEndAfterLine83AndLongTitlesWrap)
{
    Add("05/12/2026", 84);
    EXPECT_TRUE(
        Print(0).endsWith("83: 99 P82 | new page | 10,20 marie | "
                          "4175,20 07/12/2026 - p. 2 | 1: 99 P83 | 2: 4379 14:00:00* | end"));
    EXPECT_EQ(Print(0, 1), "begin T | abort | false");
    EXPECT_TRUE(Print(0, 2).endsWith("83: 99 P82 | new page | abort | false"));
    EXPECT_TRUE(Print(0, 3).endsWith("2: 4379 14:00:00* | end | abort | false"));
    grid.Clear();
    Add("05/12/2026", 1, "D:\\" + QString(64, 'a') + "bbbbbb");
    Add("05/12/2026", 1, QString(128, 'c') + "dd");
    Print(0);
    EXPECT_EQ(canvas.log.mid(4, 3),
              QStringList({"1: 793 " + QString(64, 'a'), "2: 793 bbbbbb", "2: 2674 05/12/2026"}));
    EXPECT_EQ(canvas.log.mid(12, 4),
              QStringList({"3: 793 " + QString(64, 'c'), "4: 793 " + QString(64, 'c'), "5: 793 dd",
                           "5: 2674 05/12/2026"}));
    grid.Clear();
    Add("05/12/2026", 82);
    Add("05/12/2026", 1, QString(70, 'a'));
    Add("05/12/2026");
    EXPECT_TRUE(Print(0).contains("82: 99 P81 | 83: 99 P82 | new page | 10,20 marie | "
                                  "4175,20 07/12/2026 - p. 2 | 1: 99 P83"));
}

// A row without a date is left out and ends its day's run. A bad duration throws before the
// document starts, whether every day or one day is printed.
TEST_F(TracePrintTest, BadTotalsThrowBeforeAnythingIsPrinted)
{
    Add("05/12/2026", 1, "t", "12:00:00");
    Add("", 1, "t", "1:00:00");
    Add("05/12/2026", 1, "t", "12:00:00");
    EXPECT_EQ(Print(0),
              kHeader + "1: 99 P0 | 2: 4379 12:00:00* | 4: 99 P2 | 5: 4379 12:00:00* | end");
    grid.SetCell(1, TraceColumn::dateTrace, "05/12/2026");
    for (int day : {0, 1}) {
        canvas = TRecordingCanvas();
        EXPECT_THROW(PrintTraceGrid(grid, "T", day, canvas, "marie"), EConvertError);
        EXPECT_EQ(canvas.log, QStringList()) << day;
    }
}
