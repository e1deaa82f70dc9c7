#include "TestEnv.h"
#include "tracer/U_TraceTable.h"

#include <gtest/gtest.h>

namespace {
TDateTime T(const char* text)
{
    return TextToTime(QString::fromLatin1(text)).value();
}

class TraceTableTest : public TarvelleTest
{
protected:
    const TDateTime day = ToDateTime(QDate(2026, 12, 6));
};
} // namespace

TEST_F(TraceTableTest, ANewTableHas512EmptySlots)
{
    const TTabTraceP table;
    EXPECT_EQ(table.SlotCount(), 512);
    for (int i = -1; i <= 512; ++i)
        EXPECT_EQ(table.Proc(i), nullptr) << i;
    EXPECT_EQ(TTabTraceP(3).SlotCount(), 3);
}

TEST_F(TraceTableTest, AddProcStoresTheSevenValuesAndReplacesTheSlot)
{
    TTabTraceP table;
    table.AddProc(0, "EDITEUR.EXE", "liste.txt", day, T("09:15:02"), T("10:01:44"), T("10:20:13"),
                  T("00:52:10"));
    table.AddProc(1, "A.EXE", "", day, 0, 0, 0, 0);
    ASSERT_NE(table.Proc(0), nullptr);
    EXPECT_EQ(*table.Proc(0), (TTraceProc{"EDITEUR.EXE", "liste.txt", day, T("09:15:02"),
                                          T("10:01:44"), T("10:20:13"), T("00:52:10")}));
    EXPECT_FALSE(table.Proc(0)->IsOpen());
    EXPECT_TRUE(table.Proc(1)->IsOpen());
    table.AddProc(0, "B.EXE", "b", day, 0, 0, 0, 0);
    EXPECT_EQ(table.Proc(0)->procName, "B.EXE");
    EXPECT_THROW(table.AddProc(-1, "C.EXE", "", day, 0, 0, 0, 0), std::out_of_range);
}

TEST_F(TraceTableTest, UpdateProcOverwritesAllFieldsButNeverAnEmptySlot)
{
    TTabTraceP table;
    table.AddProc(2, "A.EXE", "a", day, T("09:00:00"), T("09:00:00"), 0, 0);
    table.UpdateProc(2, "A.EXE", "new", day, T("09:00:00"), T("09:30:00"), T("09:40:00"),
                     T("00:10:00"));
    EXPECT_EQ(*table.Proc(2), (TTraceProc{"A.EXE", "new", day, T("09:00:00"), T("09:30:00"),
                                          T("09:40:00"), T("00:10:00")}));
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    for (const int empty : {1, -1, 600}) {
        table.UpdateProc(empty, "X.EXE", "x", day, 0, 0, 0, 0);
        EXPECT_EQ(table.Proc(empty), nullptr);
    }
    EXPECT_EQ(dialogs->plainMessages, QStringList(3, QStringLiteral("PLANTAGE in U_GLB")));
    EXPECT_EQ(table.SlotCount(), 512);
}

TEST_F(TraceTableTest, ProcDurationSpansLastResumeToLastExit)
{
    TTabTraceP table;
    table.AddProc(0, "A.EXE", "", day, 0, T("14:00:00"), T("14:00:00"), 0);
    table.AddProc(1, "B.EXE", "", day, 0, T("09:15:00"), day + 1 + T("10:00:30"), 0);
    EXPECT_EQ(TimeText(table.ProcDuration(0)), "00:00:00");
    EXPECT_EQ(TimeText(table.ProcDuration(1)), "00:45:30");
    EXPECT_THROW(table.ProcDuration(2), std::out_of_range);
}

TEST_F(TraceTableTest, TheTableGrowsPast512Rows)
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
}

TEST_F(TraceTableTest, AddProcsFillsARunOfSlotsWhetherTheTableIsEmptyOrNot)
{
    const auto procs = [this](const QString& prefix, int count) {
        std::vector<TTraceProc> list;
        for (int i = 0; i < count; ++i)
            list.push_back({prefix + QString::number(i), "", day, 0, 0, 0, 0});
        return list;
    };
    TTabTraceP table;
    table.AddProcs(0, procs("a", 3));
    EXPECT_EQ(table.SlotCount(), 512);
    EXPECT_EQ(table.Proc(2)->procName, "a2");
    EXPECT_EQ(table.Proc(3), nullptr);
    table.AddProcs(3, procs("b", 600));
    EXPECT_EQ(table.Proc(2)->procName, "a2");
    EXPECT_EQ(table.Proc(602)->procName, "b599");
    EXPECT_EQ(table.Proc(603), nullptr);

    TTabTraceP used;
    used.AddProc(5, "x", "", day, 0, 0, 0, 0);
    used.AddProcs(0, procs("c", 2));
    EXPECT_EQ(used.Proc(1)->procName, "c1");
    EXPECT_EQ(used.Proc(2), nullptr);
    EXPECT_EQ(used.Proc(5)->procName, "x");
    EXPECT_THROW(used.AddProcs(-1, procs("d", 1)), std::out_of_range);
}
