#include "help/U_Fade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using TTick = TFade::TTick;

// The opacity after each tick, as long as the ticks say "faded".
std::vector<int> FadedRun(TFade& fade, TTick* last)
{
    std::vector<int> seen;
    while ((*last = fade.Tick()) == TTick::Faded)
        seen.push_back(fade.Opacity());
    return seen;
}

std::vector<int> Steps(int from, int to, int step)
{
    std::vector<int> values;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step)
        values.push_back(v);
    return values;
}
} // namespace

TEST(FadeTest, FadingInRunsFrom95To255In32TicksThenStops)
{
    TFade fade;
    fade.FadeIn();
    EXPECT_EQ(fade.Opacity(), 95);
    TTick last{};
    EXPECT_EQ(FadedRun(fade, &last), Steps(100, 255, 5));
    EXPECT_EQ(last, TTick::Stopped);
    EXPECT_EQ(fade.Opacity(), 255);
    EXPECT_EQ(fade.Tick(), TTick::Stopped) << "full opacity stays";
}

// The close comes with the tick from 102 to 94, the 20th.
TEST(FadeTest, FadingOutRunsFrom254DownAndClosesAtTheFirstValueBelow95)
{
    TFade fade;
    fade.FadeOut();
    EXPECT_EQ(fade.Opacity(), 254);
    TTick last{};
    const std::vector<int> faded = FadedRun(fade, &last);
    EXPECT_EQ(faded, Steps(246, 102, -8));
    EXPECT_EQ(faded.size(), 19u);
    EXPECT_EQ(last, TTick::Close);
    EXPECT_EQ(fade.Opacity(), 94);
}

TEST(FadeTest, AClickDuringTheFadeInTurnsItIntoTheFadeOutFrom254)
{
    TFade fade;
    fade.FadeIn();
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(fade.Tick(), TTick::Faded);
    EXPECT_FALSE(fade.FadingOut());
    fade.FadeOut();
    EXPECT_TRUE(fade.FadingOut());
    EXPECT_EQ(fade.Opacity(), 254);
    EXPECT_EQ(fade.Tick(), TTick::Faded);
    EXPECT_EQ(fade.Opacity(), 246);
}

// A window that could not close keeps ticking: the byte goes on down to below 80 and stays
// there, never wrapping round to an opaque window.
TEST(FadeTest, TicksPastTheCloseStopBelow80WithoutWrappingRound)
{
    TFade fade;
    fade.FadeOut();
    std::vector<int> seen;
    for (int i = 0; i < 40; ++i) {
        const TTick tick = fade.Tick();
        if (tick == TTick::Close)
            seen.push_back(fade.Opacity());
    }
    EXPECT_EQ(seen.front(), 94);
    EXPECT_EQ(seen[1], 86);
    EXPECT_EQ(fade.Opacity(), 78);
    EXPECT_EQ(seen.back(), 78);
}
