// SPDX-License-Identifier: MIT
#pragma once

namespace sky {

// A linear light colour; 1 is a full channel before tone mapping.
struct SkyColour
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    SkyColour operator*(double k) const { return {float(r * k), float(g * k), float(b * k)}; }
    SkyColour operator+(const SkyColour &o) const { return {r + o.r, g + o.g, b + o.b}; }

    // A gentle star colour for a B-V colour index: blue-white for hot stars,
    // orange-red for cool giants. The brightest channel is 1.
    static SkyColour fromColourIndex(double bv);

    // Blends towards white; 0 keeps the colour, 1 gives white.
    SkyColour whitened(double amount) const;
};

} // namespace sky
