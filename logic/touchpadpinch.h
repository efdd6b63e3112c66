// SPDX-License-Identifier: MIT
#pragma once

#include "logic/gesturerecognizer.h"

#include <optional>

// A touchpad pinch reports relative scale changes, not finger positions. This
// turns them into the zoom notifications a touch screen gives, as if the two
// fingers began Span units apart: the first change of more than 2 units
// carries Begin, each later one a plain notification, and the end of the
// pinch one with End.
class TouchpadPinch
{
public:
    static constexpr double Span = 400.0;

    void begin();
    // delta: the scale change since the last event (0.05 is 5% wider).
    std::optional<GestureRecord> zoom(double delta);
    std::optional<GestureRecord> end();

private:
    double m_scale = 1.0;
    int m_reported = 0;
    bool m_started = false;
};
