#include "app/U_Colours.h"

namespace Colours {

const std::array<TTheme, 10>& Themes()
{
    static const std::array<TTheme, 10> themes = {{
        {"BlueMetal1", "BlueMetal", 0xCAF6BA, 0x9B5428, "l", 0x817869, 0xDFDFDF, 0, 0, 0xFFFFFF},
        {"BlueRed1", "BlueRed", 0x6D100C, 0x1210B4, "l", 0x688A97, 0xFFFFFF, 0, 0, 0xC0C0C0},
        {"Collant1", "Collant", 0x403573, 0xAAE0D9, "l", 0x716C78, 0x000000, 0, 0, 0xC0C0C0},
        {"DarkBlue1", "DarkBlue", 0x2B0C07, 0xA75658, "h", 0xE08492, 0x000000, 0, 0, 0x37CAF4},
        {"GrayBlue1", "GrayBlue", 0xB47D6B, 0xD1FDEE, "h", 0xA0AEA3, 0xFFFFFF, 0, 0, 0xFFFFFF},
        {"Metal1", "Metal", 0xFFFFFF, 0x000000, "l", 0x688A97, 0x000000, 0, 0, 0x00FFFF},
        {"typeOR", "Or", 0x05C2FA, 0x000000, "l", 0x738075, 0x59D7F7, 0, 0, 0x59D7F7},
        {"OrBlue1", "OrBlue", 0x0DBEEA, 0xEC1B43, "l", 0x295476, 0x0CA8F3, 0, 0, 0xFFFFFF},
        {"Purple1", "Purple", 0xB2BFB4, 0x7A2B4B, "l", 0x6C1479, 0x4ACAF4, 0, 0, 0xC0C0C0},
        {"Sable1", "Sable", 0x3D424C, 0x8C7977, "l", 0xA9C2CB, 0x000000, 0, 0, 0xC0C0C0},
    }};
    return themes;
}

TColor MarkTextFor(TColor c)
{
    return (0xFFFFFFu - c) ^ c;
}

} // namespace Colours
