// SPDX-License-Identifier: MIT
#include "artwork/sky/skycolour.h"

#include <algorithm>
#include <array>

namespace sky {

SkyColour SkyColour::fromColourIndex(double bv)
{
    struct Stop
    {
        double bv;
        SkyColour colour;
    };
    static const std::array<Stop, 8> stops = {{
        {-0.30, {0.66f, 0.77f, 1.00f}},
        {-0.10, {0.76f, 0.85f, 1.00f}},
        {0.20, {0.93f, 0.95f, 1.00f}},
        {0.50, {1.00f, 0.98f, 0.93f}},
        {0.80, {1.00f, 0.91f, 0.78f}},
        {1.10, {1.00f, 0.82f, 0.62f}},
        {1.50, {1.00f, 0.68f, 0.43f}},
        {1.90, {1.00f, 0.55f, 0.31f}},
    }};
    if (bv <= stops.front().bv)
        return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (bv <= stops[i].bv) {
            const double t = (bv - stops[i - 1].bv) / (stops[i].bv - stops[i - 1].bv);
            return stops[i - 1].colour * (1.0 - t) + stops[i].colour * t;
        }
    }
    return stops.back().colour;
}

SkyColour SkyColour::whitened(double amount) const
{
    const double keep = 1.0 - std::clamp(amount, 0.0, 1.0);
    return SkyColour{1.0f, 1.0f, 1.0f} * (1.0 - keep) + *this * keep;
}

} // namespace sky
