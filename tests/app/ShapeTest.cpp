#include "app/U_FragmShape.h"
#include "app/U_Termination.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>

#include <csignal>

TEST(FragmShape, EllipseWithAHoleAndTheRimAroundBoth)
{
    const QRegion region = FragmShape::WindowRegion();
    EXPECT_TRUE(region.contains(QPoint(138, 58))); // centre
    EXPECT_TRUE(region.contains(QPoint(2, 58)));   // left end of the long axis
    EXPECT_FALSE(region.contains(QPoint(1, 1)));   // corners are outside
    EXPECT_FALSE(region.contains(QPoint(30, 60))); // the hole's centre
    EXPECT_TRUE(region.contains(QPoint(50, 60)));  // just right of the hole
    EXPECT_TRUE(region.contains(QPoint(30, 36)));  // just above it
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 277, 116));

    QImage image(277, 116, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    FragmShape::PaintRim(painter, image.size());
    painter.end();
    EXPECT_NE(image.pixelColor(1, 58), QColor(Qt::white));   // left edge of the rim
    EXPECT_NE(image.pixelColor(15, 60), QColor(Qt::white));  // the hole's left rim
    EXPECT_EQ(image.pixelColor(138, 58), QColor(Qt::white)); // inside stays unpainted
    EXPECT_EQ(image.pixelColor(30, 60), QColor(Qt::white));
}

TEST(Termination, SignalsArriveOnTheEventLoop)
{
    TTerminationWatcher watcher;
    QSignalSpy spy(&watcher, &TTerminationWatcher::TerminationRequested);
    for (const int signal : {SIGTERM, SIGHUP}) {
        ASSERT_EQ(std::raise(signal), 0);
        ASSERT_TRUE(spy.wait(5000));
        EXPECT_EQ(spy.takeFirst().at(0).toInt(), signal);
    }
}
