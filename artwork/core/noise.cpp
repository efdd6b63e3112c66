// SPDX-License-Identifier: MIT
#include "artwork/core/noise.h"

#include <algorithm>
#include <cmath>

namespace core::noise {

namespace {

// Sixteen unit gradients evenly spread around the circle.
constexpr float GradX[16] = {
    1.0f,  0.92387953f,  0.70710678f,  0.38268343f,  0.0f, -0.38268343f, -0.70710678f, -0.92387953f,
    -1.0f, -0.92387953f, -0.70710678f, -0.38268343f, 0.0f, 0.38268343f,  0.70710678f,  0.92387953f};
constexpr float GradY[16] = {0.0f,  0.38268343f,  0.70710678f,  0.92387953f,
                             1.0f,  0.92387953f,  0.70710678f,  0.38268343f,
                             0.0f,  -0.38268343f, -0.70710678f, -0.92387953f,
                             -1.0f, -0.92387953f, -0.70710678f, -0.38268343f};

// The twelve cube-edge gradients of 3-D gradient noise, padded to sixteen.
constexpr float Grad3[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

// Per-octave rotation (about 37 degrees) and an offset that keeps the origin
// of one octave off the lattice of the next.
constexpr float RotC = 0.79863551f;
constexpr float RotS = 0.60181502f;
constexpr float Lacunarity = 2.03f;

// floor() is a library call on baseline x86-64; this one inlines.
inline std::int32_t floorInt(float x)
{
    const std::int32_t i = std::int32_t(x);
    return i - (x < float(i));
}

inline std::uint32_t mix(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h =
        std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

inline float fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

inline float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

inline float corner(std::int32_t ix, std::int32_t iy, float dx, float dy, std::uint32_t seed)
{
    const std::uint32_t h = mix(ix, iy, seed) >> 28;
    return GradX[h] * dx + GradY[h] * dy;
}

inline float corner(std::int32_t ix, std::int32_t iy, std::int32_t iz, float dx, float dy, float dz,
                    std::uint32_t seed)
{
    const float *g =
        Grad3[mix(ix, iy, seed ^ (std::uint32_t(iz) * 0x9E3779B1u + 0x5BD1E995u)) >> 28];
    return g[0] * dx + g[1] * dy + g[2] * dz;
}

template <typename Octave>
float fractal(float x, float y, std::uint32_t seed, int octaves, float gain, Octave octave)
{
    float sum = 0, norm = 0, amp = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * octave(x, y, seed + std::uint32_t(i) * 0x68E31DA4u);
        norm += amp;
        amp *= gain;
        const float nx = (RotC * x - RotS * y) * Lacunarity + 17.31f;
        const float ny = (RotS * x + RotC * y) * Lacunarity - 9.73f;
        x = nx;
        y = ny;
    }
    return norm > 0 ? sum / norm : 0.0f;
}

template <typename Octave>
float fractal(float x, float y, float z, std::uint32_t seed, int octaves, float gain, Octave octave)
{
    float sum = 0, norm = 0, amp = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * octave(x, y, z, seed + std::uint32_t(i) * 0x68E31DA4u);
        norm += amp;
        amp *= gain;
        const float nx = (RotC * x - RotS * y) * Lacunarity + 17.31f;
        const float ny = (RotS * x + RotC * y) * Lacunarity - 9.73f;
        x = nx;
        y = ny;
        z = z * Lacunarity + 5.17f;
    }
    return norm > 0 ? sum / norm : 0.0f;
}

inline float ridge(float n)
{
    const float r = 1.0f - std::fabs(n);
    return r * r * r;
}

// The two nearest feature points of a cellular noise, by squared distance.
struct Nearest
{
    float d1 = 1e9f, d2 = 1e9f;
    std::uint32_t id = 0;

    void offer(float d, std::uint32_t h)
    {
        if (d < d1) {
            d2 = d1;
            d1 = d;
            id = h;
        } else if (d < d2) {
            d2 = d;
        }
    }
    Cells cells() const { return {std::sqrt(d1), std::sqrt(d2), id}; }
};

} // namespace

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return mix(x, y, seed);
}

std::uint32_t hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed)
{
    return mix(x, y, seed ^ (std::uint32_t(z) * 0x9E3779B1u + 0x5BD1E995u));
}

float value(float x, float y, std::uint32_t seed)
{
    const std::int32_t ix = floorInt(x), iy = floorInt(y);
    const float fx = float(ix), fy = float(iy);
    const float u = fade(x - fx), v = fade(y - fy);
    auto at = [&](int i, int j) {
        return float(hash(ix + i, iy + j, seed) >> 8) * (2.0f / 16777216.0f) - 1.0f;
    };
    return lerp(lerp(at(0, 0), at(1, 0), u), lerp(at(0, 1), at(1, 1), u), v);
}

float gradient(float x, float y, std::uint32_t seed)
{
    const std::int32_t ix = floorInt(x), iy = floorInt(y);
    const float fx = float(ix), fy = float(iy);
    const float dx = x - fx, dy = y - fy;
    const float n00 = corner(ix, iy, dx, dy, seed);
    const float n10 = corner(ix + 1, iy, dx - 1, dy, seed);
    const float n01 = corner(ix, iy + 1, dx, dy - 1, seed);
    const float n11 = corner(ix + 1, iy + 1, dx - 1, dy - 1, seed);
    const float u = fade(dx), v = fade(dy);
    return 1.41421356f * lerp(lerp(n00, n10, u), lerp(n01, n11, u), v);
}

float gradient(float x, float y, float z, std::uint32_t seed)
{
    const std::int32_t ix = floorInt(x), iy = floorInt(y), iz = floorInt(z);
    const float fx = float(ix), fy = float(iy), fz = float(iz);
    const float dx = x - fx, dy = y - fy, dz = z - fz;
    const float u = fade(dx), v = fade(dy), w = fade(dz);
    float layer[2];
    for (int k = 0; k < 2; ++k) {
        const float n00 = corner(ix, iy, iz + k, dx, dy, dz - k, seed);
        const float n10 = corner(ix + 1, iy, iz + k, dx - 1, dy, dz - k, seed);
        const float n01 = corner(ix, iy + 1, iz + k, dx, dy - 1, dz - k, seed);
        const float n11 = corner(ix + 1, iy + 1, iz + k, dx - 1, dy - 1, dz - k, seed);
        layer[k] = lerp(lerp(n00, n10, u), lerp(n01, n11, u), v);
    }
    return 1.1f * lerp(layer[0], layer[1], w);
}

float fbm(float x, float y, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain,
                   [](float px, float py, std::uint32_t s) { return gradient(px, py, s); });
}

float fbm(float x, float y, float z, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, z, seed, octaves, gain, [](float px, float py, float pz, std::uint32_t s) {
        return gradient(px, py, pz, s);
    });
}

float ridged(float x, float y, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain,
                   [](float px, float py, std::uint32_t s) { return ridge(gradient(px, py, s)); });
}

float ridged(float x, float y, float z, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, z, seed, octaves, gain, [](float px, float py, float pz, std::uint32_t s) {
        return ridge(gradient(px, py, pz, s));
    });
}

float billow(float x, float y, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, seed, octaves, gain, [](float px, float py, std::uint32_t s) {
        return std::fabs(gradient(px, py, s));
    });
}

float billow(float x, float y, float z, std::uint32_t seed, int octaves, float gain)
{
    return fractal(x, y, z, seed, octaves, gain, [](float px, float py, float pz, std::uint32_t s) {
        return std::fabs(gradient(px, py, pz, s));
    });
}

Cells worley(float x, float y, std::uint32_t seed)
{
    const std::int32_t ix = floorInt(x), iy = floorInt(y);
    const float fx = float(ix), fy = float(iy);
    Nearest nearest;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const std::uint32_t h = mix(ix + i, iy + j, seed);
            const float px = float(i) + float(h & 0xFFFF) * (1.0f / 65536.0f) - (x - fx);
            const float py = float(j) + float(h >> 16) * (1.0f / 65536.0f) - (y - fy);
            nearest.offer(px * px + py * py, h);
        }
    }
    return nearest.cells();
}

Cells worley(float x, float y, float z, std::uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = int(fx), iy = int(fy), iz = int(fz);
    Nearest nearest;
    for (int k = -1; k <= 1; ++k) {
        for (int j = -1; j <= 1; ++j) {
            for (int i = -1; i <= 1; ++i) {
                const std::uint32_t h = hash(ix + i, iy + j, iz + k, seed);
                const float px = float(i) + float(h & 0x3FF) * (1.0f / 1024.0f) - (x - fx);
                const float py = float(j) + float((h >> 10) & 0x3FF) * (1.0f / 1024.0f) - (y - fy);
                const float pz = float(k) + float((h >> 20) & 0x3FF) * (1.0f / 1024.0f) - (z - fz);
                nearest.offer(px * px + py * py + pz * pz, h);
            }
        }
    }
    return nearest.cells();
}

Offset warp(float x, float y, std::uint32_t seed, int octaves)
{
    return {fbm(x, y, seed ^ 0x1B873593u, octaves),
            fbm(x + 5.2f, y + 1.3f, seed ^ 0xE6546B64u, octaves)};
}

int octavesFor(float largest, float finest)
{
    if (largest <= finest || finest <= 0)
        return 1;
    return std::max(1, int(std::ceil(std::log(largest / finest) / std::log(Lacunarity))) + 1);
}

} // namespace core::noise
