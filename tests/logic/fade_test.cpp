// SPDX-License-Identifier: MIT
#include "logic/fade.h"

#include <gtest/gtest.h>

namespace {

class FakeClock : public AnimationClock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 10'000;
};

class FadeTest : public testing::Test
{
protected:
    // Moves the clock on and ticks the fade, as the animation timer does.
    float advance(std::int64_t ms)
    {
        clock.now += ms;
        return fade.tick();
    }

    FakeClock clock;
    Fade fade{clock};
};

TEST_F(FadeTest, StartSetsTheStartValueAtOnce)
{
    advance(123);
    fade.start(0.0f, 0.85f, 500);
    EXPECT_EQ(fade.value(), 0.0f);
    EXPECT_TRUE(fade.isRunning());
    EXPECT_EQ(fade.tick(), 0.0f);
}

struct LinearCase
{
    float from;
    float to;
    int durationMs;
    std::int64_t elapsedMs;
    float expected;
};

TEST_F(FadeTest, ValueFollowsElapsedTimeLinearly)
{
    const LinearCase cases[] = {
        {0.0f, 1.0f, 500, 250, 0.5f},  {0.0f, 0.85f, 500, 250, 0.425f},
        {0.0f, 1.0f, 500, 10, 0.02f},  {1.0f, 0.0f, 400, 100, 0.75f},
        {0.0f, 1.0f, 500, 490, 0.98f},
    };
    for (const LinearCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " at " << c.elapsedMs);
        fade.start(c.from, c.to, c.durationMs);
        EXPECT_FLOAT_EQ(advance(c.elapsedMs), c.expected);
        EXPECT_TRUE(fade.isRunning());
    }
}

TEST_F(FadeTest, LastTickLandsExactlyOnTheStopValue)
{
    // A late timer: the clock jumps well past the end in one tick.
    fade.start(0.0f, 0.85f, 500);
    advance(490);
    EXPECT_LT(fade.value(), 0.85f);
    EXPECT_EQ(advance(170), 0.85f);
    EXPECT_FALSE(fade.isRunning());
    EXPECT_EQ(advance(1000), 0.85f);
}

TEST_F(FadeTest, TenMillisecondTicksRiseSteadilyToTheEnd)
{
    fade.start(0.0f, 1.0f, 500);
    float previous = fade.value();
    int ticks = 0;
    while (fade.isRunning()) {
        ASSERT_LT(++ticks, 100);
        const float v = advance(10);
        EXPECT_GT(v, previous);
        previous = v;
    }
    EXPECT_EQ(ticks, 50);
    EXPECT_EQ(fade.value(), 1.0f);
}

TEST_F(FadeTest, RestartMidFadeBeginsAgainFromTheStart)
{
    fade.start(0.0f, 1.0f, 500);
    advance(250);
    fade.start(0.0f, 1.0f, 500);
    EXPECT_EQ(fade.value(), 0.0f);
    EXPECT_FLOAT_EQ(advance(250), 0.5f);
    EXPECT_TRUE(fade.isRunning());
}

TEST_F(FadeTest, StopLeavesTheValueWhereItIs)
{
    fade.start(0.0f, 1.0f, 500);
    advance(250);
    fade.stop();
    EXPECT_FALSE(fade.isRunning());
    EXPECT_FLOAT_EQ(fade.value(), 0.5f);
    EXPECT_FLOAT_EQ(advance(500), 0.5f);
}

} // namespace
