#pragma once

#include "core/U_Glb.h"

#include <QColor>
#include <QPixmap>
#include <QSize>

class QPainter;

// The painted gradient behind a window, in the colour settings of the moment (white to black
// along the width while the default colours are in use); drawn again only when the size or the
// colours change, since scrolling panels and clocks repaint over it many times a second.
class TWindowSkin
{
public:
    // Paints what a window draws over its gradient, such as a rim.
    using TOverlay = void (*)(QPainter& painter, const QSize& size);

    explicit TWindowSkin(TOverlay overlay = nullptr) : overlay(overlay) {}

    const QPixmap& Background(const QSize& size);

private:
    TOverlay overlay;
    QPixmap background;
    TColourSettings colours;
};

// The contrast ratio of two colours as WCAG defines it: 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
