// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>

namespace painted {

// SplitMix64: tiny, fast and identical on every platform, so a seed always
// yields the same picture.
class Rng
{
public:
    explicit Rng(uint64_t seed) : m_state(seed) {}

    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float uniform() { return float(next() >> 40) * (1.0f / 16777216.0f); }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

    // Standard normal by Box-Muller; one value per call keeps the stream simple.
    float normal()
    {
        const float a = 1.0f - uniform();
        const float b = uniform();
        return std::sqrt(-2.0f * std::log(a)) * std::cos(6.2831853f * b);
    }

private:
    uint64_t m_state;
};

} // namespace painted
