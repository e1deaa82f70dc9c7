#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

// Looks at what a widget painted.
struct WidgetProbe
{
    static QImage Shot(QWidget& w) { return w.grab().toImage().convertedTo(QImage::Format_RGB32); }
    // The first column (or row) holding a given colour.
    static std::optional<int> FirstWith(const QImage& image, QColor color, bool rows = false)
    {
        const QSize size = rows ? image.size().transposed() : image.size();
        for (int a = 0; a < size.width(); ++a)
            for (int b = 0; b < size.height(); ++b)
                if (image.pixelColor(rows ? b : a, rows ? a : b) == color)
                    return a;
        return std::nullopt;
    }
};
