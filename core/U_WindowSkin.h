#pragma once

#include "core/U_Glb.h"

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
