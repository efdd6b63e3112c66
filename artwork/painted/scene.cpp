// SPDX-License-Identifier: MIT
#include "artwork/painted/scene.h"

#include "artwork/painted/noise.h"
#include "artwork/painted/starfield.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

// Maps light to 0..255 with a soft shoulder, so highlights roll off instead of
// clipping, and adds triangular dither so smooth gradients show no bands. The
// dither fades out towards black, which must stay exactly black.
inline int quantise(float light, float d1, float d2)
{
    const float v = 255.0f * (1.0f - std::exp(-std::max(light, 0.0f)));
    const float dither = (d1 + d2 - 1.0f) * std::min(1.0f, v);
    return std::clamp(int(std::lround(v + dither)), 0, 255);
}

} // namespace

Scene::Scene(uint32_t seed)
    : m_seed(seed), m_rng(uint64_t(seed) * 0x2545F4914F6CDD1Dull + 1), m_stars(Width, Height),
      m_front(Width, Height), m_gas(Width, Height, GasScale)
{}

QImage Scene::compose() const
{
    QImage image(Width, Height, QImage::Format_RGB32);
    const uint32_t ditherSeed = m_seed ^ 0xA511E9B3u;
    for (int y = 0; y < Height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            const Gas g = m_gas.sample(x, y);
            const Rgb behind = m_stars.at(x, y) * std::exp(-std::max(g.tau, 0.0f));
            const Rgb light = behind + g.light + m_front.at(x, y);
            const uint32_t h1 = noise::hash(x, y, ditherSeed);
            const uint32_t h2 = noise::hash(x, y, ditherSeed + 1);
            auto unit = [](uint32_t h, int shift) { return float((h >> shift) & 0x3FF) / 1024.0f; };
            const int r = quantise(light.r, unit(h1, 0), unit(h2, 0));
            const int gr = quantise(light.g, unit(h1, 10), unit(h2, 10));
            const int b = quantise(light.b, unit(h1, 20), unit(h2, 20));
            line[x] = qRgb(r, gr, b);
        }
    }
    return image;
}

void backgroundStars(Scene &scene, int count, float brightest)
{
    StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    scatterStars(scene.stars(), scene.rng(), style);
}

} // namespace painted
