// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

namespace sky {

// Seeded 3-D gradient noise and its fractal sums, for the mottled glows.
class GradientNoise
{
public:
    explicit GradientNoise(std::uint64_t seed);

    // Smooth noise, roughly in [-1, 1], with features about one unit across.
    double noise(double x, double y, double z) const;

    // Fractal sum of octaves, each twice the frequency and half the weight of
    // the one before; normalised to roughly [-1, 1].
    double fbm(double x, double y, double z, int octaves) const;

private:
    std::array<std::uint8_t, 512> m_perm;
};

} // namespace sky
