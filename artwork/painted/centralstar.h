// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/core/starimage.h"

namespace painted {

// A nebula's central or brightest star: a saturated core through the shared
// point-spread function, with short faint spikes only when asked for.
inline void addCentralStar(core::FloatCanvas &canvas, float x, float y, float brightness,
                           const core::Light &colour, float spikes = 0.0f,
                           float spikeLength = 40.0f, float spikeAngle = 0.35f)
{
    core::StarImage star;
    star.x = x;
    star.y = y;
    star.brightness = brightness;
    star.colour = colour;
    star.spikes = spikes;
    star.spikeLength = spikeLength;
    star.spikeAngle = spikeAngle;
    canvas.addStar(star);
}

} // namespace painted
