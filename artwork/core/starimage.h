// SPDX-License-Identifier: MIT
#pragma once

// core::StarImage: one star through the renderer's one point-spread function.
// Every picture's stars share it, so a star looks the same in every picture.
// The profile, per unit of brightness, in linear light:
//   - a pixel-integrated Gaussian core (sigma 0.75 px x seeing), 1 at a pixel
//     centred on the star, so the brightest pixel is the one holding its
//     position; bright cores pass the white point and saturate to white;
//   - an inner halo, a Moffat shoulder of 12% (2.2 px x seeing), and an outer
//     glow of 0.6% (14 px x seeing), both in the star's colour deepened a
//     little, so a saturated core shows a coloured rim. Halos grow with
//     brightness by themselves: magnitude 3-5 stars show one, faint stars not;
//   - optional diffraction spikes, four short, faint arms. Give them to the
//     one to three brightest stars of a picture only.
// Everything is tapered to zero at reach(), so no star has an edge.
//
//   StarImage s;  s.x = 812.3f;  s.y = 400.9f;
//   s.brightness = 0.006f;       // a faint star (10-30 levels after the default develop)
//   s.brightness = 40.0f;        // a bright one with a visible halo
//   s.colour = Light::fromColourIndex(1.85f);
//   canvas.addStar(s);
//
// Cost: proportional to reach()^2: a faint star touches about 50 pixels, a
// brightness of 100 about 25 000. Tens of thousands of faint stars are cheap.

#include "artwork/core/light.h"

namespace core {

class FloatCanvas;

struct StarImage
{
    float x = 0.0f, y = 0.0f;
    float brightness = 0.01f; // linear light at the centre of the core
    Light colour{1.0f, 1.0f, 1.0f};
    float seeing = 1.0f;       // scales every width of the profile
    float halo = 1.0f;         // scales the strength of both halos
    float glow = 1.0f;         // scales the outer glow further
    float spikes = 0.0f;       // 0: none; 1: the usual faint spikes
    float spikeLength = 45.0f; // pixels; keep it at 60 or less
    float spikeAngle = 0.0f;   // radians from the horizontal of one pair of arms

    void drawInto(FloatCanvas &canvas) const;

    // Beyond this distance the star adds less than Negligible.
    float reach() const;
    // Radius at which the profile falls to `level` of linear light: overlays
    // keep their lines outside discRadius(0.15f) or so.
    float discRadius(float level) const;

    static constexpr float Negligible = 4e-4f;
};

} // namespace core
