// SPDX-License-Identifier: MIT
#pragma once

// core::shaping: small pure functions for building density fields and masks.
//
//   clamp01, lerp, smoothstep(e0, e1, x), bump(x, w) = exp(-(x / w)^2)
//   toFrame(x, y, cx, cy, angle)   rotate into a frame whose x axis lies along angle
//   ellipse(...)                   normalised elliptical radius, 1 on the ellipse
//   smin(a, b, k)                  a smooth minimum that blends two distances
//   square(x)

#include <algorithm>
#include <cmath>

namespace core::shaping {

constexpr float Pi = 3.14159265f;

inline float square(float x)
{
    return x * x;
}

inline float clamp01(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

inline float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

inline float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

inline float bump(float x, float w)
{
    const float t = x / w;
    return std::exp(-t * t);
}

struct Point
{
    float x, y;
};

inline Point toFrame(float x, float y, float cx, float cy, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float dx = x - cx, dy = y - cy;
    return {dx * c + dy * s, -dx * s + dy * c};
}

inline float ellipse(float x, float y, float cx, float cy, float a, float b, float angle)
{
    const Point p = toFrame(x, y, cx, cy, angle);
    return std::sqrt(square(p.x / a) + square(p.y / b));
}

inline float smin(float a, float b, float k)
{
    const float h = clamp01(0.5f + 0.5f * (b - a) / k);
    return lerp(b, a, h) - k * h * (1.0f - h);
}

} // namespace core::shaping
