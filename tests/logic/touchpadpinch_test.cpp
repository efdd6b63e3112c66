// SPDX-License-Identifier: MIT
#include "logic/touchpadpinch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PinchCase
{
    const char *what;
    std::vector<double> deltas;
    std::vector<GestureRecord> expected; // the zoom notifications, then the end
};

GestureRecord zoom(unsigned flags, int distance)
{
    GestureRecord r;
    r.id = GestureRecord::Zoom;
    r.flags = flags;
    r.distance = distance;
    return r;
}

TEST(TouchpadPinch, ScaleChangesBecomeZoomNotifications)
{
    const PinchCase cases[] = {
        {"spreading by 2% an event",
         {0.02, 0.02, 0.02},
         {zoom(GestureRecord::Begin, 408), zoom(0, 416), zoom(0, 424),
          zoom(GestureRecord::End, 424)}},
        {"pinching in",
         {-0.05, -0.05},
         {zoom(GestureRecord::Begin, 380), zoom(0, 361), zoom(GestureRecord::End, 361)}},
        // 0.5% is 2 units, not more than the threshold, until they add up.
        {"small steps add up",
         {0.005, 0.005, 0.005},
         {zoom(GestureRecord::Begin, 404), zoom(0, 406), zoom(GestureRecord::End, 406)}},
        {"too small to start", {0.004}, {}},
        {"no change at all", {}, {}},
    };
    for (const PinchCase &c : cases) {
        SCOPED_TRACE(c.what);
        TouchpadPinch pinch;
        pinch.begin();
        std::vector<GestureRecord> got;
        for (double d : c.deltas) {
            if (const auto r = pinch.zoom(d))
                got.push_back(*r);
        }
        if (const auto r = pinch.end())
            got.push_back(*r);
        EXPECT_EQ(got, c.expected);
    }
}

TEST(TouchpadPinch, EachPinchStartsAfresh)
{
    TouchpadPinch pinch;
    pinch.begin();
    pinch.zoom(0.5);
    pinch.end();
    pinch.begin();
    const auto first = pinch.zoom(0.01);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, zoom(GestureRecord::Begin, 404));
}

} // namespace
