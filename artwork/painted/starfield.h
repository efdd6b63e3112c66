// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/canvas.h"
#include "artwork/painted/rng.h"

namespace painted {

struct StarFieldStyle
{
    int count = 3000;
    float brightest = 2.5f; // core peak of the brightest stars
    float range = 6.0f;     // magnitudes between the brightest and the faintest
    float slope = 0.32f;    // growth of star counts per magnitude, as a power of ten
    float blueShare = 0.3f; // share of hot blue-white stars; the rest run to yellow and orange
    float spikes = 0;       // spike strength on the brightest stars
};

// Draws one star of the field at pixel (x, y), with a magnitude drawn from the
// style's distribution.
void drawFieldStar(Canvas &canvas, Rng &rng, const StarFieldStyle &style, float x, float y);

// Scatters a seeded field of stars over the canvas. density(u, v) in [0, 1]
// thins the field where it is low (star clouds, a galaxy's arm).
template <typename Density>
void scatterStars(Canvas &canvas, Rng &rng, const StarFieldStyle &style, Density density)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    int placed = 0;
    for (int tries = 0; placed < style.count && tries < style.count * 50; ++tries) {
        const float x = rng.range(-0.5f, w - 0.5f);
        const float y = rng.range(-0.5f, h - 0.5f);
        const float keep = rng.uniform();
        if (keep >= density((x + 0.5f - 0.5f * w) / h, (y + 0.5f - 0.5f * h) / h))
            continue;
        drawFieldStar(canvas, rng, style, x, y);
        ++placed;
    }
}

inline void scatterStars(Canvas &canvas, Rng &rng, const StarFieldStyle &style)
{
    scatterStars(canvas, rng, style, [](float, float) { return 1.0f; });
}

// A plausible star colour: mostly white, some blue-white, some yellow-orange.
Rgb starColour(Rng &rng, float blueShare);

} // namespace painted

namespace painted {

// A prominent star at picture coordinates (u, v): core, glare and, when
// spikes > 0, diffraction spikes. size scales all three.
void brightStar(Canvas &canvas, float u, float v, const Rgb &colour, float peak, float size,
                float spikes = 0);

// A young cluster around (u, v): mostly hot blue-white stars crowding towards
// its centre, the brightest few with glare and spikes.
void scatterCluster(Canvas &canvas, Rng &rng, float u, float v, float radius, int count,
                    float brightest);

} // namespace painted
