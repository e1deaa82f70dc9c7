#include "TestEnv.h"
#include "TestFiles.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_StringGrid.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/F_TimingTrace.h"
#include "tracer/U_TraceFile.h"
#include "tracer/U_TracerController.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {
const TDateTime kToday = ToDateTime(QDate(2026, 12, 7));

class TimingTrace : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        clock->Set(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)));
        window = std::make_unique<TfrmTimingTrace>(tracer);
    }
    void TearDown() override
    {
        window.reset();
        TarvelleTest::TearDown();
    }
    // `count` closed rows of today, named A0, A1 …
    void AddRows(int count, TDateTime day = kToday)
    {
        for (int i = 0; i < count; ++i)
            tracer.trace.AddRow({QStringLiteral("A%1").arg(i), "t", day, 0.4, 0.4, 0.41, 0.01});
    }
    TStringGrid& Grid() const { return *window->grdTraceTime; }

    TTracerController tracer;
    std::unique_ptr<TfrmTimingTrace> window;
};
} // namespace

TEST_F(TimingTrace, GridIsAnEditableViewOfTheTraceInTheSettingsColours)
{
    EXPECT_EQ(Grid().geometry(), QRect(5, 28, 487, 87));
    const int widths[] = {100, 104, 64, 50, 50, 50, 50};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(Grid().ColWidth(column), widths[column]) << column;
    EXPECT_EQ(Grid().verticalHeader()->defaultSectionSize(), 16);
    EXPECT_FALSE(Grid().showGrid() || Grid().horizontalHeader()->isVisible());
    EXPECT_TRUE(Grid().tabKeyNavigation());

    // A cell typed in: the grid's text changes, the entry does not, and the trace is modified.
    AddRows(1);
    window->show();
    Grid().edit(tracer.trace.grid.index(0, 1));
    auto* editor = Grid().viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->clear();
    QTest::keyClicks(editor, "nouveau;titre");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits a turn later
    EXPECT_EQ(tracer.trace.grid.Cell(0, 1), "nouveau,titre");
    EXPECT_EQ(tracer.trace.table.Proc(0)->winTitle, "t");
    EXPECT_TRUE(Glb().Modified);

    // Columns are sized by dragging their right edge within the cells.
    QTest::mousePress(Grid().viewport(), Qt::LeftButton, {}, QPoint(100, 5));
    QTest::mouseMove(Grid().viewport(), QPoint(130, 5));
    QTest::mouseRelease(Grid().viewport(), Qt::LeftButton, {}, QPoint(130, 5));
    EXPECT_EQ(Grid().ColWidth(0), 130);

    Glb().Colours.TextBackColour = 0x0000FF;
    Glb().Colours.TextColour = 0x00FF00;
    Glb().Colours.TitleColour = 0xFF0000;
    window->RepaintSkin();
    EXPECT_EQ(Grid().palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(Grid().palette().color(QPalette::Text), QColor(Qt::green));
    EXPECT_EQ(window->rxDuree->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_NE(window->rxActiveProcess->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST_F(TimingTrace, ScrollToOriginBringsTodaysRowToTheTopOfALongGridOnly)
{
    window->show();
    AddRows(5);
    window->ScrollToOrigin("A4", "t");
    EXPECT_EQ(Grid().TopRow(), 0) << "five rows never scroll";
    AddRows(10, kToday - 1);
    AddRows(40);
    // The first row of the name with today's date, not the older day's row above it.
    window->ScrollToOrigin("A6", "ignored");
    EXPECT_EQ(Grid().TopRow(), 21);
    window->ScrollToOrigin("A3", "t");
    EXPECT_EQ(Grid().TopRow(), 3);
    window->ScrollToOrigin("nowhere", "t");
    EXPECT_EQ(Grid().TopRow(), 3);
    // With distinct files the title counts too.
    Glb().Options.DistinctFiles = true;
    window->ScrollToOrigin("A6", "other");
    EXPECT_EQ(Grid().TopRow(), 3);
}

TEST_F(TimingTrace, ShowingPlacesTheWindowOnceAndMayJumpToTheLastRows)
{
    Glb().TracerLeft = 40;
    Glb().TracerTop = 60;
    Glb().Options.PageToDown = true;
    AddRows(1000);
    window->ShowOrHide();
    EXPECT_TRUE(window->isVisible() && Glb().TracerVisible && !Glb().TracerWindowPending);
    EXPECT_EQ(window->pos(), QPoint(40, 60));
    EXPECT_EQ(Grid().rowAt(Grid().viewport()->height() - 1), 999);
    window->move(200, 300);
    window->ShowOrHide();
    EXPECT_FALSE(window->isVisible() || Glb().TracerVisible);
    window->ShowOrHide();
    EXPECT_EQ(window->pos(), QPoint(200, 300));
}

// Stopping the trace brings a window never placed yet to its place; the new tracer button
// works only while tracing is off and the current process is shown while it runs.
TEST_F(TimingTrace, FollowsTheTracersStartsAndStops)
{
    Glb().TracerLeft = 10;
    tracer.Start();
    EXPECT_FALSE(window->scrGestTraceur->isEnabled());
    EXPECT_EQ(window->scrGestTraceur->BevelOuter(), TSkinPanel::TBevel::None);
    tracer.sampler.LoadTraceTime("editeur", "liste", NowDateTime());
    EXPECT_EQ(window->rxActiveProcess->text(), "editeur");
    tracer.Stop();
    EXPECT_TRUE(window->scrGestTraceur->isEnabled());
    EXPECT_EQ(window->scrGestTraceur->BevelOuter(), TSkinPanel::TBevel::Raised);
    EXPECT_TRUE(window->isVisible() && Glb().TracerVisible);
    EXPECT_EQ(window->x(), 10);
    EXPECT_TRUE(window->rxActiveProcess->text().isEmpty());
    // Once placed, a hidden window stays hidden at the next stop.
    window->hide();
    tracer.Start();
    tracer.Stop();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TimingTrace, NewTracerArchivesAndEmptiesOnlyWhenConfirmed)
{
    AddRows(3);
    Glb().Colours.TextBackColour = 0x102030;
    Glb().TracerWindowPending = false;
    window->show();
    QTest::mouseClick(window->scrGestTraceur, Qt::LeftButton);
    ASSERT_EQ(dialogs->questions.size(), 1);
    const TQuestionRequest& asked = dialogs->questions[0];
    EXPECT_EQ(asked.text, "CREER  NOUVEAU  TRACEUR  &&  ENREGISTRER  L'ACTUEL  ?");
    EXPECT_EQ(std::pair(asked.textColour, asked.backColour),
              std::pair(0x102030u, (0xFFFFFFu - 0x102030u) ^ 0x102030u));
    EXPECT_EQ(std::tuple(asked.width, asked.height, asked.fontSize), std::tuple(450, 55, 10));
    EXPECT_EQ(std::pair(asked.okCaption, asked.cancelCaption),
              std::pair(QString("    O K    "), QString("Non...")));
    EXPECT_EQ(tracer.trace.lastRow(), 2);
    EXPECT_FALSE(Glb().TracerWindowPending);

    dialogs->AnswerNext(1);
    QTest::mouseClick(window->scrGestTraceur, Qt::LeftButton);
    EXPECT_EQ(tracer.trace.lastRow(), -1);
    EXPECT_TRUE(Glb().TracerWindowPending);
    const QStringList archives =
        QDir(AppFolder()).entryList({"Traceur07-12-2026*.csv"}, QDir::Files);
    ASSERT_EQ(archives.size(), 1);
    EXPECT_EQ(ReadBytes(AppFolder() + archives[0]).count("\r\n"), 3);
    EXPECT_EQ(ReadBytes(TraceFilePath()), "");
}
