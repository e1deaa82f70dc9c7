#pragma once

#include <QPainter>
#include <QRegion>
#include <QSize>

// The main window's elliptic outline: its region and its painted rim.
namespace FragmShape {

inline constexpr QSize WindowSize{277, 116};
inline constexpr QRect Hole{15, 40, 30, 40}; // (15, 40)-(45, 80)
// The height of the band at the top by which the window is dragged.
inline constexpr int DragBand = 30;

// The ellipse filling the window minus the small hole the desktop shows through.
QRegion WindowRegion(const QSize& size = WindowSize);
// Six outlines round the edge, the inner three also round the hole.
void PaintRim(QPainter& painter, const QSize& size);

} // namespace FragmShape
