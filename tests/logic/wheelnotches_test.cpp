// SPDX-License-Identifier: MIT
#include "logic/wheelnotches.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using Phase = WheelNotches::Phase;

struct Event
{
    int delta;
    Phase phase;
};

struct NotchCase
{
    const char *what;
    std::vector<Event> events;
    std::vector<std::optional<int>> expected; // one per event
};

TEST(WheelNotches, EachNotchIsOneNotification)
{
    constexpr auto none = std::nullopt;
    const NotchCase cases[] = {
        {"mouse notches", {{120, Phase::None}, {-120, Phase::None}}, {120, -120}},
        {"several notches in one event", {{960, Phase::None}}, {960}},
        {"a real zero", {{0, Phase::None}}, {0}},
        {"fractions add up to a notch",
         {{40, Phase::Update}, {40, Phase::Update}, {40, Phase::Update}},
         {none, none, 120}},
        {"the rest carries on",
         {{100, Phase::Update}, {100, Phase::Update}, {100, Phase::Update}},
         {none, 200, 180}},
        {"toward the user too", {{-60, Phase::Update}, {-70, Phase::Update}}, {none, -130}},
        {"turning back starts afresh",
         {{100, Phase::Update}, {-30, Phase::Update}, {-90, Phase::Update}},
         {none, none, -120}},
        {"a high-resolution wheel without phases",
         {{15, Phase::None},
          {15, Phase::None},
          {15, Phase::None},
          {15, Phase::None},
          {15, Phase::None},
          {15, Phase::None},
          {15, Phase::None},
          {15, Phase::None}},
         {none, none, none, none, none, none, none, 120}},
        {"begin and end alone are no notification",
         {{0, Phase::Begin}, {0, Phase::Update}, {0, Phase::End}},
         {none, none, none}},
        {"a momentum phase counts like an update",
         {{80, Phase::Momentum}, {40, Phase::Momentum}},
         {none, 120}},
        {"the end forgets what is left",
         {{0, Phase::Begin}, {100, Phase::Update}, {0, Phase::End}, {100, Phase::Update}},
         {none, none, none, none}},
        {"a begin forgets what is left",
         {{100, Phase::None}, {0, Phase::Begin}, {100, Phase::Update}},
         {none, none, none}},
        {"an end with a delta counts it first",
         {{100, Phase::Update}, {20, Phase::End}},
         {none, 120}},
    };
    for (const NotchCase &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.events.size(), c.expected.size());
        WheelNotches notches;
        for (size_t i = 0; i < c.events.size(); ++i)
            EXPECT_EQ(notches.feed(c.events[i].delta, c.events[i].phase), c.expected[i])
                << "event " << i;
    }
}

} // namespace
