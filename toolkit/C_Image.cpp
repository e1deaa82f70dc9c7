#include "C_Image.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

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
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
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
