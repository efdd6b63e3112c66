// SPDX-License-Identifier: MIT
#include "logic/fadeframes.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    double refreshHz;
    double frameMs;
};

TEST(FadeFrames, WholeDisplayFramesNoMoreThanFortyASecond)
{
    const Case cases[] = {
        {60.0, 1000.0 / 30},   // every other frame
        {0.0, 1000.0 / 30},    // a display that does not say is taken as 60 Hz
        {0.5, 1000.0 / 30},    // nor one that says nonsense
        {80.0, 25.0},          // exactly the shortest: two frames, not three
        {144.0, 4000.0 / 144}, // every fourth frame
        {30.0, 1000.0 / 30},   // slow displays paint every frame
        {24.0, 1000.0 / 24},   // however slow
    };
    for (const Case &c : cases)
        EXPECT_NEAR(fadeFrameMs(c.refreshHz), c.frameMs, 1e-9) << c.refreshHz << " Hz";
}

} // namespace
