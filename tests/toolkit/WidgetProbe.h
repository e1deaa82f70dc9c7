#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

// Looks at what a widget painted: the first row or column holding a given colour.
namespace WidgetProbe {
inline QImage Shot(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline std::optional<int> FirstColumnWith(const QImage& image, QColor color)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == color)
                return x;
    return std::nullopt;
}

inline std::optional<int> FirstRowWith(const QImage& image, QColor color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return y;
    return std::nullopt;
}
} // namespace WidgetProbe
