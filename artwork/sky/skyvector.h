// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sky {

// A direction on the sky as a unit vector in equatorial coordinates:
// x towards RA 0h, y towards RA 6h, z towards the north celestial pole.
struct SkyVector
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    static SkyVector fromRaDec(double raHours, double decDeg)
    {
        const double ra = raHours * (std::numbers::pi / 12.0);
        const double dec = decDeg * (std::numbers::pi / 180.0);
        return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    }

    double dot(const SkyVector &o) const { return x * o.x + y * o.y + z * o.z; }
    SkyVector operator+(const SkyVector &o) const { return {x + o.x, y + o.y, z + o.z}; }
    SkyVector operator-(const SkyVector &o) const { return {x - o.x, y - o.y, z - o.z}; }
    SkyVector operator*(double k) const { return {x * k, y * k, z * k}; }
    SkyVector cross(const SkyVector &o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(dot(*this)); }
    SkyVector normalised() const { return *this * (1.0 / length()); }

    // Angle to another direction, in degrees; exact for small angles too.
    double degreesTo(const SkyVector &o) const
    {
        const double chord = (*this - o).length();
        return 2.0 * std::asin(std::min(1.0, chord / 2.0)) * (180.0 / std::numbers::pi);
    }
};

} // namespace sky
