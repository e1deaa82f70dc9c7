#include "TestEnv.h"
#include "tracer/U_TraceData.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSignalSpy>

namespace {
constexpr TDateTime kDay = 46362.0, kNextDay = kDay + 1; // 06/12/2026 and the day after

TDateTime T(const QString& text)
{
    return TextToTime(text).value();
}
TTraceProc Proc(const QString& name, const QString& title = {}, TDateTime d = kDay)
{
    return {name, title, d, T("09:00:00"), T("09:00:00"), 0, 0};
}

using TraceDataTest = TarvelleTest;
} // namespace

TEST(TraceTime, ValuesKeepWholeSecondsAndTextsAreReadStrictly)
{
    const TDateTime at = ToDateTime(QDateTime(QDate(2026, 12, 6), QTime(18, 30, 5, 700)));
    EXPECT_EQ(at, kDay + T("18:30:05"));
    // Days before the epoch count back while the fraction stays the time of day.
    EXPECT_EQ(ToDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(DateText(-1.25) + TimeText(-1.25), "29/12/189906:00:00");
    // Whole seconds, neither rounded up nor lost to the error of a double.
    EXPECT_EQ(SecondsOfDay(TimeFromSeconds(10) + 0.999 / kSecondsPerDay), 10);
    for (int s = 0; s < kSecondsPerDay; ++s)
        ASSERT_EQ(TextToSeconds(TimeText(kDay + TimeFromSeconds(s))), s) << s;
    // Values without a text are conversion errors; years 1 and 9999 still have one.
    EXPECT_THROW(DateText(std::nan("")), EConvertError);
    EXPECT_THROW(TimeText(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_THROW(DateText(1e9), EConvertError);
    EXPECT_EQ(DateText(2958465.5) + DateText(-693593.0), "31/12/999901/01/0001");

    EXPECT_EQ(TextToDate(u"29/02/2028"), ToDateTime(QDate(2028, 2, 29)));
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
    EXPECT_FALSE(TextToDate(date) || TextToTime(time));
}

// Only the times of day count, in whole seconds: TimeAdd carries once and fails at a day,
// TimeDiff never runs backwards, not even across midnight.
TEST(TraceTime, TimeAddAndTimeDiffWorkOnTimesOfDay)
{
    // a, b, a + b ("-" for a day or more), b - a
    for (const char* line :
         {"00:59:30 00:00:45 01:00:15 00:00:00", "10:20:30 02:45:40 13:06:10 00:00:00",
          "00:59:59 00:59:59 01:59:58 00:00:00", "23:59:58 00:00:01 23:59:59 00:00:00",
          "23:59:59 00:00:01 - 00:00:00", "23:00:00 23:00:00 - 00:00:00",
          "00:00:00 23:59:59 23:59:59 23:59:59", "09:15:00 10:00:30 19:15:30 00:45:30"}) {
        const QStringList t = QString::fromLatin1(line).split(u' ');
        if (t[2] == "-")
            EXPECT_THROW(TimeAdd(T(t[0]), T(t[1])), EConvertError) << line;
        else
            EXPECT_EQ(TimeAdd(T(t[0]), T(t[1])), T(t[2])) << line;
        EXPECT_EQ(TimeDiff(T(t[0]), T(t[1])), T(t[3])) << line;
    }
    EXPECT_EQ(TimeAdd(kDay + T("01:00:00"), kNextDay + T("02:00:00")), T("03:00:00"));
    EXPECT_EQ(TimeDiff(kDay + T("09:15:00"), kNextDay + T("10:00:30")), T("00:45:30"));
    EXPECT_EQ(TimeDiff(T("10:00:00") + 0.9 / kSecondsPerDay, T("10:00:05")), T("00:00:05"));
}

TEST_F(TraceDataTest, TheTableGrowsPast512SlotsAndNeverUpdatesAnEmptyOne)
{
    TTabTraceP table;
    table.AddProc(1, "B.EXE", "", kDay, 0, T("09:15:00"), kNextDay + T("10:00:30"), 0);
    EXPECT_EQ(table.ProcDuration(1), T("00:45:30"));
    EXPECT_THROW(table.ProcDuration(0), std::out_of_range);
    EXPECT_THROW(table.AddProc(-1, Proc("C.EXE")), std::out_of_range);
    table.AddProc(1, Proc("C.EXE"));
    table.UpdateProc(1, "B.EXE", "new", kDay, 0, 0, 0, 0);
    EXPECT_EQ(*table.Proc(1), (TTraceProc{"B.EXE", "new", kDay, 0, 0, 0, 0}));
    for (const int empty : {0, -1, 600}) {
        table.UpdateProc(empty, "X.EXE", "x", kDay, 0, 0, 0, 0);
        EXPECT_EQ(table.Proc(empty), nullptr);
    }
    EXPECT_EQ(dialogs->plainMessages, QStringList(3, QStringLiteral("PLANTAGE in U_GLB")));
    for (int i = 2; i < 2000; ++i)
        table.AddProc(i, Proc(QString::number(i)));
    for (int i = 2; i < 2000; ++i)
        ASSERT_EQ(table.Proc(i)->procName, QString::number(i));
    table.UpdateProc(1999, "last", "", kDay, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(1999)->procName, "last");
}

TEST_F(TraceDataTest, GridRowsFollowTheEntriesAndUserEditsChangeOnlyTheTexts)
{
    TTraceData data;
    QAbstractItemModel& model = data.grid;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    EXPECT_EQ(data.AddRow(Proc("A.EXE", "one")), 0);
    EXPECT_EQ(data.AddRow(Proc("B.EXE")), 1);
    EXPECT_EQ(inserted.count(), 2);
    // A value without a text changes nothing; a row is written up to one past the last.
    TTraceProc bad = Proc("X.EXE", "x");
    bad.dateTrace = std::nan("");
    EXPECT_THROW(data.AddRow(bad), EConvertError);
    EXPECT_THROW(data.SetRow(0, bad), EConvertError);
    EXPECT_EQ(data.table.Proc(2), nullptr);
    EXPECT_EQ(data.grid.Cell(0, 0), "A.EXE");
    data.SetRow(1, Proc("C.EXE", "c", kNextDay));
    data.SetRow(2, Proc("D.EXE", "d"));
    EXPECT_EQ(data.FindTraceRow("C.EXE", "c", kNextDay), 1);
    EXPECT_EQ(data.FindTraceRow("B.EXE", "noSearch", kDay), std::nullopt);
    EXPECT_THROW(data.SetRow(4, Proc("E.EXE")), std::out_of_range);
    EXPECT_THROW(data.SetRow(-1, Proc("E.EXE")), std::out_of_range);
    EXPECT_EQ(data.lastRow(), 2);

    // The tracer's writes and unchanged texts leave Modified alone.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    data.grid.SetCell(0, TraceColumn::heureFIN, "10:00:00");
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::heureFIN), "10:00:00"));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(model.setData(model.index(0, TraceColumn::duree), "01:00:00"));
    EXPECT_TRUE(Glb().Modified);
    EXPECT_EQ(changed.count(), 2);
    // The search sees the edited texts; the entry keeps its values.
    EXPECT_TRUE(model.setData(model.index(0, 1), "renamed"));
    EXPECT_TRUE(model.setData(model.index(0, 2), "07/12/2026"));
    EXPECT_EQ(data.FindTraceRow("A.EXE", "renamed", kNextDay), 0);
    EXPECT_EQ(*data.table.Proc(0), Proc("A.EXE", "one"));
    EXPECT_FALSE(model.setData(model.index(3, 1), "x") || model.setData(model.index(0, 7), "x"));
    EXPECT_TRUE(model.flags(model.index(0, 6)) & Qt::ItemIsEditable);
}

// Appends, edits of every column and clears in a random order: the index answers what a
// walk of the grid answers, for every question: first match from the top, exact and
// case-sensitive texts, the marker title (and no other spelling of it) for any title.
TEST_F(TraceDataTest, TheIndexAgreesWithAWalkOfTheGrid)
{
    TTraceData data;
    const auto walk = [&data](const QString& name, const QString& title, TDateTime d) {
        for (int row = 0; row <= data.lastRow(); ++row) {
            const TTraceCells& c = data.grid.Row(row);
            if (c[0] == name && (title == "noSearch" || c[1] == title) && c[2] == DateText(d))
                return std::optional(row);
        }
        return std::optional<int>();
    };
    QRandomGenerator random(7);
    const QStringList names = {"A.EXE", "A.EX", "a.exe", ""};
    const QStringList titles = {"one", "one ", "", "noSearch", "nosearch"};
    const QList<TDateTime> days = {kDay, kNextDay + T("23:00:00"), kDay + 2};
    const QStringList texts[] = {
        names, titles, {DateText(days[0]), DateText(days[1]), DateText(days[2])}};
    const auto pick = [&random](const auto& list) {
        return list[random.bounded(list.size())];
    };
    for (int step = 0; step < 3000; ++step) {
        const int action = random.bounded(100), column = random.bounded(3);
        if (action < 45 || data.lastRow() < 0)
            data.AddRow(Proc(pick(names), pick(titles), pick(days)));
        else if (action < 99)
            data.grid.setData(data.grid.index(random.bounded(data.lastRow() + 1), column),
                              pick(texts[column]));
        else
            data.Clear();
        for (const TDateTime d : days) {
            bool none = true;
            for (const QString& name : names) {
                for (const QString& title : titles)
                    ASSERT_EQ(data.FindTraceRow(name, title, d), walk(name, title, d))
                        << step << " " << name.toStdString() << " " << title.toStdString();
                none = none && !walk(name, "noSearch", d);
            }
            ASSERT_EQ(data.NoRowToday(d), none) << step;
        }
    }
}
