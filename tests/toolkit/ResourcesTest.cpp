#include "WidgetProbe.h"
#include "toolkit/C_AnimatedPicture.h"
#include "toolkit/C_Image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

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
    const auto count = [&](auto wanted) {
        return WidgetProbe::Count(alarm, wanted);
    };
    EXPECT_GT(count([](QColor c) { return c.red() > 200 && c.green() < 40; }), 0);
    EXPECT_GT(count([](QColor c) { return c.red() > 200 && c.green() > 200; }), 0);
    EXPECT_EQ(count([](QColor c) { return c.alpha() < 255; }), 0) << "a full square";

    const QPixmap strip(":/pictures/inwork.png");
    ASSERT_EQ(strip.width(), 8 * strip.height());
    TAnimatedPicture picture;
    picture.SetStrip(strip, 8);
    ASSERT_EQ(picture.FrameCount(), 8);
    EXPECT_EQ(picture.sizeHint(), QSize(16, 16));
    EXPECT_NE(strip.copy(0, 0, 16, 16).toImage(), strip.copy(16, 0, 16, 16).toImage());
}

// The pictures are read without asking the image plug-ins; the built-in reader must still read
// every one, and a file that is missing or holds another format gives nothing, not garbage.
TEST(ResourcesTest, PngLoaderReadsThePicturesAndRefusesTheRest)
{
    for (const char* name : {"tarvelle", "led", "alarm", "inwork"}) {
        const QString path = QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name));
        EXPECT_EQ(TImage::LoadPng(path).toImage(),
                  QImage(path).convertToFormat(TImage::LoadPng(path).toImage().format()))
            << name;
    }
    EXPECT_TRUE(TImage::LoadPng(QStringLiteral(":/pictures/missing.png")).isNull());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bmpNamedPng = dir.filePath(QStringLiteral("picture.png"));
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(Qt::red);
    ASSERT_TRUE(square.save(bmpNamedPng, "BMP"));
    EXPECT_TRUE(TImage::LoadPng(bmpNamedPng).isNull());
}
