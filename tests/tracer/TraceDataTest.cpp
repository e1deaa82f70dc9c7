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

TDateTime At(int d, const char* time)
{
    return ToDateTime(QDate(2026, 3, d)) + T(time);
}

class TraceDataTest : public TarvelleTest
{
protected:
    static TTraceProc Proc(const QString& name, const QString& title, TDateTime d)
    {
        return {name, title, d, T("09:00:00"), T("09:00:00"), 0, 0};
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

TEST(TraceTime, ConversionsKeepWholeSecondsAndTheEpoch)
{
    EXPECT_EQ(ToDateTime(QDate(2026, 12, 6)), 46362.0);
    EXPECT_EQ(ToDateTime(QTime(12, 0, 0, 999)), 0.5);
    const TDateTime at = ToDateTime(QDateTime(QDate(2026, 12, 6), QTime(18, 30, 5, 700)));
    EXPECT_EQ(DateOf(at), QDate(2026, 12, 6));
    EXPECT_EQ(DateText(at) + TimeText(at), "06/12/202618:30:05");
    // Days before the epoch count back while the fraction stays the time of day.
    EXPECT_EQ(DateOf(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(TimeText(-1.25), "06:00:00");
    EXPECT_EQ(ToDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    // Milliseconds are dropped, not rounded.
    EXPECT_EQ(SecondsOfDay(TimeFromSeconds(10) + 0.999 / kSecondsPerDay), 10);
    EXPECT_EQ(SecondsOfDay(TimeFromSeconds(10) - 0.0004 / kSecondsPerDay), 10);
    for (int s = 0; s < kSecondsPerDay; ++s) {
        const TDateTime value = 46362.0 + TimeFromSeconds(s);
        ASSERT_EQ(SecondsOfDay(value), s) << s;
        ASSERT_EQ(TextToTime(TimeText(value)), TimeFromSeconds(s)) << s;
    }
    // Values without a text are conversion errors.
    EXPECT_THROW(DateText(std::nan("")), EConvertError);
    EXPECT_THROW(TimeText(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_THROW(DateText(1e9), EConvertError);
    EXPECT_EQ(DateText(2958465.5), "31/12/9999");
    EXPECT_EQ(DateText(-693593.0), "01/01/0001");
}

TEST(TraceTime, DateAndTimeTextsAreReadStrictly)
{
    EXPECT_EQ(TextToDate(u"29/02/2028"), ToDateTime(QDate(2028, 2, 29)));
    EXPECT_EQ(TextToTime(u"23:59:59"), TimeFromSeconds(kSecondsPerDay - 1));
    for (const char16_t* bad :
         {u"31/02/2026", u"29/02/2026", u"00/01/2026", u"01/13/2026", u"01/00/2026", u"6/12/2026",
          u"06/12/26", u"06-12-2026", u"06/12/2026 ", u" 06/12/2026", u"06/12/00000", u"06/12/0000",
          u"0a/12/2026", u"06/12/-026", u"", u"０6/12/2026"})
        EXPECT_FALSE(TextToDate(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    for (const char16_t* bad :
         {u"24:00:00", u"12:75:00", u"12:00:60", u"9:05:00", u"09:05", u"09:05:00.5", u"09.05.00",
          u"-1:00:00", u"+1:00:00", u"", u"0 :00:00"})
        EXPECT_FALSE(TextToTime(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    QString date = QStringLiteral("06/12/2026"), time = QStringLiteral("09:05:00");
    date[1] = time[7] = QChar(0);
    EXPECT_FALSE(TextToDate(date).has_value());
    EXPECT_FALSE(TextToTime(time).has_value());
}

TEST(TraceTime, TimeAddCarriesOnceAndFailsAtADay)
{
    const char* sums[][3] = {{"00:59:30", "00:00:45", "01:00:15"},
                             {"10:20:30", "02:45:40", "13:06:10"},
                             {"00:59:59", "00:59:59", "01:59:58"},
                             {"23:59:58", "00:00:01", "23:59:59"}};
    for (const auto& s : sums)
        EXPECT_EQ(TimeText(TimeAdd(T(s[0]), T(s[1]))), s[2]) << s[0] << "+" << s[1];
    EXPECT_THROW(TimeAdd(T("23:59:59"), T("00:00:01")), EConvertError);
    EXPECT_THROW(TimeAdd(T("23:00:00"), T("23:00:00")), EConvertError);
    // Only the times of day are added: the dates play no part.
    EXPECT_EQ(TimeText(TimeAdd(At(1, "01:00:00"), At(2, "02:00:00"))), "03:00:00");
    EXPECT_LT(TimeAdd(At(1, "01:00:00"), 0), 1.0);
}

TEST(TraceTime, TimeDiffIgnoresDatesAndNeverGoesBackwards)
{
    EXPECT_EQ(TimeText(TimeDiff(At(1, "09:15:00"), At(2, "10:00:30"))), "00:45:30");
    EXPECT_EQ(TimeText(TimeDiff(T("14:00:00"), T("14:00:00"))), "00:00:00");
    EXPECT_EQ(TimeText(TimeDiff(T("00:00:00"), T("23:59:59"))), "23:59:59");
    EXPECT_EQ(TimeDiff(T("23:59:50"), T("00:00:10")), 0.0);
    EXPECT_EQ(TimeDiff(At(1, "10:00:00"), At(2, "09:00:00")), 0.0);
    // Milliseconds fall away on both sides before the difference.
    EXPECT_EQ(TimeText(TimeDiff(T("10:00:00") + 0.9 / kSecondsPerDay, T("10:00:05"))), "00:00:05");
}

TEST_F(TraceDataTest, TheTableReplacesUsedSlotsAndNeverUpdatesAnEmptyOne)
{
    TTabTraceP table;
    table.AddProc(1, "B.EXE", "", day, 0, T("09:15:00"), day + 1 + T("10:00:30"), 0);
    EXPECT_EQ(TimeText(table.ProcDuration(1)), "00:45:30");
    EXPECT_THROW(table.ProcDuration(0), std::out_of_range);
    EXPECT_THROW(table.AddProc(-1, "C.EXE", "", day, 0, 0, 0, 0), std::out_of_range);
    table.AddProc(1, "C.EXE", "", day, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(1)->procName, "C.EXE");
    table.UpdateProc(1, "B.EXE", "new", day, 0, 0, 0, 0);
    EXPECT_EQ(*table.Proc(1), (TTraceProc{"B.EXE", "new", day, 0, 0, 0, 0}));
    for (const int empty : {0, -1, 600}) {
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
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(table.Proc(i)->procName, QString::number(i));
    table.UpdateProc(1999, "last", "", day, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(1999)->procName, "last");

    const auto procs = [this](const QString& prefix, int count) {
        std::vector<TTraceProc> list;
        for (int i = 0; i < count; ++i)
            list.push_back({prefix + QString::number(i), "", day, 0, 0, 0, 0});
        return list;
    };
    TTabTraceP runs;
    runs.AddProc(5, "x", "", day, 0, 0, 0, 0);
    runs.AddProcs(0, procs("a", 3));
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

TEST_F(TraceDataTest, UserEditsMarkTheTraceModifiedButNeverChangeTheEntry)
{
    data.AddRow(Proc("A.EXE", "one", day));
    QAbstractItemModel& model = data.grid;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    data.grid.SetCell(0, TraceColumn::heureFIN, "10:00:00");
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::heureFIN), "10:00:00"));
    EXPECT_FALSE(Glb().Modified); // the tracer's writes and unchanged texts
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::duree), "01:00:00"));
    EXPECT_TRUE(Glb().Modified);
    EXPECT_EQ(changed.count(), 2);
    // The search sees the edited texts; the entry keeps its values.
    EXPECT_TRUE(model.setData(model.index(0, 1), "renamed"));
    EXPECT_TRUE(model.setData(model.index(0, 2), "07/12/2026"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "renamed", nextDay), 0);
    EXPECT_EQ(*data.table.Proc(0), Proc("A.EXE", "one", day));

    EXPECT_FALSE(model.setData(model.index(0, 1), "x", Qt::DisplayRole));
    EXPECT_FALSE(model.setData(model.index(1, 1), "x"));
    EXPECT_FALSE(model.setData(model.index(0, 7), "x"));
    EXPECT_EQ(data.grid.Cell(0, 1), "renamed");
    EXPECT_TRUE(model.flags(model.index(0, 6)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.flags(model.index(1, 0)), Qt::NoItemFlags);
}

// Appends, edits of every column and clears in a random order: the index answers what a
// walk of the grid answers, for every question: first match from the top, exact and
// case-sensitive texts, the marker title (and no other spelling of it) for any title.
TEST_F(TraceDataTest, TheIndexAgreesWithAWalkOfTheGrid)
{
    QRandomGenerator random(7);
    const QStringList names = {"A.EXE", "A.EX", "a.exe", ""};
    const QStringList titles = {"one", "one ", "", "noSearch", "nosearch"};
    const QList<TDateTime> days = {day, nextDay + T("23:00:00"), day + 2};
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
