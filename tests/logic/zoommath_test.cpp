// SPDX-License-Identifier: MIT
#include "logic/zoommath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct FitCase
{
    int width;
    int height;
    float expected;
};

TEST(FitScale, SmallerSideOverPictureHeight)
{
    const FitCase cases[] = {
        {1920, 1080, 1.0f}, {1366, 768, 0.7111111f}, {1920, 1200, 1.1111112f},
        {2560, 1080, 1.0f}, {3840, 2160, 2.0f},      {1080, 1920, 1.0f},
    };
    for (const FitCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(zoommath::fitScale(c.width, c.height, 0.5f), c.expected);
    }
}

TEST(FitScale, WindowWithoutAreaKeepsPreviousValue)
{
    const FitCase cases[] = {{0, 1080, 0.7111111f},
                             {1920, 0, 0.7111111f},
                             {0, 0, 2.0f},
                             {-5, 768, 1.0f},
                             {1366, -1, 1.0f}};
    for (const FitCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const float f = zoommath::fitScale(c.width, c.height, c.expected);
        EXPECT_EQ(f, c.expected);
        EXPECT_TRUE(std::isfinite(f));
        EXPECT_GT(f, 0.0f);
    }
}

// A zoom sequence starting at the fit scale: stepsIn accepted steps in, then
// steps out until the first refusal.
struct ZoomCase
{
    float fit;
    int stepsIn;
    int acceptedOut;
    float finalScale;
};

TEST(ZoomStep, StepsOutStopAtTheFitScaleAsRounded)
{
    const ZoomCase cases[] = {
        {1.0f, 20, 20, 1.0f},           // 1920 x 1080
        {2.0f, 1, 0, 2.0999999f},       // 3840 x 2160: 1.9999999 is below the fit
        {0.7111111f, 3, 2, 0.8111111f}, // 1366 x 768
        {0.8333333f, 2, 1, 0.9333333f}, // 1600 x 900
        {1.1111112f, 9, 8, 1.2111111f}, // 1920 x 1200
    };
    for (const ZoomCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "fit " << c.fit);
        float scale = c.fit;
        for (int i = 0; i < c.stepsIn; ++i) {
            const auto next = zoommath::zoomStep(scale, 1, c.fit);
            ASSERT_TRUE(next.has_value()) << "step in " << i + 1;
            scale = *next;
        }
        int out = 0;
        while (const auto next = zoommath::zoomStep(scale, -1, c.fit)) {
            scale = *next;
            ASSERT_LE(++out, c.stepsIn) << "zoomed out below the fit scale";
        }
        EXPECT_EQ(out, c.acceptedOut);
        EXPECT_EQ(scale, c.finalScale);
    }
}

TEST(ZoomStep, CeilingIsJudgedOnTheRoundedScale)
{
    float scale = 1.0f;
    for (int i = 0; i < 20; ++i)
        scale = zoommath::zoomStep(scale, 1, 1.0f).value();
    EXPECT_EQ(scale, 2.9999993f);
    EXPECT_FALSE(zoommath::zoomStep(scale, 1, 1.0f).has_value());

    EXPECT_EQ(zoommath::zoomStep(2.0f, 1, 2.0f), 2.0999999f);
}

TEST(ZoomStep, BoundsThemselvesAreAccepted)
{
    EXPECT_EQ(zoommath::zoomStep(2.9f, 1, 1.0f), 3.0f);
    EXPECT_EQ(zoommath::zoomStep(3.0f, 0, 1.0f), 3.0f);
    EXPECT_EQ(zoommath::zoomStep(0.7111111f, 0, 0.7111111f), 0.7111111f);
    EXPECT_EQ(zoommath::zoomStep(1.1f, -1, 1.0f), 1.0f);
}

TEST(ZoomStep, FitScaleAboveCeilingRefusesEveryStep)
{
    // A window whose smaller side exceeds 3240 units.
    const float fit = zoommath::fitScale(3600, 3360, 1.0f);
    ASSERT_GT(fit, zoommath::MaxScale);
    for (int aIn : {-1, 0, 1})
        EXPECT_FALSE(zoommath::zoomStep(fit, aIn, fit).has_value()) << "aIn " << aIn;
}

TEST(ZoomStep, OnlyTheSignOfTheRequestCounts)
{
    EXPECT_EQ(zoommath::zoomStep(1.0f, 120, 1.0f), zoommath::zoomStep(1.0f, 1, 1.0f));
    EXPECT_EQ(zoommath::zoomStep(1.5f, -120, 1.0f), zoommath::zoomStep(1.5f, -1, 1.0f));
}

struct CentreCase
{
    int extent;
    float scale;
    float unscaled;
    float expected;
};

TEST(CentredPosition, BoxIsCentredInTheWindow)
{
    const CentreCase cases[] = {
        {1920, 1.0f, 1920.0f, 0.0f},    // box covers the window
        {1920, 1.5f, 1920.0f, -480.0f}, // larger box overhangs both sides
        {1080, 0.8f, 1080.0f, 108.0f},  // smaller box leaves bands
        {1365, 1.0f, 1366.0f, -0.5f},   // odd difference keeps its half unit
    };
    for (const CentreCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.extent << " " << c.scale << " " << c.unscaled);
        EXPECT_FLOAT_EQ(zoommath::centredPosition(c.extent, c.scale, c.unscaled), c.expected);
    }
}

} // namespace
