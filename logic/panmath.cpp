// SPDX-License-Identifier: MIT
#include "logic/panmath.h"

namespace panmath {

std::optional<float> panAxis(float position, float pointer, float lastPointer, float scale,
                             float unscaledSize, int windowExtent)
{
    const float delta =
        static_cast<float>(static_cast<double>(pointer) - static_cast<double>(lastPointer));
    const double next = static_cast<double>(position) + delta;
    const double travel =
        static_cast<double>(scale) * static_cast<double>(unscaledSize) - windowExtent;
    // The far limit is only reachable while the box is at least as large as
    // the window; below that travel is negative and every step is refused.
    if (next <= 0 && -next <= travel)
        return static_cast<float>(next);
    return std::nullopt;
}

} // namespace panmath
