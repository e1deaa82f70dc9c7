#pragma once

#include "core/U_Glb.h"

#include <array>

// A named colour theme of the main window's colour menu.
struct TTheme
{
    const char* name;
    const char* caption;
    TColor gradientA;
    TColor gradientB;
    const char* direction;
    TColor textBack;
    TColor text;
    TColor title;
    TColor markBack;
    TColor markText;
};

namespace Colours {

inline constexpr TColor DefaultTextBack = 0xE08492;

// The ten themes in menu order.
const std::array<TTheme, 10>& Themes();
// The mark's text colour that goes with a title colour `c`: (0xFFFFFF − c) xor c.
TColor MarkTextFor(TColor c);

} // namespace Colours
