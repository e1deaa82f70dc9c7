#include "WidgetProbe.h"
#include "toolkit/C_AnimatedPicture.h"
#include "toolkit/C_Image.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// Three 4 x 4 frames side by side: red, green, blue.
QPixmap Strip()
{
    QPixmap strip(12, 4);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 4, 4, Qt::red);
    painter.fillRect(4, 0, 4, 4, Qt::green);
    painter.fillRect(8, 0, 4, 4, Qt::blue);
    return strip;
}
} // namespace

TEST(AnimatedPictureTest, StripIsCutIntoFramesShownInTurnWhileRunningAndShown)
{
    TAnimatedPicture picture;
    picture.SetStrip(Strip(), 3);
    picture.resize(4, 4);
    ASSERT_EQ(picture.FrameCount(), 3);
    for (QColor colour : {Qt::red, Qt::green, Qt::blue}) {
        EXPECT_EQ(WidgetProbe::Shot(picture).pixelColor(2, 2), colour);
        picture.Step();
    }
    EXPECT_EQ(picture.Frame(), 0) << "after the last, the first";

    picture.SetInterval(150);
    picture.show();
    auto* timer = picture.findChild<QTimer*>("frameTimer");
    EXPECT_FALSE(timer->isActive());
    picture.Start();
    EXPECT_TRUE(timer->isActive() && timer->interval() == 150);
    picture.hide();
    EXPECT_FALSE(timer->isActive());
    picture.show();
    EXPECT_TRUE(timer->isActive());

    picture.Step();
    picture.Stop();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(picture.Frame(), 1) << "stopping keeps the frame on show";
    picture.SetFrames({Strip()});
    picture.Start();
    EXPECT_FALSE(timer->isActive()) << "one frame needs no timer";
}

TEST(ResourcesTest, IconLedAlarmAndWorkInProgressPictures)
{
    const QImage icon(":/pictures/tarvelle.png");
    ASSERT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << "outside the ellipse";
    EXPECT_EQ(icon.pixelColor(12, 32).alpha(), 0) << "the hole";
    EXPECT_EQ(icon.pixelColor(30, 32).alpha(), 255);

    const QImage led(":/pictures/led.png");
    ASSERT_EQ(led.size(), QSize(10, 10));
    EXPECT_GT(led.pixelColor(5, 5).red(), 150);

    const QImage alarm(":/pictures/alarm.png");
    ASSERT_EQ(alarm.size(), QSize(20, 20));
    EXPECT_GT(WidgetProbe::Count(alarm, [](QColor c) { return c.red() > 200 && c.green() < 40; }),
              0);
    EXPECT_GT(WidgetProbe::Count(alarm, [](QColor c) { return c.red() > 200 && c.green() > 200; }),
              0);
    EXPECT_EQ(WidgetProbe::Count(alarm, [](QColor c) { return c.alpha() < 255; }), 0)
        << "a full square";

    const QPixmap strip(":/pictures/inwork.png");
    ASSERT_EQ(strip.width(), 8 * strip.height());
    TAnimatedPicture picture;
    picture.SetStrip(strip, 8);
    EXPECT_EQ(picture.sizeHint(), QSize(16, 16));
    EXPECT_NE(strip.copy(0, 0, 16, 16).toImage(), strip.copy(16, 0, 16, 16).toImage());
}

// The pictures are read without asking the image plug-ins; the built-in reader must still read
// every one, and a file that is missing or holds another format gives nothing, not garbage.
TEST(ResourcesTest, PngLoaderReadsThePicturesAndRefusesTheRest)
{
    for (const char* name : {"tarvelle", "led", "alarm", "inwork"}) {
        const QString path = QString(":/pictures/%1.png").arg(name);
        const QImage read = TImage::LoadPng(path).toImage();
        EXPECT_EQ(read, QImage(path).convertToFormat(read.format())) << name;
    }
    EXPECT_TRUE(TImage::LoadPng(":/pictures/missing.png").isNull());

    QTemporaryDir dir;
    const QString bmpNamedPng = dir.filePath("picture.png");
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(Qt::red);
    ASSERT_TRUE(square.save(bmpNamedPng, "BMP"));
    EXPECT_TRUE(TImage::LoadPng(bmpNamedPng).isNull());

    // A picture cut short (a copy broken off midway) gives nothing rather than half a picture.
    QFile whole(":/pictures/inwork.png");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = dir.filePath("cut.png");
    QFile part(cut);
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write(whole.readAll().chopped(40));
    part.close();
    EXPECT_TRUE(TImage::LoadPng(cut).isNull());
}
