#include "core/U_WindowSkin.h"

#include <QImage>

const QPixmap& TWindowSkin::Background(const QSize& size)
{
    const TColourSettings now = Glb().UseDefaultColours ? TColourSettings{} : Glb().Colours;
    if (background.size() != size || !(colours == now)) {
        QImage drawn(size, QImage::Format_RGB32);
        PaintGradient(drawn, now.GradientColourA, now.GradientColourB, now.GradientDirection);
        background = QPixmap::fromImage(drawn);
        colours = now;
    }
    return background;
}
