#include "C_Image.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"

#include <QFile>
#include <QPainter>

#include <climits>
#include <png.h>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    auto* mouse = new TMouseRelay(this);
    connect(mouse, &TMouseRelay::Click, this, &TImage::Click);
    connect(mouse, &TMouseRelay::DblClick, this, &TImage::DblClick);
    connect(mouse, &TMouseRelay::MouseDown, this, &TImage::MouseDown);
    connect(mouse, &TMouseRelay::MouseUp, this, &TImage::MouseUp);
}

QPixmap TImage::LoadPng(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.constData(), size_t(data.size())))
        return {};
    // The byte order of QImage::Format_ARGB32, straight (not premultiplied) alpha.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image;
    if (png.width <= INT_MAX && png.height <= INT_MAX)
        image = QImage(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (image.isNull()) { // too large to hold
        png_image_free(&png);
        return {};
    }
    if (!png_image_finish_read(&png, nullptr, image.bits(), int(image.bytesPerLine()), nullptr))
        return {}; // libpng frees its state on failure
    return QPixmap::fromImage(std::move(image));
}

void TImage::SetPicture(const QPixmap& newPicture)
{
    picture = newPicture;
    updateGeometry();
    update();
}

void TImage::SetStretch(bool on)
{
    stretch = on;
    update();
}

void TImage::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

QSize TImage::sizeHint() const
{
    return picture.isNull() ? QSize(16, 16) : picture.size();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture.isNull())
        return;
    QPainter painter(this);
    if (stretch)
        painter.drawPixmap(rect(), picture);
    else
        painter.drawPixmap(0, 0, picture);
}
