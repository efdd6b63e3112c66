// SPDX-License-Identifier: MIT
#include "artwork/core/light.h"

#include <array>

namespace core {

Light Light::fromColourIndex(float bv)
{
    struct Stop
    {
        float bv;
        Light colour;
    };
    // Photographic star colours, a little stronger than the eye sees them.
    static constexpr std::array<Stop, 9> stops = {{
        {-0.30f, {0.62f, 0.74f, 1.00f}},
        {-0.10f, {0.72f, 0.82f, 1.00f}},
        {0.20f, {0.91f, 0.94f, 1.00f}},
        {0.50f, {1.00f, 0.97f, 0.91f}},
        {0.80f, {1.00f, 0.89f, 0.74f}},
        {1.10f, {1.00f, 0.78f, 0.55f}},
        {1.50f, {1.00f, 0.62f, 0.34f}},
        {1.85f, {1.00f, 0.50f, 0.22f}},
        {2.30f, {1.00f, 0.42f, 0.17f}},
    }};
    if (bv <= stops.front().bv)
        return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (bv <= stops[i].bv) {
            const float t = (bv - stops[i - 1].bv) / (stops[i].bv - stops[i - 1].bv);
            return mix(stops[i - 1].colour, stops[i].colour, t);
        }
    }
    return stops.back().colour;
}

} // namespace core
