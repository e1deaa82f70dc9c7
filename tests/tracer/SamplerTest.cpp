#include "TestEnv.h"
#include "tracer/U_Sampler.h"
#include "tracer/U_TraceData.h"

#include <QRandomGenerator>

namespace {
constexpr quint64 kEditor = 1, kBrowser = 2, kDialog = 3, kOwn = 4, kFiles = 5;

// Windows of four programs, the dialog owned by the editor; tracing from 09:00:00 on 7/12/2026.
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
        platform->exeNames = {{10, "/usr/bin/Editeur"}, {20, "nav/navigateur"}, {30, "tarvelle"}};
        platform->exeNames[40] = "/usr/bin/nautilus";
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
    // A row's texts from column `from` on, as the file holds them.
    std::string Line(int row, int from = 0) const
    {
        const TTraceCells& cells = data.grid.Row(row);
        return QStringList(cells.begin() + from, cells.end()).join(u';').toStdString();
    }

    TTraceData data;
    TSampler sampler{data};
};
} // namespace

TEST_F(Sampler, PointerOnTheScreenEdgeChangesNothing)
{
    On(kEditor);
    for (const QPoint edge : {QPoint(0, 300), QPoint(400, 0)})
        for (const bool distinct : {false, true}) {
            platform->cursor = edge;
            Glb().Options.DistinctFiles = distinct;
            On(kBrowser);
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
    // One row per application and day, closed and resumed at once.
    EXPECT_EQ(Line(0),
              "Editeur;autre.txt - Editeur;07/12/2026;09:00:00;09:00:05;00:00:00;00:00:05");
    Glb().Options.DistinctFiles = true;
    platform->windows[kEditor].title = "troisième.txt - Editeur";
    On(kEditor);
    EXPECT_EQ(data.lastRow(), 1); // one row per title
}

// The program's own windows are traced as "Traceur"; left out with the desktop shell, they
// leave the current row running. In foreground mode an owned dialog counts as its owner.
TEST_F(Sampler, WhatASampleTakesForItsOrigin)
{
    On(kOwn);
    EXPECT_EQ(Line(0).substr(0, 16), "tarvelle;Traceur");
    Glb().Options.ExcludeExplorer = true;
    On(kEditor, 30);
    On(kOwn, 5);
    On(kFiles, 5);
    On(kBrowser);
    EXPECT_EQ(data.lastRow(), 2);
    EXPECT_EQ(Line(1, 6), "00:00:40");

    Glb().Options.DistinctFiles = true;
    platform->pointed = kBrowser;
    platform->foreground = kDialog;
    sampler.SampleForeground();
    EXPECT_EQ(sampler.LastProc.name + ";" + sampler.LastProc.title, "Editeur;liste.txt - Editeur");
    // Nothing in a title may break the file's lines or fields.
    platform->windows[kEditor].title = "a\rb;c\td\ne";
    On(kEditor);
    EXPECT_EQ(data.grid.Cell(3, 1), "a_b,c d e");
}

// A switch or a stop closes the row; coming back the same day resumes it; time while
// tracing was stopped is never counted.
TEST_F(Sampler, RunsCloseAtASwitchOrAStopAndResumeOnComingBack)
{
    On(kEditor, 10);
    On(kBrowser, 20);
    EXPECT_EQ(Line(0),
              "Editeur;liste.txt - Editeur;07/12/2026;09:00:00;09:00:00;09:00:10;00:00:10");
    EXPECT_EQ(Line(1, 4), "09:00:10;00:00:00;00:00:00"); // the current origin's row is open
    EXPECT_TRUE(data.table.Proc(1)->IsOpen());
    On(kEditor, 3);
    EXPECT_EQ(data.lastRow(), 1);
    EXPECT_EQ(Line(0, 3), "09:00:00;09:00:30;00:00:00;00:00:10");
    On(kBrowser);
    EXPECT_EQ(Line(0, 5), "09:00:33;00:00:13");
    sampler.Stopped();
    EXPECT_EQ(Line(1, 4), "09:00:33;09:00:34;00:00:21");
    EXPECT_EQ(sampler.LastProc.name, "navigateur");
    clock->AdvanceSeconds(600);
    sampler.Started(NowDateTime());
    On(kBrowser, 20); // same origin: nothing happens
    On(kEditor);
    EXPECT_EQ(Line(1, 4), "09:00:34;09:10:54;00:00:41");
}

// At midnight the row of the day before ends at 23:59:59 and a row of the new day starts at
// 00:00:00, unless the load found no row of its day.
TEST_F(Sampler, MidnightRollsTheRowOverToTheNewDay)
{
    clock->Set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 0)));
    On(kEditor, 90);
    On(kBrowser);
    ASSERT_EQ(data.lastRow(), 2);
    EXPECT_EQ(Line(0, 2), "07/12/2026;23:59:00;23:59:00;23:59:59;00:00:59");
    EXPECT_EQ(Line(1, 2), "08/12/2026;00:00:00;00:00:30;00:00:30;00:00:30");
    EXPECT_EQ(Line(2).substr(0, 21), "navigateur;Accueil - ");

    Glb().NoRowTodayAtLoad = true;
    clock->Set(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 0)));
    On(kEditor, 90);
    On(kBrowser);
    ASSERT_EQ(data.lastRow(), 3);
    EXPECT_TRUE(data.table.Proc(1)->IsOpen());
    EXPECT_EQ(data.grid.Cell(3, 2), "09/12/2026");
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
        total += SecondsOfDay(data.table.Proc(row)->duree);
    EXPECT_EQ(total, traced);
    EXPECT_LE(data.lastRow(), 3);
}

// Hand edits of the searched cells: the next change of origin resumes the row a walk of the
// grid finds, or makes a new one when the edit took the row away from today.
TEST_F(Sampler, HandEditsOfSearchedCellsAreSeenByTheNextSample)
{
    On(kEditor);
    On(kBrowser);
    data.grid.setData(data.grid.index(0, TraceColumn::dateTrace), "06/12/2026");
    On(kEditor);
    EXPECT_EQ(data.lastRow(), 2);
    EXPECT_EQ(Line(2, 3), "09:00:02;09:00:02;00:00:00;00:00:00");
    // Renamed by hand, the editor's row of today is no longer found: a new row is made. Of the
    // two browser rows now, the one nearer the top is resumed.
    data.grid.setData(data.grid.index(2, TraceColumn::procName), "navigateur");
    On(kDialog);
    On(kBrowser);
    EXPECT_EQ(data.lastRow(), 3);
    EXPECT_EQ(Line(3, 0).substr(0, 8), "Editeur;");
    EXPECT_EQ(Line(1, 4), "09:00:04;00:00:00;00:00:01");
    EXPECT_EQ(Line(2, 4), "09:00:02;00:00:00;00:00:00");
    EXPECT_TRUE(Glb().Modified);
}

// Whatever is typed into a cell, the file keeps seven fields per line.
TEST_F(Sampler, TypedTextCannotShiftTheFieldsOfTheFile)
{
    On(kEditor);
    data.grid.setData(data.grid.index(0, TraceColumn::winTitle), "a;b\tc\nd\re");
    data.grid.setData(data.grid.index(0, TraceColumn::duree), "=1+1");
    EXPECT_EQ(Line(0, 1), "a,b c d_e;07/12/2026;09:00:00;09:00:00;00:00:00;=1+1");
    EXPECT_EQ(GridText(data.grid, false).count(u';'), 6);
    EXPECT_TRUE(GridText(data.grid, false).endsWith(";'=1+1\r\n"));
}
