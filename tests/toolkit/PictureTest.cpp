#include "WidgetProbe.h"
#include "toolkit/C_AnimatedPicture.h"
#include "toolkit/C_Image.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

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

TEST(ImageTest, Click)
{
    TImage image;
    image.resize(20, 20);
    QSignalSpy clicks(&image, &TImage::Click);
    QTest::mouseClick(&image, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
}

TEST(AnimatedPictureTest, StripIsCutIntoFramesShownInTurn)
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
}

TEST(AnimatedPictureTest, TimerOnlyWhileRunningAndShown)
{
    TAnimatedPicture picture;
    picture.SetStrip(Strip(), 3);
    picture.SetInterval(150);
    picture.show();
    auto* timer = picture.findChild<QTimer*>("frameTimer");
    EXPECT_FALSE(timer->isActive());
    picture.Start();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 150);
    picture.hide();
    EXPECT_FALSE(timer->isActive());
    picture.show();
    EXPECT_TRUE(timer->isActive());

    picture.Step();
    picture.Stop();
    EXPECT_FALSE(picture.IsRunning());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(picture.Frame(), 1) << "stopping keeps the frame on show";

    picture.SetFrames({Strip()});
    picture.Start();
    EXPECT_FALSE(timer->isActive()) << "one frame needs no timer";
}
