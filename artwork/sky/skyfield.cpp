// SPDX-License-Identifier: MIT
#include "artwork/sky/skyfield.h"

#include <array>

namespace sky {

namespace {

// Centres and widths keep each field's named stars well inside the frame.
// Narrow fields go deeper, so every picture carries a natural-looking density
// of faint stars.
const std::array<SkyField, 8> Fields = {{
    {1, 3.785, 24.20, 2.5, 13.0, 2.6, 0.0, 0x5045a1d3e4b1ULL},  // Pleiades
    {2, 12.30, 55.50, 36.0, 9.0, 1.0, 0.0, 0x3a7b9c11d2e5ULL},  // Ursa Major
    {3, 12.60, 70.50, 79.0, 7.6, 1.15, 0.0, 0x7f01e2c3b4a5ULL}, // Ursa Minor
    {4, 0.90, 60.50, 30.0, 9.3, 1.1, 1.0, 0x6c2d4e8f0a1bULL},   // Cassiopeia
    {5, 12.82, -18.20, 31.0, 9.3, 1.0, 0.0, 0x19283746a5b4ULL}, // Corvus
    {6, 5.60, 2.50, 52.0, 8.6, 1.0, 1.0, 0x0123c4d5e6f7ULL},    // Orion
    {7, 4.60, 19.40, 43.0, 8.8, 1.0, 1.0, 0x2468ace13579ULL},   // Taurus
    {8, 4.45, 16.50, 14.0, 10.8, 1.4, 0.0, 0x55aa33cc0ff0ULL},  // Hyades
}};

} // namespace

SkyProjection SkyField::projection() const
{
    return SkyProjection(raHours, decDeg, widthDeg, QSize(Width, Height));
}

const SkyField *SkyField::forEntry(int entry)
{
    for (const SkyField &f : Fields) {
        if (f.entry == entry)
            return &f;
    }
    return nullptr;
}

} // namespace sky
