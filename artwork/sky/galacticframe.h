// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skyvector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sky::galactic {

// The galactic frame (J2000) in equatorial unit vectors: the north galactic
// pole, the direction of the galactic centre, and longitude 90 degrees.
inline const SkyVector Pole = SkyVector::fromRaDec(192.85948 / 15.0, 27.12825);
inline const SkyVector Centre = SkyVector::fromRaDec(266.40500 / 15.0, -28.93617);
inline const SkyVector Y = Pole.cross(Centre);

inline double latitudeDeg(const SkyVector &direction)
{
    return std::asin(std::clamp(direction.dot(Pole), -1.0, 1.0)) * (180.0 / std::numbers::pi);
}

} // namespace sky::galactic
