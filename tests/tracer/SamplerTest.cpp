#include "TestEnv.h"
#include "tracer/U_Sampler.h"
#include "tracer/U_TraceData.h"

#include <QRandomGenerator>

namespace {
constexpr quint64 kEditor = 1, kBrowser = 2, kDialog = 3, kOwn = 4, kFiles = 5;
}

class Sampler : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Glb().OwnExeName = "tarvelle";
        platform->AddWindow(kEditor, "liste.txt - Editeur", 10);
        platform->AddWindow(kBrowser, "Accueil - Navigateur", 20);
        platform->AddWindow(kDialog, "Enregistrer sous", 10, kEditor);
        platform->AddWindow(kOwn, "Scribelle", 30);
        platform->AddWindow(kFiles, "Documents", 40);
        platform->exeNames = {{10, "/usr/bin/Editeur"},
                              {20, "/opt/nav/navigateur"},
                              {30, "/home/u/tarvelle"},
                              {40, "/usr/bin/nautilus"}};
        clock->Set(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
        sampler.Started(NowDateTime());
    }
    // One sample with the pointer (or the focus) on `window`, then `seconds` pass.
    void On(quint64 window, int seconds = 1)
    {
        platform->pointed = platform->foreground = window;
        sampler.SampleForeground();
        clock->AdvanceSeconds(seconds);
    }
    QString Cell(int row, int column) const { return data.grid.Cell(row, column); }
    // A row's texts as the file holds them.
    std::string Line(int row, int from = 0) const
    {
        const TTraceCells& cells = data.grid.Row(row);
        return QStringList(cells.begin() + from, cells.end()).join(u';').toStdString();
    }
    const TTraceProc& Entry(int row) const { return *data.table.Proc(row); }

    TTraceData data;
    TSampler sampler{data};
};

TEST_F(Sampler, PointerOnTheScreenEdgeChangesNothing)
{
    On(kEditor);
    for (const QPoint edge : {QPoint(0, 300), QPoint(400, 0)}) {
        platform->cursor = edge;
        On(kBrowser);
        Glb().DistinctFiles = true;
        On(kBrowser);
        Glb().DistinctFiles = false;
    }
    platform->cursor = QPoint(5, 5);
    platform->cursorFails = true;
    On(kBrowser);
    EXPECT_EQ(data.lastRow(), 0);
    EXPECT_EQ(sampler.LastProc.name, "Editeur");
}

TEST_F(Sampler, NewTitleOfTheSameApplication)
{
    On(kEditor, 5);
    platform->windows[kEditor].title = "autre.txt - Editeur";
    On(kEditor, 5);
    ASSERT_EQ(data.lastRow(), 0); // one row per application and day
    EXPECT_EQ(Cell(0, 1), "autre.txt - Editeur");
    EXPECT_EQ(Cell(0, 4), "09:00:05"); // closed and resumed at once
    EXPECT_EQ(Entry(0).duree, TimeFromSeconds(5));

    Glb().DistinctFiles = true;
    platform->windows[kEditor].title = "troisième.txt - Editeur";
    On(kEditor);
    EXPECT_EQ(data.lastRow(), 1); // one row per title
}

TEST_F(Sampler, OwnWindowsAndDesktopShellAreTracedOrLeftOut)
{
    On(kOwn);
    EXPECT_EQ(Line(0).substr(0, 16), "tarvelle;Traceur");
    Glb().ExcludeExplorer = true;
    On(kEditor, 30);
    On(kOwn, 5);
    On(kFiles, 5);
    // Skipped: the editor kept running all along.
    EXPECT_EQ(data.lastRow(), 1);
    EXPECT_EQ(sampler.LastProc.name, "Editeur");
    On(kBrowser);
    EXPECT_EQ(Entry(1).duree, TimeFromSeconds(40));
}

// In foreground mode an owned dialog counts as its owner, whatever the pointer is on.
TEST_F(Sampler, TitlesComeFromTheOwnerWindowWithoutLineBreaksOrSeparators)
{
    Glb().DistinctFiles = true;
    platform->pointed = kBrowser;
    platform->foreground = kDialog;
    sampler.SampleForeground();
    EXPECT_EQ(Line(0).substr(0, 27), "Editeur;liste.txt - Editeur");
    platform->windows[kEditor].title = "a\rb;c\td\ne";
    On(kEditor);
    EXPECT_EQ(Cell(1, 1), "a_b,c d e");
}

TEST_F(Sampler, ASwitchClosesTheRowAndComingBackTheSameDayResumesIt)
{
    On(kEditor, 10);
    On(kBrowser, 20);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_EQ(Line(0),
              "Editeur;liste.txt - Editeur;07/12/2026;09:00:00;09:00:00;09:00:10;00:00:10");
    EXPECT_EQ(Cell(1, 5), "00:00:00"); // the current origin's row is open
    EXPECT_TRUE(Entry(1).IsOpen());
    On(kEditor, 3);
    EXPECT_EQ(data.lastRow(), 1);
    EXPECT_EQ(Line(0, 3), "09:00:00;09:00:30;00:00:00;00:00:10");
    On(kBrowser);
    EXPECT_EQ(Cell(0, 6), "00:00:13");
}

TEST_F(Sampler, StoppingClosesTheRowAndARestartCountsOnlyTracedTime)
{
    On(kEditor, 10);
    sampler.Stopped();
    EXPECT_EQ(Cell(0, 5), "09:00:10");
    EXPECT_EQ(sampler.LastProc.name, "Editeur");
    clock->AdvanceSeconds(600); // paused
    sampler.Started(NowDateTime());
    On(kEditor, 20); // same key: nothing happens
    On(kBrowser);
    EXPECT_EQ(Entry(0).duree, TimeFromSeconds(30));
    EXPECT_EQ(Cell(0, 4), "09:00:10");
}

TEST_F(Sampler, MidnightRollsTheRowOverToTheNewDay)
{
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 0)));
    On(kEditor, 90); // now 00:00:30 the next day
    On(kBrowser);
    ASSERT_EQ(data.lastRow(), 2);
    EXPECT_EQ(Line(0, 3), "23:59:00;23:59:00;23:59:59;00:00:59");
    EXPECT_EQ(Line(1).substr(0, 47), "Editeur;liste.txt - Editeur;08/12/2026;00:00:00");
    EXPECT_EQ(Cell(1, 6), "00:00:30");
    EXPECT_EQ(Cell(2, 0), "navigateur");
}

TEST_F(Sampler, MidnightWithoutRollOverWhenTheLoadHadNoRowToday)
{
    Glb().NoRowTodayAtLoad = true;
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 0)));
    On(kEditor, 90);
    On(kBrowser);
    ASSERT_EQ(data.lastRow(), 1);
    EXPECT_TRUE(Entry(0).IsOpen());
    EXPECT_EQ(Cell(1, 2), "08/12/2026");
}

TEST_F(Sampler, EverySecondGoesToExactlyOneRow)
{
    QRandomGenerator random(7);
    const quint64 windows[] = {kEditor, kBrowser, kDialog, kOwn};
    int traced = 0;
    for (int i = 0; i < 2000; ++i) {
        const int seconds = random.bounded(1, 30);
        platform->windows[kBrowser].title = QString::number(random.bounded(3));
        On(windows[random.bounded(4)], seconds);
        traced += seconds;
    }
    sampler.Stopped();
    // The first sample opened the first run; every second after it is somewhere.
    int total = 0;
    for (int row = 0; row <= data.lastRow(); ++row)
        total += SecondsOfDay(Entry(row).duree);
    EXPECT_EQ(total, traced);
    EXPECT_LE(data.lastRow(), 3);
}
