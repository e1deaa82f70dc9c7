#include "core/U_WindowSkin.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

const QPixmap& TWindowSkin::Background(const QSize& size)
{
    const TColourSettings now = Glb().UseDefaultColours ? TColourSettings{} : Glb().Colours;
    if (background.size() != size || !(colours == now)) {
        QImage drawn(size, QImage::Format_RGB32);
        PaintGradient(drawn, now.GradientColourA, now.GradientColourB, now.GradientDirection);
        if (overlay) {
            QPainter painter(&drawn);
            overlay(painter, size);
        }
        background = QPixmap::fromImage(drawn);
        colours = now;
    }
    return background;
}

namespace {
double Luminance(const QColor& c)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
