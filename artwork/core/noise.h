// SPDX-License-Identifier: MIT
#pragma once

// core::noise: seeded, stateless noise. Every function is pure, so pictures
// may be painted on any number of threads and always come out the same.
// Coordinates are in feature units: noise at (x / 40, y / 40) has features
// about 40 px across; each octave halves them. Values are roughly in [-1, 1]
// unless said otherwise.
//
//   value(x, y, seed)            smooth value noise
//   gradient(x, y, seed)         gradient noise, zero on the lattice
//   gradient(x, y, z, seed)      3-D gradient noise, for volumes
//   fbm / ridged / billow        fractal sums of gradient noise (2-D and 3-D)
//   worley(x, y, seed)           cellular distances f1, f2 and the cell's id
//   worley(x, y, z, seed)        the same in 3-D, for texture on a curved shell
//   warp(x, y, seed, octaves)    a displacement for domain warping
//   octavesFor(largest, finest)  octaves from features `largest` px down to `finest` px
//
// Cost: one 2-D gradient octave is about 10 ns, a 3-D one about 20 ns, a
// worley call about 40 ns. A full 1920 x 1080 frame of an 8-octave fbm is
// therefore about 0.17 s; evaluate 3-D noise on a coarse grid (see volume.h)
// and keep full resolution for the 2-D detail that needs it.

#include <cstdint>

namespace core::noise {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
std::uint32_t hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed);

float value(float x, float y, std::uint32_t seed);
float gradient(float x, float y, std::uint32_t seed);
float gradient(float x, float y, float z, std::uint32_t seed);

// Octaves are rotated against each other so no lattice direction shows;
// the result is normalised by the sum of the octaves' weights.
float fbm(float x, float y, std::uint32_t seed, int octaves, float gain = 0.5f);
float fbm(float x, float y, float z, std::uint32_t seed, int octaves, float gain = 0.5f);

// Values near 1 on thin, winding crests where the noise crosses zero, near 0
// elsewhere: filaments. In [0, 1].
float ridged(float x, float y, std::uint32_t seed, int octaves, float gain = 0.5f);
float ridged(float x, float y, float z, std::uint32_t seed, int octaves, float gain = 0.5f);

// The absolute value of each octave: puffy, cauliflower clouds. In [0, 1].
float billow(float x, float y, std::uint32_t seed, int octaves, float gain = 0.5f);
float billow(float x, float y, float z, std::uint32_t seed, int octaves, float gain = 0.5f);

struct Cells
{
    float f1;         // distance to the nearest feature point
    float f2;         // distance to the second nearest; f2 - f1 is a cell wall
    std::uint32_t id; // the nearest cell's hash, for per-cell variation
};

// One jittered feature point per unit cell.
Cells worley(float x, float y, std::uint32_t seed);
Cells worley(float x, float y, float z, std::uint32_t seed);

struct Offset
{
    float x, y;
};

// A smooth displacement in about [-1, 1]: sample other noise at
// (x + k * w.x, y + k * w.y) to bend its outlines.
Offset warp(float x, float y, std::uint32_t seed, int octaves);

// Octaves that take a fractal from features `largest` px across down to
// `finest` px (2 px by default, the finest a photograph shows).
int octavesFor(float largest, float finest = 2.0f);

} // namespace core::noise
