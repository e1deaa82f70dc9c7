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
    TTraceProc Proc(const QString& name, const QString& title, TDateTime day,
                    const char* deb = "09:00:00")
    {
        return {name, title, day, T(deb), T(deb), 0, 0};
    }
    QStringList RowTexts(int row) const
    {
        const TTraceCells& cells = data.grid.Row(row);
        return QStringList(cells.begin(), cells.end());
    }
    // The search as a walk from the top of the grid, to check the index against.
    std::optional<int> Walk(const QString& name, const QString& title, TDateTime day) const
    {
        for (int row = 0; row <= data.lastRow(); ++row) {
            const TTraceCells& c = data.grid.Row(row);
            if (c[0] == name && (title == TTraceData::kNoSearch || c[1] == title) &&
                c[2] == DateText(day))
                return row;
        }
        return std::nullopt;
    }

    TTraceData data;
    const TDateTime day = ToDateTime(QDate(2026, 12, 6));
    const TDateTime nextDay = day + 1;
};
} // namespace

TEST_F(TraceDataTest, AddRowWritesTheEntryAndItsTexts)
{
    EXPECT_EQ(data.lastRow(), -1);
    EXPECT_EQ(data.table.SlotCount(), 512);
    QSignalSpy inserted(&data.grid, &QAbstractItemModel::rowsInserted);
    const TTraceProc open{"EDITEUR.EXE", "liste.txt - Editeur", day + T("09:15:02"),
                          T("09:15:02"), T("10:01:44"),         0,
                          T("00:52:10")};
    EXPECT_EQ(data.AddRow(open), 0);
    EXPECT_EQ(data.AddRow(Proc("B.EXE", "", day)), 1);
    EXPECT_EQ(data.lastRow(), 1);
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(*data.table.Proc(0), open);
    EXPECT_EQ(RowTexts(0), QStringList({"EDITEUR.EXE", "liste.txt - Editeur", "06/12/2026",
                                        "09:15:02", "10:01:44", "00:00:00", "00:52:10"}));
    EXPECT_EQ(data.grid.data(data.grid.index(1, 0)), "B.EXE");
}

TEST_F(TraceDataTest, AValueWithoutTextAddsNothing)
{
    data.AddRow(Proc("A.EXE", "a", day));
    TTraceProc bad = Proc("B.EXE", "b", day);
    bad.dateTrace = std::nan("");
    EXPECT_THROW(data.AddRow(bad), EConvertError);
    EXPECT_THROW(data.SetRow(0, bad), EConvertError);
    EXPECT_EQ(data.lastRow(), 0);
    EXPECT_EQ(data.table.Proc(1), nullptr);
    EXPECT_EQ(data.table.Proc(0)->procName, "A.EXE");
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");
}

TEST_F(TraceDataTest, SetRowRewritesARowOrAppendsRightAfterTheLast)
{
    data.AddRow(Proc("A.EXE", "a", day));
    data.SetRow(0, Proc("C.EXE", "c", nextDay));
    data.SetRow(1, Proc("D.EXE", "d", day));
    EXPECT_EQ(data.lastRow(), 1);
    EXPECT_EQ(data.table.Proc(0)->procName, "C.EXE");
    EXPECT_EQ(data.grid.Cell(0, 2), "07/12/2026");
    EXPECT_EQ(data.FindTraceRow("C.EXE", "c", nextDay), 0);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "a", day), std::nullopt);
    EXPECT_THROW(data.SetRow(3, Proc("E.EXE", "e", day)), std::out_of_range);
    EXPECT_THROW(data.SetRow(-1, Proc("E.EXE", "e", day)), std::out_of_range);
    EXPECT_EQ(data.lastRow(), 1);
}

TEST_F(TraceDataTest, FindTraceRowTakesTheFirstExactMatchFromTheTop)
{
    data.AddRow(Proc("A.EXE", "one", day));      // 0
    data.AddRow(Proc("A.EXE", "two", day));      // 1
    data.AddRow(Proc("A.EXE", "one", nextDay));  // 2
    data.AddRow(Proc("A.EXE", "one", day));      // 3, a second row with the same key
    data.AddRow(Proc("a.exe", "One", day));      // 4
    data.AddRow(Proc("B.EXE", "noSearch", day)); // 5

    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", day), 0);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "two", day), 1);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", nextDay + T("23:00:00")), 2);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "noSearch", day), 0);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "noSearch", nextDay), 2);
    EXPECT_EQ(data.FindTraceRow("a.exe", "One", day), 4);
    EXPECT_EQ(data.FindTraceRow("a.exe", "one", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one ", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("A.EX", "noSearch", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "three", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", day + 2), std::nullopt);
    // A title that is the marker itself matches any title of the process and day.
    EXPECT_EQ(data.FindTraceRow("B.EXE", "noSearch", day), 5);
    EXPECT_EQ(data.FindTraceRow("B.EXE", "nosearch", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "", day), std::nullopt);
}

TEST_F(TraceDataTest, NoRowTodayLooksAtTheDateTexts)
{
    EXPECT_TRUE(data.NoRowToday(day));
    data.AddRow(Proc("A.EXE", "a", day));
    EXPECT_FALSE(data.NoRowToday(day + T("23:59:59")));
    EXPECT_TRUE(data.NoRowToday(nextDay));
    data.grid.SetCell(0, TraceColumn::dateTrace, "07/12/2026");
    EXPECT_TRUE(data.NoRowToday(day));
    EXPECT_FALSE(data.NoRowToday(nextDay));
    data.Clear();
    EXPECT_TRUE(data.NoRowToday(nextDay));
}

TEST_F(TraceDataTest, EditedCellsAreWhatTheSearchSees)
{
    data.AddRow(Proc("A.EXE", "one", day));
    data.AddRow(Proc("A.EXE", "one", day));
    data.AddRow(Proc("B.EXE", "two", day));
    QAbstractItemModel& model = data.grid;

    EXPECT_TRUE(model.setData(model.index(0, 1), "renamed"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", day), 1);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "renamed", day), 0);
    EXPECT_EQ(data.FindTraceRow("A.EXE", "noSearch", day), 0);

    EXPECT_TRUE(model.setData(model.index(0, 0), "C.EXE"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "noSearch", day), 1);
    EXPECT_EQ(data.FindTraceRow("C.EXE", "renamed", day), 0);

    EXPECT_TRUE(model.setData(model.index(2, 2), "07/12/2026"));
    EXPECT_EQ(data.FindTraceRow("B.EXE", "two", day), std::nullopt);
    EXPECT_EQ(data.FindTraceRow("B.EXE", "two", nextDay), 2);

    // Moving a row back into a key puts it in order before the rows found there.
    EXPECT_TRUE(model.setData(model.index(0, 0), "A.EXE"));
    EXPECT_TRUE(model.setData(model.index(0, 1), "one"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "one", day), 0);
    EXPECT_EQ(data.FindTraceRow("C.EXE", "noSearch", day), std::nullopt);

    // A hand edit changes the text only, never the entry.
    EXPECT_EQ(data.table.Proc(0)->procName, "A.EXE");
    EXPECT_EQ(data.table.Proc(2)->dateTrace, day);
}

TEST_F(TraceDataTest, UserEditsMarkTheTraceModifiedTheTracerWritesDoNot)
{
    data.AddRow(Proc("A.EXE", "one", day));
    QAbstractItemModel& model = data.grid;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    data.grid.SetCell(0, TraceColumn::heureFIN, "10:00:00");
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::heureFIN), "10:00:00"));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::duree), "01:00:00"));
    EXPECT_TRUE(Glb().Modified);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(data.grid.Cell(0, TraceColumn::duree), "01:00:00");
    EXPECT_EQ(data.table.Proc(0)->duree, 0.0);

    EXPECT_FALSE(model.setData(model.index(0, 1), "x", Qt::DisplayRole));
    EXPECT_FALSE(model.setData(model.index(1, 1), "x"));
    EXPECT_FALSE(model.setData(model.index(0, 7), "x"));
    EXPECT_EQ(data.grid.Cell(0, 1), "one");
}

TEST_F(TraceDataTest, TheModelHasSevenCaptionedEditableColumns)
{
    const QAbstractItemModel& model = data.grid;
    const QStringList captions = {
        "Processus",          "Titre", "Date", "Origine", "Dernière\r\nreprise",
        "Dernière\r\nsortie", "Durée"};
    ASSERT_EQ(model.columnCount(), 7);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), captions[c]);
    data.AddRow(Proc("A.EXE", "one", day));
    EXPECT_TRUE(model.flags(model.index(0, 6)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.flags(model.index(1, 0)), Qt::NoItemFlags);
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
        for (const QString& name : names)
            for (const QString& title : titles + QStringList{"noSearch"})
                for (const TDateTime d : days)
                    ASSERT_EQ(data.FindTraceRow(name, title, d), Walk(name, title, d))
                        << step << " " << name.toStdString() << " " << title.toStdString();
        for (const TDateTime d : days)
            ASSERT_EQ(data.NoRowToday(d),
                      !Walk("A.EXE", "noSearch", d) && !Walk("B.EXE", "noSearch", d) &&
                          !Walk("a.exe", "noSearch", d) && !Walk("", "noSearch", d));
    }
}
