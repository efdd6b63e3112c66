// SPDX-License-Identifier: MIT
#pragma once

// Small steps the bipolar and dark-cloud pictures share, all in linear light
// on core canvases.
//
//   fieldStars(scene.light(), seed, 6000, 6.0f);          // the backdrop
//   addTextured(scene.light(), gas, box, texture);         // volume x fine 2-D detail
//   addVolume(scene.light(), box, 2, -300, 300, 64, field, seed, texture);  // both at once

#include "artwork/core/floatcanvas.h"
#include "artwork/core/noise.h"
#include "artwork/core/starfield.h"
#include "artwork/core/starimage.h"
#include "artwork/core/volume.h"

#include <algorithm>
#include <cstdint>

namespace painted {

inline void fieldStars(core::FloatCanvas &light, std::uint64_t seed, int count, float brightest,
                       float blueShare = 0.3f)
{
    core::Rng rng(seed);
    core::StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    style.blueShare = blueShare;
    core::scatterStars(light, rng, style);
}

// Adds a volume rendered at cell resolution, multiplied by texture(x, y) at
// every pixel of the box: the fine detail a coarse volume cannot carry.
template <typename Texture>
void addTextured(core::FloatCanvas &light, const core::FloatCanvas &gas, core::Box box,
                 Texture texture)
{
    box.x0 = std::max(box.x0, 0);
    box.y0 = std::max(box.y0, 0);
    box.x1 = std::min(box.x1, light.width());
    box.y1 = std::min(box.y1, light.height());
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const core::Light g = gas.at(x, y);
            if (g.r + g.g + g.b <= 0.0f)
                continue;
            light.add(x, y, g * texture(float(x) + 0.5f, float(y) + 0.5f));
        }
    }
}

// Renders an emitting volume over the box at cell resolution (volume.h) on
// its own canvas and adds it to light, multiplied by texture(x, y).
template <typename Field, typename Texture>
void addVolume(core::FloatCanvas &light, core::Box box, int cell, float zNear, float zFar,
               int steps, const Field &field, std::uint64_t seed, Texture texture)
{
    core::FloatCanvas gas(light.width(), light.height());
    core::renderVolume(gas, box, cell, zNear, zFar, steps, field, seed);
    addTextured(light, gas, box, texture);
}

// Thin, winding crests in [0, 1], sharpened and bent by a broad warp of
// strength `bend`: the filaments a texture for addTextured() is built from.
// x and y are in feature units.
inline float filaments(float x, float y, float bend, std::uint32_t seed)
{
    const core::noise::Offset w = core::noise::warp(x * 0.25f, y * 0.25f, seed + 1, 2);
    const float f = core::noise::ridged(x + bend * w.x, y + bend * w.y, seed, 3);
    return f * f * f;
}

} // namespace painted
