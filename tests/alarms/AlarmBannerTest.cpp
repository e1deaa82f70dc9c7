#include "TestEnv.h"
#include "alarms/F_AlarmBanner.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QTimer>

namespace {
class AlarmBanner : public TarvelleTest
{
protected:
    void TearDown() override
    {
        if (TAlarmBanner* left = TAlarmBanner::Current())
            left->Expire();
        Flush();
        TarvelleTest::TearDown();
    }
    static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static int BannersAlive()
    {
        int alive = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            alive += window->objectName() == "AlarmBanner";
        return alive;
    }
};
} // namespace

TEST_F(AlarmBanner, RedOnBlueAtTheScreensCentreOverEveryWindow)
{
    platform->screen = QRect(0, 0, 1280, 800);
    DrawAlarmBanner("A L A R M E - Tarvelle");
    TAlarmBanner* banner = TAlarmBanner::Current();
    ASSERT_TRUE(banner);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->Text(), "A L A R M E - Tarvelle");
    EXPECT_EQ(banner->font().pointSize(), 32);
    EXPECT_TRUE(
        banner->windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint));
    const QSize text =
        QFontMetrics(banner->font()).size(Qt::TextSingleLine, "A L A R M E - Tarvelle");
    EXPECT_EQ(banner->geometry(),
              QRect(640 - (text.width() + 10) / 2, 400 - (text.height() + 5) / 2, text.width() + 10,
                    text.height() + 5));
    const QImage drawn = banner->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(1, 1), QColor(0, 0, 255));
    bool red = false;
    for (int x = 0; x < drawn.width() && !red; ++x)
        for (int y = 0; y < drawn.height() && !red; ++y)
            red = drawn.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(AlarmBanner, GoesAtAClickOrWhenItsTimeIsUpLeavingNothing)
{
    DrawAlarmBanner("un");
    TAlarmBanner* banner = TAlarmBanner::Current();
    auto* timer = banner->findChild<QTimer*>("timerBanner");
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), TAlarmBanner::ShownMs);
    QTest::mouseClick(banner, Qt::LeftButton);
    Flush();
    EXPECT_EQ(TAlarmBanner::Current(), nullptr);
    EXPECT_EQ(BannersAlive(), 0);

    DrawAlarmBanner("deux");
    QMetaObject::invokeMethod(TAlarmBanner::Current()->findChild<QTimer*>("timerBanner"),
                              "timeout");
    Flush();
    EXPECT_EQ(BannersAlive(), 0);
}

TEST_F(AlarmBanner, ANewBannerReplacesTheOneShown)
{
    DrawAlarmBanner("un");
    DrawAlarmBanner("deux");
    Flush();
    EXPECT_EQ(BannersAlive(), 1);
    EXPECT_EQ(TAlarmBanner::Current()->Text(), "deux");
}
