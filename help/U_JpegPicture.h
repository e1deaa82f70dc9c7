#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG held in memory with libjpeg-turbo itself: no image plug-in is looked for, and
// a damaged or cut picture is a failure with libjpeg's reason, never the end of the program.
class TJpegPicture
{
public:
    // Neither side of a picture may exceed this: a forged header cannot ask for gigabytes.
    static constexpr int MaxSide = 8192;

    // The picture (opaque, QImage::Format_RGB32), or a null image with the reason in `error`.
    static QImage Decode(const QByteArray& data, QString* error = nullptr);
};
