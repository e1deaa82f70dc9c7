#include "TestEnv.h"
#include "app/U_Positions.h"

using Positions = TarvelleTest;

namespace {
const QRect Screen(0, 0, 1024, 768);
} // namespace

TEST_F(Positions, PanelIsTheStripLeftOutOfTheWorkArea)
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
}

TEST_F(Positions, DefaultsStandOnABottomOrLeftOfARightPanelElseInTheScreenCorner)
{
    const TDefaultPositions bottom = DefaultPositions(Screen, QRect(0, 0, 1024, 738));
    EXPECT_EQ(bottom.notes, QPoint(1024 - 277, 738 - 182));
    EXPECT_EQ(bottom.tracer, QPoint(1024 - 277 - 497, 738 - 117));
    // Right-aligned with the tracer window and overlapping its top line.
    EXPECT_EQ(bottom.main, QPoint(bottom.tracer.x() + 497 - 277 + 1, bottom.tracer.y() - 116 + 1));

    const TDefaultPositions none = DefaultPositions(Screen, Screen);
    EXPECT_EQ(none.notes, QPoint(747, 586));
    EXPECT_EQ(none.tracer, QPoint(250, 651));
    EXPECT_EQ(none.main, QPoint(471, 536));
    for (const QRect& work : {QRect(0, 27, 1024, 741), QRect(60, 0, 964, 768)}) {
        const TDefaultPositions at = DefaultPositions(Screen, work);
        EXPECT_EQ(QList<QPoint>({at.notes, at.tracer, at.main}),
                  QList<QPoint>({none.notes, none.tracer, none.main}));
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

TEST_F(Positions, TenPixelsFromAnyEdgeLandsOnIt)
{
    const QSize size(200, 100);
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
}

TEST_F(Positions, SnappingStartsAtSixteenPixelsThenSticksAndKeepsWindowsInside)
{
    const QRect work(0, 0, 1024, 738);
    const QSize size(200, 100);
    bool snapped = false;
    EXPECT_EQ(SnapPosition({16, 300}, size, work, snapped), QPoint(0, 300));
    snapped = false;
    EXPECT_EQ(SnapPosition({17, 17}, size, work, snapped), QPoint(17, 17));
    EXPECT_EQ(SnapPosition({1024 - 16 - 201, 738 - 16 - 101}, size, work, snapped),
              QPoint(807, 621));
    EXPECT_FALSE(snapped);
    EXPECT_EQ(SnapPosition({1024 - 16 - 200, 738 - 16 - 100}, size, work, snapped),
              QPoint(824, 638));
    EXPECT_TRUE(snapped);
    snapped = false;
    EXPECT_EQ(SnapPosition({-300, 300}, size, work, snapped), QPoint(0, 300));
    ASSERT_TRUE(snapped);
    EXPECT_EQ(SnapPosition({400, 300}, size, work, snapped), QPoint(400, 300));
    EXPECT_TRUE(snapped);
    EXPECT_EQ(SnapPosition({2000, 2000}, size, work, snapped), QPoint(824, 638));
    // Larger than the work area: its top-left corner, where it is grabbed, stays reachable.
    EXPECT_EQ(SnapPosition({-40, -40}, {1100, 800}, work, snapped), QPoint(0, 0));
    EXPECT_EQ(SnapPosition({50, 50}, {1100, 800}, work, snapped), QPoint(0, 0));
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
