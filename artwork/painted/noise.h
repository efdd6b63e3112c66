// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Seeded, stateless noise: every function is pure, so pictures can be painted
// on several threads at once and always come out the same.
namespace painted::noise {

uint32_t hash(int32_t x, int32_t y, uint32_t seed);

// Gradient noise, roughly in [-1, 1], zero at lattice points.
float gradient(float x, float y, uint32_t seed);

// Fractal sum of gradient noise, normalised to roughly [-1, 1]. Octaves are
// rotated against each other so no lattice direction shows.
float fbm(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);

// Sharp crests where the noise crosses zero: values near 1 on thin, winding
// ridges and near 0 elsewhere. Good for filaments.
float ridged(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);

// Billowy noise: the absolute value of each octave, in [0, 1].
float billow(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);

struct Cells
{
    float f1; // distance to the nearest feature point
    float f2; // distance to the second nearest
};

// Cellular noise with one jittered feature point per unit cell.
Cells worley(float x, float y, uint32_t seed);

struct Offset
{
    float x, y;
};

// A smooth displacement field for domain warping.
Offset warp(float x, float y, uint32_t seed, int octaves);

} // namespace painted::noise
