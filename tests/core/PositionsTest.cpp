#include "TestEnv.h"
#include "core/U_Positions.h"

using Positions = TarvelleTest;

const QRect Screen(0, 0, 1024, 768);

TEST_F(Positions, PanelIsTheStripLeftOutOfTheWorkAreaAndDefaultPlacesKeepClearOfIt)
{
    for (const auto& [work, edge, strip] :
         {std::tuple{QRect(0, 0, 1024, 738), TPanelEdge::Bottom, QRect(0, 738, 1024, 30)},
          {QRect(0, 0, 976, 768), TPanelEdge::Right, QRect(976, 0, 48, 768)},
          {QRect(60, 0, 964, 768), TPanelEdge::Left, QRect(0, 0, 60, 768)},
          {QRect(0, 27, 1024, 741), TPanelEdge::Top, QRect(0, 0, 1024, 27)}}) {
        const TPanel panel = PanelFromScreen(Screen, work);
        EXPECT_EQ(panel.edge, edge);
        EXPECT_EQ(panel.rect, strip);
    }
    EXPECT_EQ(PanelFromScreen(Screen, Screen).edge, TPanelEdge::None);
    // A top bar and a bottom dock: the bottom one is the task bar.
    EXPECT_EQ(PanelFromScreen(Screen, QRect(0, 27, 1024, 701)).edge, TPanelEdge::Bottom);

    // The default places stand on a bottom panel or left of a right one, else in the corner.
    const TDefaultPositions bottom = DefaultPositions(Screen, QRect(0, 0, 1024, 738));
    EXPECT_EQ(bottom.notes, QPoint(1024 - 277, 738 - 182));
    EXPECT_EQ(bottom.tracer, QPoint(1024 - 277 - 497, 738 - 117));
    // Right-aligned with the tracer window and overlapping its top line.
    EXPECT_EQ(bottom.main, QPoint(bottom.tracer.x() + 497 - 277 + 1, bottom.tracer.y() - 116 + 1));
    // No panel, or one at the top or on the left.
    for (const QRect& work : {Screen, QRect(0, 27, 1024, 741), QRect(60, 0, 964, 768)}) {
        const TDefaultPositions at = DefaultPositions(Screen, work);
        EXPECT_EQ(QList<QPoint>({at.notes, at.tracer, at.main}),
                  QList<QPoint>({{747, 586}, {250, 651}, {471, 536}}));
    }
    // A screen away from the origin, beside another one.
    EXPECT_EQ(DefaultPositions(QRect(1920, 0, 1024, 768), QRect(1920, 0, 1024, 738)).notes,
              QPoint(1920 + 747, 556));

    // A panel on the right: applying the defaults also stores the secondary windows' places.
    platform->screen = QRect(0, 0, 1280, 1024);
    platform->workArea = QRect(0, 0, 1232, 1024);
    const QPoint main = ApplyDefaultPositions();
    EXPECT_EQ(QPoint(Glb().NotesLeft, Glb().NotesTop), QPoint(1232 - 277, 1024 - 182));
    EXPECT_EQ(QPoint(Glb().TracerLeft, Glb().TracerTop), QPoint(1232 - 277 - 497, 1024 - 117));
    EXPECT_EQ(main, QPoint(1232 - 277 - 277 + 1, 1024 - 117 - 116 + 1));
}

TEST_F(Positions, SnappingStartsAtSixteenPixelsThenSticksAndKeepsWindowsInside)
{
    const QSize size(200, 100);
    // Ten pixels from any edge lands on it.
    for (const QRect& work : {QRect(0, 0, 1024, 738), QRect(60, 27, 900, 600)}) {
        const int right = work.x() + work.width();
        const int bottom = work.y() + work.height();
        const QPoint middle(work.x() + 300, work.y() + 200);
        for (const auto& [proposed, expected] :
             {std::pair{QPoint(work.x() + 10, middle.y()), QPoint(work.x(), middle.y())},
              {QPoint(right - 10 - 200, middle.y()), QPoint(right - 200, middle.y())},
              {QPoint(middle.x(), work.y() + 10), QPoint(middle.x(), work.y())},
              {QPoint(middle.x(), bottom - 10 - 100), QPoint(middle.x(), bottom - 100)},
              {QPoint(work.x() + 10, bottom - 105), QPoint(work.x(), bottom - 100)}}) {
            bool snapped = false;
            EXPECT_EQ(SnapPosition(proposed, size, work, snapped), expected);
            EXPECT_TRUE(snapped);
        }
    }
    // In order, with `snapped` cleared before the steps marked so; a window larger than the
    // work area keeps its top-left corner, where it is grabbed, reachable.
    bool snapped = false;
    for (const auto& [clear, proposed, windowSize, expected, snappedAfter] :
         {std::tuple{true, QPoint(16, 300), size, QPoint(0, 300), true},
          {true, QPoint(17, 17), size, QPoint(17, 17), false},
          {false, QPoint(807, 621), size, QPoint(807, 621), false},
          {false, QPoint(808, 622), size, QPoint(824, 638), true},
          {true, QPoint(-300, 300), size, QPoint(0, 300), true},
          {false, QPoint(400, 300), size, QPoint(400, 300), true},
          {false, QPoint(2000, 2000), size, QPoint(824, 638), true},
          {false, QPoint(-40, -40), QSize(1100, 800), QPoint(0, 0), true},
          {false, QPoint(50, 50), QSize(1100, 800), QPoint(0, 0), true}}) {
        snapped = snapped && !clear;
        EXPECT_EQ(SnapPosition(proposed, windowSize, QRect(0, 0, 1024, 738), snapped), expected)
            << proposed.x() << "," << proposed.y();
        EXPECT_EQ(snapped, snappedAfter) << proposed.x() << "," << proposed.y();
    }
}

TEST_F(Positions, DockedEditorGoesRightWithOnePixelOverlapOrLeftNearTheEdge)
{
    const QRect second(1024, 0, 1024, 768);
    for (const auto& [main, screen, editor, side] :
         {std::tuple{QPoint(400, 300), Screen, QPoint(400 + 277 - 1, 300), TCalendarSide::Right},
          {QPoint(800, 250), Screen, QPoint(800 - 277, 250), TCalendarSide::Left},
          // Exactly reaching the screen's right edge still fits.
          {QPoint(471, 0), Screen, QPoint(471 + 277 - 1, 0), TCalendarSide::Right},
          {QPoint(472, 0), Screen, QPoint(472 - 277, 0), TCalendarSide::Left},
          {QPoint(1400, 10), second, QPoint(1676, 10), TCalendarSide::Right},
          {QPoint(1500, 10), second, QPoint(1223, 10), TCalendarSide::Left}}) {
        const TDockPlacement placement =
            DockEditorPlacement(QRect(main, MainWindowSize), 277, screen);
        EXPECT_EQ(placement.editor, editor) << main.x();
        EXPECT_EQ(placement.calendarSide, side) << main.x();
    }
}
