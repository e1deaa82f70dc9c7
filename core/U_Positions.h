#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the program's windows go: the panel (task bar) edge, the default places of the
// main window, the notes editor and the tracer, the snapping of movable windows to the
// work-area edges and the docking of the notes editor beside the main window.

inline constexpr QSize MainWindowSize(277, 116);
inline constexpr QSize NotesEditorSize(277, 182);
inline constexpr QSize TracerWindowSize(497, 117);
// A window closer than this to a work-area edge is pulled onto it.
inline constexpr int SnapDistance = 16;

enum class TPanelEdge
{
    None,
    Bottom,
    Right,
    Left,
    Top
};

struct TPanel
{
    TPanelEdge edge = TPanelEdge::None;
    QRect rect;
};

// The panel is the strip of the screen left out of the work area; with strips on several
// edges the first of bottom, right, left, top is taken.
TPanel PanelFromScreen(const QRect& screen, const QRect& workArea);

struct TDefaultPositions
{
    QPoint notes;
    QPoint tracer;
    QPoint main;
};

TDefaultPositions DefaultPositions(const QRect& screen, const QRect& workArea);
// Stores the default notes and tracer places of the current screen into Glb() and returns
// the main window's.
QPoint ApplyDefaultPositions();

// The place of a window of `size` moved to `proposed`: pulled onto a work-area edge within
// SnapDistance, which sets `windowSnapped`; once that is set, kept inside the work area,
// its left and top edges first when it is larger than the work area.
QPoint SnapPosition(const QPoint& proposed, const QSize& size, const QRect& workArea,
                    bool& windowSnapped);

// The top-left corner that keeps a window of `size` proposed at `proposed` wholly inside the
// work area, its left and top edges first when it is larger.
QPoint KeptInside(const QPoint& proposed, const QSize& size, const QRect& workArea);

// The side on which the main window's calendar drops down (epaLeft, epaRight).
enum class TCalendarSide
{
    Left,
    Right
};

struct TDockPlacement
{
    QPoint editor;
    TCalendarSide calendarSide = TCalendarSide::Right;
};

// The notes editor beside the main window at the same top: on its right with one pixel of
// overlap, or on its left when it would leave the screen on the right.
TDockPlacement DockEditorPlacement(const QRect& mainWindow, int editorWidth, const QRect& screen);
