// SPDX-License-Identifier: MIT
#pragma once

// core::Rng, the renderer's one seeded generator, and core::hash64, its
// stateless mixing function for per-pixel randomness.
//
//   core::Rng rng(seed);          // SplitMix64: the same sequence on every platform
//   rng.uniform();                // [0, 1)
//   rng.range(lo, hi);            // [lo, hi)
//   rng.normal();                 // standard normal
//   core::hash64(a ^ b << 32);    // pure: use it where threads or order must not matter
//
// A picture keeps one Rng per independent layer (stars, dust, knots...), each
// from its own seed, so adding draws to one layer does not reshuffle another.

#include <cmath>
#include <cstdint>

namespace core {

inline std::uint64_t hash64(std::uint64_t z)
{
    z += 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// A hash of a pixel and a seed, for grain, jitter and per-pixel choices.
inline std::uint64_t hashPixel(int x, int y, std::uint64_t seed)
{
    return hash64(seed ^ (std::uint64_t(std::uint32_t(y)) << 32 | std::uint32_t(x)));
}

class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        const std::uint64_t z = hash64(m_state);
        m_state += 0x9e3779b97f4a7c15ULL;
        return z;
    }

    // Uniform in [0, 1), from the top 53 bits.
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n) { return int(uniform() * n); }

    // Standard normal by Box-Muller; one value per call keeps the stream simple.
    double normal()
    {
        const double a = 1.0 - uniform();
        const double b = uniform();
        return std::sqrt(-2.0 * std::log(a)) * std::cos(6.283185307179586 * b);
    }

    // A new generator for a sub-task, independent of this one's later draws.
    Rng split() { return Rng(next()); }

private:
    std::uint64_t m_state;
};

} // namespace core
