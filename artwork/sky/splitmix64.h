// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace sky {

// A small, fast generator whose sequence depends on nothing but its seed, so
// every picture comes out byte for byte the same on every machine.
class SplitMix64
{
public:
    explicit SplitMix64(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        m_state += 0x9e3779b97f4a7c15ULL;
        return mix(m_state);
    }

    // Uniform in [0, 1), from the top 53 bits.
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    // A stateless hash of one value, for per-pixel noise.
    static std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_state;
};

} // namespace sky
