#include "core/U_Positions.h"

#include "core/U_Glb.h"
#include "platform/U_Platform.h"

#include <algorithm>

namespace {
// Right and bottom edges as the first pixel past the rectangle, as the placement rules count.
int RightOf(const QRect& r)
{
    return r.x() + r.width();
}

int BottomOf(const QRect& r)
{
    return r.y() + r.height();
}

// Keeps [at, at + length) inside [low, high); the low edge wins when it cannot fit.
int KeepInside(int at, int length, int low, int high)
{
    return std::max(low, std::min(at, high - length));
}
} // namespace

TPanel PanelFromScreen(const QRect& screen, const QRect& workArea)
{
    const QRect& s = screen;
    const QRect& w = workArea;
    if (BottomOf(w) < BottomOf(s))
        return {TPanelEdge::Bottom,
                QRect(s.x(), BottomOf(w), s.width(), BottomOf(s) - BottomOf(w))};
    if (RightOf(w) < RightOf(s))
        return {TPanelEdge::Right, QRect(RightOf(w), s.y(), RightOf(s) - RightOf(w), s.height())};
    if (w.x() > s.x())
        return {TPanelEdge::Left, QRect(s.x(), s.y(), w.x() - s.x(), s.height())};
    if (w.y() > s.y())
        return {TPanelEdge::Top, QRect(s.x(), s.y(), s.width(), w.y() - s.y())};
    return {};
}

TDefaultPositions DefaultPositions(const QRect& screen, const QRect& workArea)
{
    const TPanel panel = PanelFromScreen(screen, workArea);
    int notesRight = RightOf(screen);
    int bottom = BottomOf(screen);
    if (panel.edge == TPanelEdge::Bottom)
        bottom = panel.rect.y();
    else if (panel.edge == TPanelEdge::Right)
        notesRight = panel.rect.x();
    TDefaultPositions at;
    at.notes = QPoint(notesRight - NotesEditorSize.width(), bottom - NotesEditorSize.height());
    at.tracer = QPoint(at.notes.x() - TracerWindowSize.width(), bottom - TracerWindowSize.height());
    // Right-aligned with the tracer window and standing on it.
    at.main = QPoint(at.tracer.x() + TracerWindowSize.width() - MainWindowSize.width() + 1,
                     at.tracer.y() - MainWindowSize.height() + 1);
    return at;
}

QPoint ApplyDefaultPositions()
{
    const TDefaultPositions at =
        DefaultPositions(Platform().ScreenGeometry(), Platform().WorkArea());
    Glb().NotesLeft = at.notes.x();
    Glb().NotesTop = at.notes.y();
    Glb().TracerLeft = at.tracer.x();
    Glb().TracerTop = at.tracer.y();
    return at.main;
}

QPoint SnapPosition(const QPoint& proposed, const QSize& size, const QRect& workArea,
                    bool& windowSnapped)
{
    const int left = workArea.x();
    const int top = workArea.y();
    const int right = RightOf(workArea);
    const int bottom = BottomOf(workArea);
    int x = proposed.x();
    int y = proposed.y();
    const auto snap = [&windowSnapped](int& coordinate, int edge) {
        coordinate = edge;
        windowSnapped = true;
    };
    if (x <= left + SnapDistance)
        snap(x, left);
    if (x + size.width() >= right - SnapDistance)
        snap(x, right - size.width());
    if (y <= top + SnapDistance)
        snap(y, top);
    if (y + size.height() >= bottom - SnapDistance)
        snap(y, bottom - size.height());
    if (windowSnapped) {
        x = KeepInside(x, size.width(), left, right);
        y = KeepInside(y, size.height(), top, bottom);
    }
    return {x, y};
}

QPoint KeptInside(const QPoint& proposed, const QSize& size, const QRect& workArea)
{
    return {KeepInside(proposed.x(), size.width(), workArea.x(), RightOf(workArea)),
            KeepInside(proposed.y(), size.height(), workArea.y(), BottomOf(workArea))};
}

TDockPlacement DockEditorPlacement(const QRect& mainWindow, int editorWidth, const QRect& screen)
{
    const int beside = RightOf(mainWindow) - 1;
    if (RightOf(screen) < beside + editorWidth)
        return {QPoint(mainWindow.x() - editorWidth, mainWindow.y()), TCalendarSide::Left};
    return {QPoint(beside, mainWindow.y()), TCalendarSide::Right};
}
