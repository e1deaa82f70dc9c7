#include "toolkit/C_DigitalClock.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {
class DigitalClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TDigitalClock::SetTimeSource([this] { return now; });
        clock = std::make_unique<TDigitalClock>();
        alarms = std::make_unique<QSignalSpy>(clock.get(), &TDigitalClock::Alarm);
    }
    void TearDown() override { TDigitalClock::SetTimeSource({}); }

    void At(int day, int h, int m, int s, int ms = 0)
    {
        now = {QDate(2026, 12, day), {h, m, s, ms}};
    }
    void TickAt(int day, int h, int m, int s, int ms = 0)
    {
        At(day, h, m, s, ms);
        clock->Tick();
    }
    // Moves the time on second by second, ticking at each, and counts the alarms.
    qsizetype TickUntil(int day, int h, int m, int s)
    {
        const qsizetype before = alarms->size();
        const QDateTime end(QDate(2026, 12, day), QTime(h, m, s));
        while (now < end) {
            now = now.addSecs(1);
            clock->Tick();
        }
        return alarms->size() - before;
    }
    void Arm(int h, int m, int s)
    {
        clock->SetAlarmEnabled(false);
        ASSERT_TRUE(clock->SetAlarmTime(h, m, s));
        clock->SetAlarmEnabled(true);
    }

    QDateTime now{QDate(2026, 12, 7), QTime(9, 0, 0)};
    std::unique_ptr<TDigitalClock> clock;
    std::unique_ptr<QSignalSpy> alarms;
};
} // namespace

TEST_F(DigitalClockTest, ShowsTheSourceTimeTicksEvenWhileHiddenAndClicks)
{
    EXPECT_EQ(clock->Text(), "09:00:00");
    TickAt(7, 14, 3, 27, 900);
    EXPECT_EQ(clock->Text(), "14:03:27");
    TickAt(8, 0, 0, 5);
    EXPECT_EQ(clock->Text(), "00:00:05");
    const auto* timer = clock->findChild<QTimer*>("tickTimer");
    EXPECT_TRUE(timer && timer->isActive() && timer->interval() == 1000);

    // The mouse signals are wired to the relay.
    QSignalSpy clicks(clock.get(), &TDigitalClock::Click);
    QSignalSpy downs(clock.get(), &TDigitalClock::MouseDown);
    QSignalSpy ups(clock.get(), &TDigitalClock::MouseUp);
    clock->resize(60, 16);
    QTest::mouseClick(clock.get(), Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks.size() + downs.size() + ups.size(), 3);
}

TEST_F(DigitalClockTest, AlarmFiresOnceWhenTheArmedSecondIsReached)
{
    Arm(9, 0, 5);
    EXPECT_EQ(TickUntil(7, 9, 0, 4), 0);
    EXPECT_EQ(TickUntil(7, 9, 0, 5), 1);
    // Still enabled, but this arming is spent: not again, not even the next day.
    EXPECT_TRUE(clock->IsAlarmEnabled());
    EXPECT_EQ(TickUntil(7, 9, 1, 0), 0);
    TickAt(8, 9, 0, 4);
    EXPECT_EQ(TickUntil(8, 9, 0, 10), 0);
}

TEST_F(DigitalClockTest, AlarmFollowsJumpsOfTheClock)
{
    Arm(10, 30, 0);
    TickAt(7, 14, 0, 0); // the machine slept
    EXPECT_EQ(alarms->size(), 1);
    TickAt(7, 14, 0, 1);
    EXPECT_EQ(alarms->size(), 1);

    // Set back before a new arming, the clock reaches it again going forward.
    Arm(14, 30, 0);
    TickAt(7, 13, 0, 0);
    EXPECT_EQ(alarms->size(), 1);
    EXPECT_EQ(TickUntil(7, 14, 30, 0), 1);
}

TEST_F(DigitalClockTest, AlarmJustBeforeMidnightFiresAfterTheDayChanged)
{
    At(7, 23, 59, 58);
    Arm(23, 59, 59);
    TickAt(8, 0, 0, 1);
    EXPECT_EQ(alarms->size(), 1);

    At(8, 23, 0, 0);
    Arm(0, 0, 10);
    EXPECT_EQ(TickUntil(9, 0, 0, 9), 0);
    EXPECT_EQ(TickUntil(9, 0, 0, 10), 1);
}

TEST_F(DigitalClockTest, TimeAlreadyPastWhenArmedIsOnlyReachedGoingForward)
{
    At(7, 12, 0, 0, 400);
    Arm(11, 0, 0);
    EXPECT_EQ(TickUntil(7, 12, 0, 30), 0);
    TickAt(7, 23, 59, 59);
    TickAt(8, 10, 59, 50);
    EXPECT_EQ(alarms->size(), 0);
    EXPECT_EQ(TickUntil(8, 11, 0, 0), 1);

    // The present second itself counts as past.
    At(8, 15, 0, 0, 700);
    Arm(15, 0, 0);
    EXPECT_EQ(TickUntil(8, 15, 0, 30), 0);
}

TEST_F(DigitalClockTest, ReArmingBySettingTheTimeOrEnablingAgain)
{
    Arm(9, 0, 2);
    EXPECT_EQ(TickUntil(7, 9, 0, 3), 1);
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 6)); // while enabled
    EXPECT_EQ(TickUntil(7, 9, 0, 6), 1);

    clock->SetAlarmEnabled(false);
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 8));
    EXPECT_EQ(TickUntil(7, 9, 0, 10), 0) << "disabled";
    clock->SetAlarmEnabled(true);
    EXPECT_EQ(TickUntil(7, 9, 0, 30), 0) << "passed while disabled";

    // Switching on while on is no new arming: a time jumped over since the last tick stays due.
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 40));
    At(7, 9, 0, 45);
    clock->SetAlarmEnabled(true);
    clock->Tick();
    EXPECT_EQ(alarms->size(), 3);
    clock->SetAlarmEnabled(false);
    clock->SetAlarmEnabled(true);
    EXPECT_EQ(TickUntil(7, 9, 1, 0), 0);
}

TEST_F(DigitalClockTest, HandlerMayArmTheNextAlarm)
{
    Arm(9, 0, 3);
    QObject::connect(clock.get(), &TDigitalClock::Alarm, [this] {
        if (clock->AlarmTime() == QTime(9, 0, 3))
            Arm(9, 0, 7);
    });
    EXPECT_EQ(TickUntil(7, 9, 0, 3), 1);
    EXPECT_EQ(TickUntil(7, 9, 0, 7), 1) << "armed again by the handler";
}

TEST_F(DigitalClockTest, InvalidAlarmTimeIsRejected)
{
    ASSERT_TRUE(clock->SetAlarmTime(12, 30, 0));
    for (const auto& [h, m] : {std::pair{12, 75}, {24, 0}, {-1, 0}})
        EXPECT_FALSE(clock->SetAlarmTime(h, m, 0)) << h << ":" << m;
    EXPECT_EQ(clock->AlarmTime(), QTime(12, 30, 0));
}
