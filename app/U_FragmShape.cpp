#include "app/U_FragmShape.h"

#include <array>

namespace FragmShape {

QRegion WindowRegion(const QSize& size)
{
    return QRegion(QRect(QPoint(0, 0), size), QRegion::Ellipse)
        .subtracted(QRegion(Hole, QRegion::Ellipse));
}

void PaintRim(QPainter& painter, const QSize& size)
{
    constexpr std::array<QRgb, 6> kPens = {0x000000, 0x7E7E7E, 0x747474,
                                           0x646464, 0x575757, 0x000000};
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        painter.setPen(QPen(QColor(kPens[i]), i == 0 ? 2 : 1));
        // Outline (i, i)-(width, height - 1): right and bottom edges excluded, as drawn.
        painter.drawEllipse(QRect(QPoint(i, i), QPoint(size.width() - 1, size.height() - 2)));
        if (i >= 1 && i <= 3)
            painter.drawEllipse(QRect(QPoint(15, 40), QPoint(i + 43, i + 78)));
    }
}

} // namespace FragmShape
