#pragma once

#include "core/U_Glb.h"

#include <QColor>
#include <QPixmap>
#include <QSize>

// The painted gradient behind a secondary window, in the colour settings of the moment (white to
// black along the width while the default colours are in use); drawn again only when the
// size or the colours change, since scrolling panels repaint over it many times a second.
class TWindowSkin
{
public:
    const QPixmap& Background(const QSize& size);

private:
    QPixmap background;
    TColourSettings colours;
};

// The contrast ratio of two colours as WCAG defines it: 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
