#pragma once

#include <QColor>

// Colours cross the toolkit's interfaces as 0x00BBGGRR values (red in the low byte).
namespace Bgr {
inline QColor ToColor(quint32 bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline quint32 FromColor(const QColor& color)
{
    return static_cast<quint32>(color.red()) | static_cast<quint32>(color.green()) << 8 |
           static_cast<quint32>(color.blue()) << 16;
}
} // namespace Bgr
