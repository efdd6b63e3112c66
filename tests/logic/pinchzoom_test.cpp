// SPDX-License-Identifier: MIT
#include "logic/pinchzoom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct StepCase
{
    const char *what;
    unsigned flags;
    std::int32_t distance;
    std::int32_t last;
    int step;
    std::int32_t lastAfter;
};

TEST(PinchZoom, StepsByTheChangeSinceTheLastNotification)
{
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    const StepCase cases[] = {
        {"spread by 5", 0, 105, 100, +1, 105},
        {"spread by exactly the threshold", 0, 104, 100, 0, 104},
        {"closed by 5", 0, 95, 100, -1, 95},
        {"closed by exactly the threshold", 0, 96, 100, 0, 96},
        {"the begin only sets the distance", GestureRecord::Begin, 400, 77, 0, 400},
        {"the end leaves it", GestureRecord::End, 500, 77, 0, 77},
        {"begin and end at once", GestureRecord::Begin | GestureRecord::End, 300, 77, 0, 300},
        {"inertia is an ordinary notification", GestureRecord::Inertia, 90, 77, +1, 90},
        {"the whole range does not overflow", 0, Max, Min, +1, Max},
        {"nor the other way", 0, Min, Max, -1, Min},
    };
    for (const StepCase &c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t last = c.last;
        EXPECT_EQ(pinchzoom::step({GestureRecord::Zoom, c.flags, c.distance}, last), c.step);
        EXPECT_EQ(last, c.lastAfter);
    }
}

TEST(GestureIdentifiers, InteractiveOnesAreTheirPlaceAfter259)
{
    const std::int16_t inOrder[] = {GestureRecord::Zoom,        GestureRecord::Pan,
                                    GestureRecord::Rotate,      GestureRecord::TwoFingerTap,
                                    GestureRecord::PressAndTap, GestureRecord::LongTap,
                                    GestureRecord::DoubleTap};
    for (int i = 0; i < int(std::size(inOrder)); ++i)
        EXPECT_EQ(inOrder[i], 259 + i);
    EXPECT_EQ(GestureRecord::SwipeLeft, 1);
    EXPECT_EQ(GestureRecord::SwipeRight, 2);
}

} // namespace
