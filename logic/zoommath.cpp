// SPDX-License-Identifier: MIT
#include "logic/zoommath.h"

#include <algorithm>

namespace zoommath {

float fitScale(int width, int height, float previous)
{
    // A minimised or not yet sized window would give 0 (and later divisions
    // by it); the last usable value stays in force instead.
    if (width <= 0 || height <= 0)
        return previous;
    return static_cast<float>(static_cast<double>(std::min(width, height)) / PictureHeight);
}

std::optional<float> zoomStep(float current, int aIn, float fitScale)
{
    float f = current;
    if (aIn > 0)
        f = static_cast<float>(static_cast<double>(current) + ZoomStep);
    else if (aIn < 0)
        f = static_cast<float>(static_cast<double>(current) - ZoomStep);
    // Both limits are judged on the stored float, so rounding decides whether
    // the last step in or out still fits.
    if (f > MaxScale || f < fitScale)
        return std::nullopt;
    return f;
}

float centredPosition(int windowExtent, float scale, float unscaledSize)
{
    const double box = static_cast<double>(scale) * static_cast<double>(unscaledSize);
    return static_cast<float>((windowExtent - box) / 2);
}

} // namespace zoommath
