// SPDX-License-Identifier: MIT
#pragma once

// core::scatterStars: a seeded field of background stars, drawn through the
// point-spread function (starimage.h). Counts rise towards faint stars as in
// the sky (by 10^slope per magnitude), so most are faint specks of 10-30
// levels and a few are bright with halos. A density callable thins the field
// (a galaxy's arm, a dark cloud); a dust callable, if given, dims each star by
// the transmittance in front of it.
//
//   core::Rng rng(seed);
//   core::StarFieldStyle style;              // 6000 stars over 8 magnitudes
//   style.brightest = 30.0f;                 // brightness of the brightest stars
//   core::scatterStars(canvas, rng, style);
//   core::scatterStars(canvas, rng, style, [](float x, float y) { return density(x, y); });
//
// Cost: about 1 ms per 1000 faint stars; the few bright ones dominate.

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/core/rng.h"
#include "artwork/core/starimage.h"

#include <cmath>

namespace core {

struct StarFieldStyle
{
    int count = 6000;
    float brightest = 8.0f; // brightness of a star at the bright end
    float range = 8.0f;     // magnitudes from the brightest to the faintest
    float slope = 0.35f;    // growth of star counts per magnitude, as a power of ten
    float blueShare = 0.3f; // share of hot blue-white stars; the rest run to yellow and orange
    float seeing = 1.0f;
};

// A plausible field-star colour: mostly white, some blue-white, some yellow-orange.
inline Light fieldStarColour(Rng &rng, float blueShare)
{
    const float pick = float(rng.uniform());
    const float jitter = float(rng.range(-0.15, 0.15));
    if (pick < blueShare)
        return Light::fromColourIndex(-0.2f + jitter);
    const float rest = (pick - blueShare) / (1.0f - blueShare);
    return Light::fromColourIndex(rest < 0.55f   ? 0.45f + jitter
                                  : rest < 0.85f ? 0.95f + jitter
                                                 : 1.45f + jitter);
}

// Brightness of a random star of the style: the inverse of the counts' CDF.
inline float fieldStarBrightness(Rng &rng, const StarFieldStyle &style)
{
    const double span = std::pow(10.0, style.slope * style.range) - 1.0;
    const double m = std::log10(1.0 + rng.uniform() * span) / style.slope;
    return style.brightest * float(std::pow(10.0, -0.4 * m));
}

template <typename Density, typename Transmittance>
void scatterStars(FloatCanvas &canvas, Rng &rng, const StarFieldStyle &style, Density density,
                  Transmittance transmittance)
{
    const double w = canvas.width(), h = canvas.height();
    int placed = 0;
    for (int tries = 0; placed < style.count && tries < style.count * 50; ++tries) {
        StarImage star;
        star.x = float(rng.uniform() * w);
        star.y = float(rng.uniform() * h);
        const float keep = float(rng.uniform());
        star.brightness = fieldStarBrightness(rng, style);
        star.colour = fieldStarColour(rng, style.blueShare);
        if (keep >= density(star.x, star.y))
            continue;
        star.brightness *= transmittance(star.x, star.y);
        star.seeing = style.seeing;
        canvas.addStar(star);
        ++placed;
    }
}

template <typename Density>
void scatterStars(FloatCanvas &canvas, Rng &rng, const StarFieldStyle &style, Density density)
{
    scatterStars(canvas, rng, style, density, [](float, float) { return 1.0f; });
}

inline void scatterStars(FloatCanvas &canvas, Rng &rng, const StarFieldStyle &style)
{
    scatterStars(canvas, rng, style, [](float, float) { return 1.0f; });
}

} // namespace core
