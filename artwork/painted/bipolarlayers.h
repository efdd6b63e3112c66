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
#include "artwork/core/shaping.h"
#include "artwork/core/starfield.h"
#include "artwork/core/starimage.h"
#include "artwork/core/volume.h"

#include <algorithm>
#include <cmath>
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

// x clamped to [0, 1], cubed: sparse bright peaks from noise.
inline float cube01(float x)
{
    const float c = core::shaping::clamp01(x);
    return c * c * c;
}

// Fine texture of gas streaming out from a star at (cx, cy), for
// addTextured(): streaks along the flow `width` px across 250 px out, bent by
// a broad warp and broken into lengths, knots of a few px drawn out along
// the flow, and grit. About 1 on average; `contrast` scales the swing.
inline float outflow(float x, float y, float cx, float cy, float width, float contrast,
                     std::uint32_t seed)
{
    const core::noise::Offset w = core::noise::warp(x / 90.0f, y / 90.0f, seed + 1, 2);
    const float dx = x - cx + 18.0f * w.x, dy = y - cy + 18.0f * w.y;
    const float r = std::sqrt(dx * dx + dy * dy) + 1.0f;
    // The direction from the star enters as a point on a circle, so there
    // is no seam; strands have their width 250 px out and fan out beyond.
    // Within about 100 px they would crowd into spokes, so they stop narrowing there.
    const float k = 250.0f / std::sqrt(r * r + 110.0f * 110.0f);
    const float coarse =
        core::noise::ridged(dx * k / width, dy * k / width, r / (6.0f * width), seed + 2, 2);
    // Small knots drawn out a little along the flow, a few px across.
    const float fine = core::noise::fbm(dx * k * 2.0f / width, dy * k * 2.0f / width,
                                        r / (1.2f * width), seed + 3, 2);
    const float lengths = core::shaping::clamp01(
        0.5f + 1.2f * core::noise::fbm(x / (4.0f * width), y / (4.0f * width), seed + 4, 2));
    const float specks = core::noise::fbm(x / 2.5f, y / 2.5f, seed + 5, 2);
    const float knots = cube01(0.45f + core::noise::fbm(x / 4.0f, y / 4.0f, seed + 6, 2));
    const float patches = core::shaping::clamp01(
        0.3f + 1.5f * core::noise::fbm(x / (9.0f * width), y / (9.0f * width), seed + 7, 2));
    // Close to the star the gas is mixed, with no strands.
    const float spread = core::shaping::smoothstep(50.0f, 220.0f, r);
    const float t = (0.25f + spread * (1.4f * coarse * coarse * (0.4f + lengths) - 0.25f)) +
                    1.6f * cube01(0.4f + fine) * patches + 0.6f * knots + 0.12f * specks;
    return std::max(0.05f, 1.0f + contrast * (t - 0.52f));
}

} // namespace painted
