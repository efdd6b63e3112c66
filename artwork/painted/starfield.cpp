// SPDX-License-Identifier: MIT
#include "artwork/painted/starfield.h"

#include <cmath>

namespace painted {

Rgb starColour(Rng &rng, float blueShare)
{
    const float pick = rng.uniform();
    const float jitter = rng.range(-0.04f, 0.04f);
    if (pick < blueShare)
        return {0.72f + jitter, 0.84f + jitter, 1.0f};
    const float rest = (pick - blueShare) / (1.0f - blueShare);
    if (rest < 0.55f)
        return {1.0f, 0.96f + jitter, 0.9f + jitter};
    if (rest < 0.85f)
        return {1.0f, 0.86f + jitter, 0.66f + jitter};
    return {1.0f, 0.7f + jitter, 0.46f + jitter};
}

void drawFieldStar(Canvas &canvas, Rng &rng, const StarFieldStyle &style, float x, float y)
{
    // Counts grow by 10^slope per magnitude: invert that distribution's CDF.
    const float span = std::pow(10.0f, style.slope * style.range) - 1.0f;
    const float m = std::log10(1.0f + rng.uniform() * span) / style.slope;
    const float flux = std::pow(10.0f, -0.4f * m);
    StarLook star;
    star.x = x;
    star.y = y;
    star.colour = starColour(rng, style.blueShare);
    star.peak = style.brightest * std::pow(flux, 0.7f);
    star.sigma = 0.55f + 1.1f * std::pow(flux, 0.45f);
    if (m < 1.5f) {
        star.halo = 0.04f;
        star.haloRadius = 3.0f * star.sigma;
        if (style.spikes > 0) {
            star.spikes = style.spikes;
            star.spikeLength = 12.0f + 40.0f * flux;
        }
    }
    canvas.addStar(star);
}

} // namespace painted

namespace painted {

void brightStar(Canvas &canvas, float u, float v, const Rgb &colour, float peak, float size,
                float spikes)
{
    StarLook star;
    const float h = float(canvas.height());
    star.x = u * h + 0.5f * float(canvas.width()) - 0.5f;
    star.y = v * h + 0.5f * h - 0.5f;
    star.colour = colour;
    star.peak = peak;
    star.sigma = 1.3f * size;
    star.halo = 0.05f;
    star.haloRadius = 5.0f * size;
    star.spikes = spikes;
    star.spikeLength = 70.0f * size;
    canvas.addStar(star);
}

void scatterCluster(Canvas &canvas, Rng &rng, float u, float v, float radius, int count,
                    float brightest)
{
    constexpr Rgb Hot{0.85f, 0.92f, 1.0f};
    constexpr Rgb Blue{0.42f, 0.62f, 1.0f};
    constexpr Rgb Warm{1.0f, 0.92f, 0.8f};
    for (int i = 0; i < count; ++i) {
        const float r = radius * std::fabs(rng.normal()) * 0.6f;
        const float a = rng.range(0, 6.2831853f);
        const float su = u + r * std::cos(a), sv = v + r * std::sin(a) * 0.85f;
        const float m = std::pow(rng.uniform(), 2.5f);
        const Rgb colour = rng.uniform() < 0.8f ? mix(Hot, Blue, rng.uniform() * 0.5f) : Warm;
        brightStar(canvas, su, sv, colour, brightest * (0.08f + m), 0.45f + 0.7f * m,
                   m > 0.75f ? 0.2f : 0.0f);
    }
}

} // namespace painted
