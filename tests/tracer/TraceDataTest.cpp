#include "TestEnv.h"
#include "tracer/U_TraceData.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSignalSpy>

namespace {
TDateTime T(const char* text)
{
    return TextToTime(QString::fromLatin1(text)).value();
}

class TraceDataTest : public TarvelleTest
{
protected:
    TTraceProc Proc(const QString& name, const QString& title, TDateTime d,
                    const char* deb = "09:00:00")
    {
        return {name, title, d, T(deb), T(deb), 0, 0};
    }
    // The search as a walk from the top of the grid, to check the index against.
    std::optional<int> Walk(const QString& name, const QString& title, TDateTime d) const
    {
        for (int row = 0; row <= data.lastRow(); ++row) {
            const TTraceCells& c = data.grid.Row(row);
            if (c[0] == name && (title == TTraceData::kNoSearch || c[1] == title) &&
                c[2] == DateText(d))
                return row;
        }
        return std::nullopt;
    }

    TTraceData data;
    const TDateTime day = ToDateTime(QDate(2026, 12, 6));
    const TDateTime nextDay = day + 1;
};
} // namespace

TEST_F(TraceDataTest, TheTableKeepsItsSlotsAndNeverUpdatesAnEmptyOne)
{
    TTabTraceP table;
    EXPECT_EQ(table.SlotCount(), 512);
    EXPECT_EQ(table.Proc(-1), nullptr);
    EXPECT_EQ(table.Proc(512), nullptr);
    table.AddProc(0, "A.EXE", "", day, 0, T("14:00:00"), T("14:00:00"), 0);
    table.AddProc(1, "B.EXE", "", day, 0, T("09:15:00"), day + 1 + T("10:00:30"), 0);
    EXPECT_FALSE(table.Proc(1)->IsOpen());
    EXPECT_EQ(TimeText(table.ProcDuration(0)), "00:00:00");
    EXPECT_EQ(TimeText(table.ProcDuration(1)), "00:45:30");
    EXPECT_THROW(table.ProcDuration(2), std::out_of_range);
    EXPECT_THROW(table.AddProc(-1, "C.EXE", "", day, 0, 0, 0, 0), std::out_of_range);
    table.AddProc(0, "C.EXE", "", day, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(0)->procName, "C.EXE"); // a used slot is replaced
    table.UpdateProc(1, "B.EXE", "new", day, 0, 0, 0, 0);
    EXPECT_EQ(*table.Proc(1), (TTraceProc{"B.EXE", "new", day, 0, 0, 0, 0}));
    EXPECT_TRUE(table.Proc(1)->IsOpen());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    for (const int empty : {2, -1, 600}) {
        table.UpdateProc(empty, "X.EXE", "x", day, 0, 0, 0, 0);
        EXPECT_EQ(table.Proc(empty), nullptr);
    }
    EXPECT_EQ(dialogs->plainMessages, QStringList(3, QStringLiteral("PLANTAGE in U_GLB")));
    EXPECT_EQ(table.SlotCount(), 512);
}

TEST_F(TraceDataTest, TheTableGrowsPast512RowsOneByOneOrByRuns)
{
    TTabTraceP table;
    for (int i = 0; i < 2000; ++i)
        table.AddProc(i, QString::number(i), "", day, 0, 0, 0, 0);
    EXPECT_GE(table.SlotCount(), 2000);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(table.Proc(i)->procName, QString::number(i));
    table.UpdateProc(1999, "last", "", day, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(1999)->procName, "last");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    const auto procs = [this](const QString& prefix, int count) {
        std::vector<TTraceProc> list;
        for (int i = 0; i < count; ++i)
            list.push_back({prefix + QString::number(i), "", day, 0, 0, 0, 0});
        return list;
    };
    TTabTraceP runs;
    runs.AddProc(5, "x", "", day, 0, 0, 0, 0);
    runs.AddProcs(0, procs("a", 3));
    EXPECT_EQ(runs.Proc(2)->procName, "a2");
    EXPECT_EQ(runs.Proc(3), nullptr);
    EXPECT_EQ(runs.Proc(5)->procName, "x");
    runs.AddProcs(3, procs("b", 600));
    EXPECT_EQ(runs.Proc(2)->procName, "a2");
    EXPECT_EQ(runs.Proc(602)->procName, "b599");
    EXPECT_EQ(runs.Proc(603), nullptr);
    EXPECT_THROW(runs.AddProcs(-1, procs("d", 1)), std::out_of_range);
}

TEST_F(TraceDataTest, RowsAreAddedOrRewrittenOnlyWithValuesThatHaveATextAndInRange)
{
    QSignalSpy inserted(&data.grid, &QAbstractItemModel::rowsInserted);
    const TTraceProc open{"EDITEUR.EXE", "liste.txt - Editeur", day + T("09:15:02"),
                          T("09:15:02"), T("10:01:44"),         0,
                          T("00:52:10")};
    EXPECT_EQ(data.AddRow(open), 0);
    EXPECT_EQ(data.AddRow(Proc("B.EXE", "", day)), 1);
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(*data.table.Proc(0), open);
    EXPECT_EQ(data.grid.data(data.grid.index(1, 0)), "B.EXE");
    const TTraceCells& cells = data.grid.Row(0);
    EXPECT_EQ(QStringList(cells.begin(), cells.end()),
              QStringList({"EDITEUR.EXE", "liste.txt - Editeur", "06/12/2026", "09:15:02",
                           "10:01:44", "00:00:00", "00:52:10"}));

    TTraceProc bad = Proc("X.EXE", "x", day);
    bad.dateTrace = std::nan("");
    EXPECT_THROW(data.AddRow(bad), EConvertError);
    EXPECT_THROW(data.SetRow(0, bad), EConvertError);
    EXPECT_EQ(data.table.Proc(2), nullptr);
    EXPECT_EQ(data.grid.Cell(0, 0), "EDITEUR.EXE");

    data.SetRow(0, Proc("C.EXE", "c", nextDay));
    data.SetRow(2, Proc("D.EXE", "d", day)); // right after the last row: appended
    EXPECT_EQ(data.lastRow(), 2);
    EXPECT_EQ(data.grid.Cell(0, 2), "07/12/2026");
    EXPECT_EQ(data.FindTraceRow("C.EXE", "c", nextDay), 0);
    EXPECT_EQ(data.FindTraceRow("EDITEUR.EXE", "noSearch", day), std::nullopt);
    EXPECT_THROW(data.SetRow(4, Proc("E.EXE", "e", day)), std::out_of_range);
    EXPECT_THROW(data.SetRow(-1, Proc("E.EXE", "e", day)), std::out_of_range);
    EXPECT_EQ(data.lastRow(), 2);
}

TEST_F(TraceDataTest, FindTraceRowTakesTheFirstExactMatchFromTheTop)
{
    data.AddRow(Proc("A.EXE", "one", day));      // 0
    data.AddRow(Proc("A.EXE", "two", day));      // 1
    data.AddRow(Proc("A.EXE", "one", nextDay));  // 2
    data.AddRow(Proc("A.EXE", "one", day));      // 3, a second row with the same key
    data.AddRow(Proc("a.exe", "One", day));      // 4
    data.AddRow(Proc("B.EXE", "noSearch", day)); // 5
    const struct
    {
        const char *name, *title;
        TDateTime day;
        std::optional<int> row;
    } cases[] = {{"A.EXE", "one", day, 0},
                 {"A.EXE", "two", day, 1},
                 {"A.EXE", "one", nextDay + T("23:00:00"), 2},
                 {"A.EXE", "noSearch", day, 0},
                 {"A.EXE", "noSearch", nextDay, 2},
                 {"a.exe", "One", day, 4},
                 {"a.exe", "one", day, std::nullopt},
                 {"A.EXE", "one ", day, std::nullopt},
                 {"A.EX", "noSearch", day, std::nullopt},
                 {"A.EXE", "one", day + 2, std::nullopt},
                 // The marker itself matches any title of the process and day.
                 {"B.EXE", "noSearch", day, 5},
                 {"B.EXE", "nosearch", day, std::nullopt},
                 {"A.EXE", "", day, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(data.FindTraceRow(c.name, c.title, c.day), c.row) << c.name << " " << c.title;

    EXPECT_FALSE(data.NoRowToday(day + T("23:59:59")));
    EXPECT_TRUE(data.NoRowToday(day + 2));
    data.Clear();
    EXPECT_TRUE(data.NoRowToday(day));
}

TEST_F(TraceDataTest, UserEditsMarkTheTraceModifiedButNeverChangeTheEntry)
{
    data.AddRow(Proc("A.EXE", "one", day));
    data.AddRow(Proc("A.EXE", "one", day));
    QAbstractItemModel& model = data.grid;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    data.grid.SetCell(0, TraceColumn::heureFIN, "10:00:00");
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::heureFIN), "10:00:00"));
    EXPECT_FALSE(Glb().Modified); // the tracer's writes and unchanged texts
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::duree), "01:00:00"));
    EXPECT_TRUE(Glb().Modified);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(data.table.Proc(0)->duree, 0.0);

    // The search sees the edited texts; the entry keeps its values.
    EXPECT_TRUE(model.setData(model.index(0, 1), "renamed"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", day), 1);
    EXPECT_TRUE(model.setData(model.index(0, 2), "07/12/2026"));
    EXPECT_FALSE(data.NoRowToday(nextDay));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "renamed", nextDay), 0);
    EXPECT_EQ(data.table.Proc(0)->winTitle, "one");
    EXPECT_EQ(data.table.Proc(0)->dateTrace, day);

    EXPECT_FALSE(model.setData(model.index(0, 1), "x", Qt::DisplayRole));
    EXPECT_FALSE(model.setData(model.index(2, 1), "x"));
    EXPECT_FALSE(model.setData(model.index(0, 7), "x"));
    EXPECT_EQ(data.grid.Cell(0, 1), "renamed");
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_TRUE(model.flags(model.index(0, 6)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.flags(model.index(2, 0)), Qt::NoItemFlags);
}

// Appends, edits of every column and clears in a random order: the index answers what a
// walk of the grid answers, for every question.
TEST_F(TraceDataTest, TheIndexAgreesWithAWalkOfTheGrid)
{
    QRandomGenerator random(7);
    const QStringList names = {"A.EXE", "B.EXE", "a.exe", ""};
    const QStringList titles = {"one", "two", "", "noSearch"};
    const QList<TDateTime> days = {day, nextDay, day + 2};
    const auto pick = [&random](const auto& list) {
        return list[random.bounded(list.size())];
    };
    for (int step = 0; step < 3000; ++step) {
        const int action = random.bounded(100);
        if (action < 45 || data.lastRow() < 0)
            data.AddRow(Proc(pick(names), pick(titles), pick(days)));
        else if (action < 99) {
            const int row = random.bounded(data.lastRow() + 1);
            const int column = random.bounded(3);
            const QString text = column == 0   ? pick(names)
                                 : column == 1 ? pick(titles)
                                               : DateText(pick(days));
            data.grid.setData(data.grid.index(row, column), text);
        } else
            data.Clear();
        for (const TDateTime d : days) {
            bool none = true;
            for (const QString& name : names) {
                for (const QString& title : titles)
                    ASSERT_EQ(data.FindTraceRow(name, title, d), Walk(name, title, d))
                        << step << " " << name.toStdString() << " " << title.toStdString();
                none = none && !Walk(name, "noSearch", d);
            }
            ASSERT_EQ(data.NoRowToday(d), none) << step;
        }
    }
}
