#include "TestFiles.h"
#include "WidgetProbe.h"
#include "toolkit/C_AnimatedPicture.h"
#include "toolkit/C_Image.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

TEST(AnimatedPictureTest, StripIsCutIntoFramesShownInTurnWhileRunningAndShown)
{
    QPixmap strip(12, 4);
    strip.fill(Qt::blue);
    QPainter(&strip).fillRect(0, 0, 4, 4, Qt::red);
    QPainter(&strip).fillRect(4, 0, 4, 4, Qt::green);
    TAnimatedPicture picture;
    picture.SetStrip(strip, 3);
    picture.resize(4, 4);
    ASSERT_EQ(picture.FrameCount(), 3);
    EXPECT_EQ(picture.sizeHint(), QSize(4, 4));
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
    picture.SetFrames({strip});
    picture.Start();
    EXPECT_FALSE(timer->isActive()) << "one frame needs no timer";
}

// The pictures are read without asking the image plug-ins; the built-in reader must still read
// every one, and a file that is missing, holds another format or was cut short (a copy broken
// off midway) gives nothing, not garbage.
TEST(PicturesTest, OwnPicturesOfTheirSizeReadByThePngLoaderWhichRefusesTheRest)
{
    for (auto [name, size] : {std::pair{"tarvelle", QSize(64, 64)},
                              {"led", QSize(10, 10)},
                              {"alarm", QSize(20, 20)},
                              {"inwork", QSize(8 * 16, 16)}}) {
        const QString path = QString(":/pictures/%1.png").arg(name);
        const QImage read = TImage::LoadPng(path).toImage();
        EXPECT_EQ(read, QImage(path).convertToFormat(read.format())) << name;
        EXPECT_EQ(read.size(), size) << name;
    }
    const QImage inWork(":/pictures/inwork.png");
    EXPECT_NE(inWork.copy(0, 0, 16, 16), inWork.copy(16, 0, 16, 16)) << "an animation";
    QTemporaryDir dir;
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(Qt::red);
    ASSERT_TRUE(square.save(dir.filePath("bmp.png"), "BMP"));
    const QByteArray whole = ReadBytes(":/pictures/inwork.png");
    ASSERT_TRUE(WriteBytes(dir.filePath("cut.png"), whole.left(whole.size() - 40)));
    for (const QString& path :
         {QString(":/pictures/missing.png"), dir.filePath("bmp.png"), dir.filePath("cut.png")})
        EXPECT_TRUE(TImage::LoadPng(path).isNull()) << path.toStdString();
}
