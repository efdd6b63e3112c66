// SPDX-License-Identifier: MIT
#include "artwork/sky/gradientnoise.h"

#include "artwork/sky/splitmix64.h"

#include <cmath>
#include <numeric>

namespace sky {

namespace {

double fade(double t)
{
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double lerp(double t, double a, double b)
{
    return a + t * (b - a);
}

// Dot product with one of the twelve edge directions of a cube.
double grad(int hash, double x, double y, double z)
{
    const int h = hash & 15;
    const double u = h < 8 ? x : y;
    const double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

} // namespace

GradientNoise::GradientNoise(std::uint64_t seed)
{
    std::array<std::uint8_t, 256> p;
    std::iota(p.begin(), p.end(), 0);
    SplitMix64 rng(seed);
    for (int i = 255; i > 0; --i)
        std::swap(p[i], p[rng.next() % std::uint64_t(i + 1)]);
    for (int i = 0; i < 512; ++i)
        m_perm[i] = p[i & 255];
}

double GradientNoise::noise(double x, double y, double z) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const double fz = std::floor(z);
    const int X = int(fx) & 255;
    const int Y = int(fy) & 255;
    const int Z = int(fz) & 255;
    x -= fx;
    y -= fy;
    z -= fz;
    const double u = fade(x);
    const double v = fade(y);
    const double w = fade(z);
    const auto &p = m_perm;
    const int A = p[X] + Y, AA = p[A] + Z, AB = p[A + 1] + Z;
    const int B = p[X + 1] + Y, BA = p[B] + Z, BB = p[B + 1] + Z;
    return lerp(
        w,
        lerp(v, lerp(u, grad(p[AA], x, y, z), grad(p[BA], x - 1, y, z)),
             lerp(u, grad(p[AB], x, y - 1, z), grad(p[BB], x - 1, y - 1, z))),
        lerp(v, lerp(u, grad(p[AA + 1], x, y, z - 1), grad(p[BA + 1], x - 1, y, z - 1)),
             lerp(u, grad(p[AB + 1], x, y - 1, z - 1), grad(p[BB + 1], x - 1, y - 1, z - 1))));
}

double GradientNoise::fbm(double x, double y, double z, int octaves) const
{
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise(x, y, z);
        total += amplitude;
        amplitude *= 0.5;
        // The offsets keep the lattices of successive octaves from lining up.
        x = x * 2.0 + 17.31;
        y = y * 2.0 + 5.77;
        z = z * 2.0 + 11.13;
    }
    return 1.4 * sum / total;
}

} // namespace sky
