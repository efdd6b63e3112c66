// SPDX-License-Identifier: MIT
#include "artwork/sky/starappearance.h"

#include "artwork/sky/skyfield.h"

#include <algorithm>
#include <cmath>

namespace sky {

namespace {

// Brightness of a star at the field's faint magnitude: about 10 levels above
// the sky after the develop step.
constexpr double FaintBrightness = 0.0028;

// Level of linear light taken as a star's visible edge.
constexpr float DiscLevel = 0.06f;

} // namespace

core::StarImage starImage(double magnitude, const SkyField &field)
{
    // A photograph's response is compressed at the faint end (two magnitudes
    // above the faint limit span about 10 to 35 levels) and steepens for
    // bright stars, whose cores burn out while their halos spread.
    const SkyField::Response &r = field.response;
    const double below = field.faintMagnitude - magnitude;
    const double bright = std::max(0.0, field.faintMagnitude - r.brightFrom - magnitude);
    // Discs and halos start growing a little fainter than the light's
    // steepening, so magnitude 3-5 stars show a halo; they stop growing
    // before the brightest stars fog the frame.
    const double size = std::clamp(field.faintMagnitude - r.sizeFrom - magnitude, 0.0, r.sizeRange);
    core::StarImage star;
    star.brightness =
        float(FaintBrightness * std::pow(10.0, r.faintSlope * below + r.brightSlope * bright));
    star.seeing = float(field.starScale * (1.0 + r.seeingGrowth * size));
    star.halo = float(1.0 + r.haloGrowth * size);
    // The wide glow grows with the star by itself; more would fog the frame.
    star.glow = float(r.glow / star.halo);
    return star;
}

double discRadius(double magnitude, const SkyField &field)
{
    return starImage(magnitude, field).discRadius(DiscLevel);
}

} // namespace sky
