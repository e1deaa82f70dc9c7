#include "toolkit/C_DigitalClock.h"

#include <gtest/gtest.h>

namespace {
constexpr bool run = true;

class DigitalClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TDigitalClock::SetTimeSource([this] { return now; });
        clock = std::make_unique<TDigitalClock>();
        QObject::connect(clock.get(), &TDigitalClock::Alarm, [this] { ++alarms; });
    }
    void TearDown() override { TDigitalClock::SetTimeSource({}); }
    void At(int day, QTime time) { now = {QDate(2026, 12, day), time}; }
    // The alarms raised by a tick at the given time after a jump there, or with `run` after a
    // tick at every second on the way.
    int TickAt(int day, QTime time, bool everySecond = false)
    {
        const int before = alarms;
        const QDateTime end(QDate(2026, 12, day), time);
        while (everySecond && now.addSecs(1) < end) {
            now = now.addSecs(1);
            clock->Tick();
        }
        At(day, time);
        clock->Tick();
        return alarms - before;
    }
    // Ticking at every second up to it, the alarm comes at that very second.
    bool ComesAt(int day, QTime time)
    {
        return TickAt(day, time.addSecs(-1), run) == 0 && TickAt(day, time) == 1;
    }
    // Setting the time arms an enabled alarm; switching it on arms a disabled one.
    void Arm(int h, int m, int s)
    {
        EXPECT_TRUE(clock->SetAlarmTime(h, m, s));
        clock->SetAlarmEnabled(true);
    }

    QDateTime now{QDate(2026, 12, 7), QTime(9, 0, 0)};
    std::unique_ptr<TDigitalClock> clock;
    int alarms = 0;
};
} // namespace

// Its mouse signals are seen with the other controls'.
TEST_F(DigitalClockTest, ShowsTheSourceTimeAndTicksEvenWhileHidden)
{
    EXPECT_EQ(clock->Text(), "09:00:00");
    TickAt(7, {14, 3, 27, 900});
    EXPECT_EQ(clock->Text(), "14:03:27");
    TickAt(8, {0, 0, 5});
    EXPECT_EQ(clock->Text(), "00:00:05");
    const auto* timer = clock->findChild<QTimer*>("tickTimer");
    EXPECT_TRUE(timer && timer->isActive() && timer->interval() == 1000);
}

TEST_F(DigitalClockTest, AlarmRaisedOnceWhenTheArmedTimeIsReachedOrJumpedOver)
{
    Arm(9, 0, 5);
    EXPECT_TRUE(ComesAt(7, {9, 0, 5}));
    // Still enabled, but this arming is spent: not again, not even the next day.
    EXPECT_TRUE(clock->IsAlarmEnabled());
    EXPECT_EQ(TickAt(7, {9, 1, 0}, run) + TickAt(8, {9, 0, 4}) + TickAt(8, {9, 0, 10}, run), 0);

    Arm(10, 30, 0);
    EXPECT_EQ(TickAt(8, {14, 0, 0}), 1) << "the machine slept past it";
    EXPECT_EQ(TickAt(8, {14, 0, 1}), 0);
    // Set back before a new arming, the clock reaches it again going forward.
    Arm(14, 30, 0);
    EXPECT_EQ(TickAt(8, {13, 0, 0}), 0);
    EXPECT_TRUE(ComesAt(8, {14, 30, 0}));

    // Midnight between two ticks, and an alarm time early in the next day.
    At(9, {23, 59, 58});
    Arm(23, 59, 59);
    EXPECT_EQ(TickAt(10, {0, 0, 1}), 1);
    At(10, {23, 0, 0});
    Arm(0, 0, 10);
    EXPECT_TRUE(ComesAt(11, {0, 0, 10}));

    // A time already past when armed, the present second included, comes only the next day.
    At(11, {12, 0, 0, 400});
    Arm(11, 0, 0);
    EXPECT_EQ(TickAt(11, {12, 0, 30}, run) + TickAt(11, {23, 59, 59}) + TickAt(12, {10, 59, 50}),
              0);
    EXPECT_TRUE(ComesAt(12, {11, 0, 0}));
    At(12, {15, 0, 0, 700});
    Arm(15, 0, 0);
    EXPECT_EQ(TickAt(12, {15, 0, 30}, run), 0);
}

TEST_F(DigitalClockTest, ArmedAgainBySettingTheTimeSwitchingOnOrFromTheHandler)
{
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 2));
    for (const auto& [h, m] : {std::pair{12, 75}, {24, 0}, {-1, 0}})
        EXPECT_FALSE(clock->SetAlarmTime(h, m, 0)) << h << ":" << m;
    EXPECT_EQ(clock->AlarmTime(), QTime(9, 0, 2)) << "an invalid time changes nothing";

    clock->SetAlarmEnabled(true);
    EXPECT_TRUE(ComesAt(7, {9, 0, 2}));
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 6)); // while enabled
    EXPECT_TRUE(ComesAt(7, {9, 0, 6}));
    clock->SetAlarmEnabled(false);
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 8));
    EXPECT_EQ(TickAt(7, {9, 0, 10}, run), 0) << "disabled";
    clock->SetAlarmEnabled(true);
    EXPECT_EQ(TickAt(7, {9, 0, 30}, run), 0) << "passed while disabled";

    // Switching on while on is no new arming: a time jumped over since the last tick stays due.
    ASSERT_TRUE(clock->SetAlarmTime(9, 0, 40));
    At(7, {9, 0, 45});
    clock->SetAlarmEnabled(true);
    EXPECT_EQ(TickAt(7, {9, 0, 45}), 1);
    clock->SetAlarmEnabled(false);
    clock->SetAlarmEnabled(true);
    EXPECT_EQ(TickAt(7, {9, 1, 0}, run), 0);

    QObject::connect(clock.get(), &TDigitalClock::Alarm, [this] {
        if (clock->AlarmTime() == QTime(9, 1, 3))
            Arm(9, 1, 7);
    });
    Arm(9, 1, 3);
    EXPECT_TRUE(ComesAt(7, {9, 1, 3}));
    EXPECT_TRUE(ComesAt(7, {9, 1, 7})) << "armed again by the handler";
}
