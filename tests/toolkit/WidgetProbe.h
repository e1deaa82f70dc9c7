#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

// Looks at what a widget painted.
namespace WidgetProbe {
inline QImage Shot(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The first column (or row) holding a given colour.
inline std::optional<int> FirstWith(const QImage& image, QColor color, bool rows = false)
{
    const QSize size = rows ? image.size().transposed() : image.size();
    for (int a = 0; a < size.width(); ++a)
        for (int b = 0; b < size.height(); ++b)
            if (image.pixelColor(rows ? b : a, rows ? a : b) == color)
                return a;
    return std::nullopt;
}
inline int Count(const QImage& image, const std::function<bool(QColor)>& wanted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}
} // namespace WidgetProbe
