// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/rgb.h"

#include <algorithm>
#include <cmath>

// Small shaping functions shared by the recipes. Lengths are in picture
// heights, as in the gas field's coordinates.
namespace painted::shape {

constexpr float Pi = 3.14159265f;

inline float clamp01(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

inline float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

inline float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

// exp(-(x/w)^2): a soft bump of half-width about w.
inline float bump(float x, float w)
{
    const float t = x / w;
    return std::exp(-t * t);
}

struct Point
{
    float x, y;
};

// Rotates (x, y) by -angle, i.e. into a frame whose x axis points along angle.
inline Point toFrame(float x, float y, float cx, float cy, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float dx = x - cx, dy = y - cy;
    return {dx * c + dy * s, -dx * s + dy * c};
}

// Normalised elliptical radius: 1 on the ellipse with semi-axes a (along
// angle) and b.
inline float ellipse(float x, float y, float cx, float cy, float a, float b, float angle)
{
    const Point p = toFrame(x, y, cx, cy, angle);
    return std::sqrt((p.x / a) * (p.x / a) + (p.y / b) * (p.y / b));
}

// Projected path length through a spherical shell between radii inner and
// outer (1 = at the shell's inner rim), seen at impact parameter d. Gives the
// limb-brightened look of a glowing bubble.
inline float shell(float d, float inner, float outer)
{
    const float o = std::sqrt(std::max(0.0f, outer * outer - d * d));
    const float i = std::sqrt(std::max(0.0f, inner * inner - d * d));
    return (o - i) / std::sqrt(outer * outer - inner * inner);
}

// Polynomial smooth minimum: blends two distance fields without a crease.
inline float smin(float a, float b, float k)
{
    const float h = clamp01(0.5f + 0.5f * (b - a) / k);
    return lerp(b, a, h) - k * h * (1.0f - h);
}

} // namespace painted::shape
