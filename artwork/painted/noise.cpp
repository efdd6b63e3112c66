// SPDX-License-Identifier: MIT
#include "artwork/painted/noise.h"

#include <algorithm>
#include <cmath>

namespace painted::noise {

namespace {

// Sixteen unit gradients evenly spread around the circle.
constexpr float GradX[16] = {
    1.0f,  0.92387953f,  0.70710678f,  0.38268343f,  0.0f, -0.38268343f, -0.70710678f, -0.92387953f,
    -1.0f, -0.92387953f, -0.70710678f, -0.38268343f, 0.0f, 0.38268343f,  0.70710678f,  0.92387953f};
constexpr float GradY[16] = {0.0f,  0.38268343f,  0.70710678f,  0.92387953f,
                             1.0f,  0.92387953f,  0.70710678f,  0.38268343f,
                             0.0f,  -0.38268343f, -0.70710678f, -0.92387953f,
                             -1.0f, -0.92387953f, -0.70710678f, -0.38268343f};

// Per-octave rotation (about 37 degrees) and a shift that keeps the origin of
// one octave off the lattice of the next.
constexpr float RotC = 0.79863551f;
constexpr float RotS = 0.60181502f;
constexpr float Lacunarity = 2.03f;

inline float fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

inline float corner(int32_t ix, int32_t iy, float dx, float dy, uint32_t seed)
{
    const uint32_t h = hash(ix, iy, seed) >> 28;
    return GradX[h] * dx + GradY[h] * dy;
}

template <typename Octave>
float fractal(float x, float y, uint32_t seed, int octaves, float gain, Octave octave)
{
    float sum = 0, norm = 0, amp = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * octave(x, y, seed + uint32_t(i) * 0x68E31DA4u);
        norm += amp;
        amp *= gain;
        const float nx = (RotC * x - RotS * y) * Lacunarity + 17.31f;
        const float ny = (RotS * x + RotC * y) * Lacunarity - 9.73f;
        x = nx;
        y = ny;
    }
    return sum / norm;
}

} // namespace

uint32_t hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float gradient(float x, float y, uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = int32_t(fx), iy = int32_t(fy);
    const float dx = x - fx, dy = y - fy;
    const float n00 = corner(ix, iy, dx, dy, seed);
    const float n10 = corner(ix + 1, iy, dx - 1, dy, seed);
    const float n01 = corner(ix, iy + 1, dx, dy - 1, seed);
    const float n11 = corner(ix + 1, iy + 1, dx - 1, dy - 1, seed);
    const float u = fade(dx), v = fade(dy);
    const float a = n00 + (n10 - n00) * u;
    const float b = n01 + (n11 - n01) * u;
    return 1.41421356f * (a + (b - a) * v);
}

float fbm(float x, float y, uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain,
                   [](float px, float py, uint32_t s) { return gradient(px, py, s); });
}

float ridged(float x, float y, uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain, [](float px, float py, uint32_t s) {
        const float r = 1.0f - std::fabs(gradient(px, py, s));
        return r * r * r;
    });
}

float billow(float x, float y, uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain,
                   [](float px, float py, uint32_t s) { return std::fabs(gradient(px, py, s)); });
}

Cells worley(float x, float y, uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = int32_t(fx), iy = int32_t(fy);
    float d1 = 1e9f, d2 = 1e9f;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const uint32_t h = hash(ix + i, iy + j, seed);
            const float px = float(i) + float(h & 0xFFFF) * (1.0f / 65536.0f) - (x - fx);
            const float py = float(j) + float(h >> 16) * (1.0f / 65536.0f) - (y - fy);
            const float d = px * px + py * py;
            if (d < d1) {
                d2 = d1;
                d1 = d;
            } else if (d < d2) {
                d2 = d;
            }
        }
    }
    return {std::sqrt(d1), std::sqrt(d2)};
}

Offset warp(float x, float y, uint32_t seed, int octaves)
{
    return {fbm(x, y, seed ^ 0x1B873593u, octaves),
            fbm(x + 5.2f, y + 1.3f, seed ^ 0xE6546B64u, octaves)};
}

} // namespace painted::noise
