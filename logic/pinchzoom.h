// SPDX-License-Identifier: MIT
#pragma once

#include "logic/gesturerecognizer.h"

#include <cstdint>

// What a zoom-gesture notification does to the picture. The threshold
// applies to the change between two consecutive notifications and is never
// accumulated, so a slow pinch never zooms and a fast one zooms at most one
// step per notification.
namespace pinchzoom {

inline constexpr std::int64_t Threshold = 4;

// Takes one zoom notification with the distance of the previous one, which
// it updates: Begin only sets it, End leaves it, any other notification sets
// it after comparing. Returns +1 (spread by more than Threshold), -1 (closed
// by more than Threshold) or 0.
int step(const GestureRecord &record, std::int32_t &lastDistance);

} // namespace pinchzoom
