// SPDX-License-Identifier: MIT
#include "logic/gesturerecognizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

void PrintTo(const GestureRecord &r, std::ostream *os)
{
    *os << "{" << r.id << ", flags " << r.flags << ", " << r.distance << "}";
}

namespace {

using Records = std::vector<GestureRecord>;
using P = TouchPoint;

constexpr unsigned Begin = GestureRecord::Begin;
constexpr unsigned End = GestureRecord::End;

GestureRecord zoom(unsigned flags, int distance)
{
    return {GestureRecord::Zoom, flags, distance};
}

const GestureRecord DoubleTap{GestureRecord::DoubleTap, Begin | End, 0};

// Feeds events one after the other and collects everything emitted.
class GestureTest : public testing::Test
{
protected:
    void feed(const std::vector<TouchPoint> &points, std::int64_t ms)
    {
        const Records r = recognizer.process(points, ms);
        emitted.insert(emitted.end(), r.begin(), r.end());
    }

    // Finger 1 rests at the origin and finger 2 lands at x = 100 on the same
    // line, so the distance is finger 2's x.
    void landPair()
    {
        feed({{1, 0, 0, P::Pressed}}, now);
        feed({{1, 0, 0, P::Stationary}, {2, 100, 0, P::Pressed}}, now += 10);
    }
    void moveSecond(double x) { feed({{1, 0, 0, P::Stationary}, {2, x, 0, P::Moved}}, now += 10); }
    void liftSecond(double x)
    {
        feed({{1, 0, 0, P::Stationary}, {2, x, 0, P::Released}}, now += 10);
    }
    void liftFirst() { feed({{1, 0, 0, P::Released}}, now += 10); }

    // One finger down at pressMs and up at releaseMs, drifting by drift on
    // the way.
    void tap(std::int64_t pressMs, std::int64_t releaseMs, double drift = 0)
    {
        feed({{7, 50, 50, P::Pressed}}, pressMs);
        if (drift != 0)
            feed({{7, 50 + drift, 50, P::Moved}}, pressMs + 1);
        feed({{7, 50 + drift, 50, P::Released}}, releaseMs);
    }

    GestureRecognizer recognizer;
    Records emitted;
    std::int64_t now = 1000;
};

struct PinchCase
{
    const char *what;
    std::vector<double> distances; // finger 2's x at each move; it lifts at the last one
    Records expected;
};

TEST_F(GestureTest, PinchNotifiesEachChangeAboveTwoUnits)
{
    const PinchCase cases[] = {
        {"growing by 3 per event",
         {103, 106, 109},
         {zoom(Begin, 103), zoom(0, 106), zoom(0, 109), zoom(End, 109)}},
        {"growing by 1 per event accumulates",
         {101, 102, 103, 104, 105, 106, 107},
         {zoom(Begin, 103), zoom(0, 106), zoom(End, 107)}},
        {"exactly 2 is not enough",
         {102, 104, 106, 108},
         {zoom(Begin, 104), zoom(0, 108), zoom(End, 108)}},
        {"shrinking", {99, 98, 97, 94}, {zoom(Begin, 97), zoom(0, 94), zoom(End, 94)}},
        {"fractional distances round",
         {102.5, 105, 107.6},
         {zoom(Begin, 103), zoom(0, 105), zoom(0, 108), zoom(End, 108)}},
        {"back and forth within 2", {101, 99, 102, 98.5}, {}},
        {"still fingers", {100, 100}, {}},
    };
    for (const PinchCase &c : cases) {
        SCOPED_TRACE(c.what);
        recognizer.reset();
        emitted.clear();
        landPair();
        for (double d : c.distances)
            moveSecond(d);
        liftSecond(c.distances.back());
        liftFirst();
        EXPECT_EQ(emitted, c.expected);
    }
}

TEST_F(GestureTest, PinchEndsWhicheverFingerLifts)
{
    landPair();
    moveSecond(120);
    feed({{1, 0, 0, P::Released}, {2, 120, 0, P::Stationary}}, now += 10);
    // The finger left behind is no pinch and no tap.
    feed({{2, 150, 0, P::Moved}}, now += 10);
    feed({{2, 150, 0, P::Released}}, now += 10);
    EXPECT_EQ(emitted, (Records{zoom(Begin, 120), zoom(End, 120)}));
}

TEST_F(GestureTest, PinchCanStartWithBothFingersAtOnce)
{
    feed({{1, 0, 0, P::Pressed}, {2, 30, 40, P::Pressed}}, now);
    feed({{1, 0, 0, P::Stationary}, {2, 60, 80, P::Moved}}, now += 10);
    feed({{1, 0, 0, P::Released}, {2, 60, 80, P::Released}}, now += 10);
    EXPECT_EQ(emitted, (Records{zoom(Begin, 100), zoom(End, 100)}));
}

struct Tap
{
    std::int64_t pressMs;
    std::int64_t releaseMs;
    double drift;
};

struct TapCase
{
    const char *what;
    std::vector<Tap> taps;
    std::vector<int> emittingTaps; // indexes of the taps whose release sends a double tap
};

TEST_F(GestureTest, DoubleTapNeedsTwoStillTapsInsideTheWindow)
{
    const TapCase cases[] = {
        {"quick pair", {{0, 50, 0}, {150, 250, 0}}, {1}},
        {"second released at the window's end", {{0, 50, 0}, {200, 300, 0}}, {1}},
        {"second released just after it", {{0, 50, 0}, {200, 301, 0}}, {}},
        {"too slow", {{0, 50, 0}, {400, 450, 0}}, {}},
        {"a late tap opens a new window", {{0, 50, 0}, {400, 450, 0}, {500, 550, 0}}, {2}},
        {"drift within 10", {{0, 50, 10}, {150, 250, -10}}, {1}},
        {"second drifts too far", {{0, 50, 0}, {150, 250, 11}}, {}},
        {"first drifts too far", {{0, 50, 11}, {150, 250, 0}}, {}},
        {"three quick taps make one", {{0, 30, 0}, {60, 90, 0}, {120, 150, 0}}, {1}},
        {"two pairs", {{0, 30, 0}, {60, 90, 0}, {400, 430, 0}, {460, 490, 0}}, {1, 3}},
    };
    for (const TapCase &c : cases) {
        SCOPED_TRACE(c.what);
        recognizer.reset();
        for (std::size_t i = 0; i < c.taps.size(); ++i) {
            emitted.clear();
            const std::int64_t base = 100'000;
            tap(base + c.taps[i].pressMs, base + c.taps[i].releaseMs, c.taps[i].drift);
            const bool expected = std::find(c.emittingTaps.begin(), c.emittingTaps.end(),
                                            static_cast<int>(i)) != c.emittingTaps.end();
            EXPECT_EQ(emitted, expected ? Records{DoubleTap} : Records{}) << "tap " << i;
        }
    }
}

TEST_F(GestureTest, SlideAwayAndBackIsNoTap)
{
    feed({{7, 50, 50, P::Pressed}}, 0);
    feed({{7, 70, 50, P::Moved}}, 20);
    feed({{7, 50, 50, P::Moved}}, 40);
    feed({{7, 50, 50, P::Released}}, 60);
    tap(100, 150);
    EXPECT_TRUE(emitted.empty());
}

TEST_F(GestureTest, TwoFingerContactCancelsAPendingTap)
{
    tap(0, 30);
    now = 60;
    landPair();
    liftSecond(100);
    liftFirst();
    tap(120, 150);
    EXPECT_TRUE(emitted.empty());

    // A second finger joining a tap spoils that tap as well.
    tap(1000, 1030);
    feed({{7, 50, 50, P::Pressed}}, 1060);
    feed({{7, 50, 50, P::Stationary}, {8, 90, 50, P::Pressed}}, 1070);
    feed({{7, 50, 50, P::Stationary}, {8, 90, 50, P::Released}}, 1080);
    feed({{7, 50, 50, P::Released}}, 1090);
    EXPECT_TRUE(emitted.empty());
}

TEST_F(GestureTest, ResetForgetsPinchAndPendingTap)
{
    landPair();
    moveSecond(110);
    recognizer.reset();
    liftSecond(110);
    liftFirst();
    EXPECT_EQ(emitted, (Records{zoom(Begin, 110)}));

    emitted.clear();
    tap(5000, 5030);
    recognizer.reset();
    tap(5060, 5090);
    EXPECT_TRUE(emitted.empty());
}

} // namespace
