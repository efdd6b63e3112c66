// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// Turns the toolkit's wheel events into wheel notifications, one per notch.
// A mouse wheel reports a notch of 120 per event; a touchpad or a
// high-resolution wheel reports fractions of it, which add up here until a
// whole notch is reached in either direction. Events that only mark the
// beginning or end of a scroll carry no notch.
class WheelNotches
{
public:
    static constexpr int Notch = 120;
    enum class Phase { None, Begin, Update, End, Momentum };

    // delta: the event's angle delta on its axis, positive away from the user.
    // Returns the WheelDelta of the notification the event completes: the
    // delta gathered so far, so one event of several notches is still one
    // notification. An event outside any scroll phase with no delta is a
    // notification of 0.
    std::optional<int> feed(int delta, Phase phase);

    // The part of a notch gathered so far.
    int pending() const { return m_pending; }

private:
    int m_pending = 0;
};
