// SPDX-License-Identifier: MIT
#include "artwork/sky/skyfield.h"

#include <array>

namespace sky {

namespace {

// The constellation figures are drawn as a wide-field photograph records
// bright stars: a burnt-out core whose size grows with brightness, from
// about 5 px at magnitude 4 to 12-15 px at magnitude 2, edged in the star's
// colour, a tight glow gone within two or three core radii and a faint
// wide glow. Light steepens only from magnitude 7, and the discs grow
// only from magnitude 5-5.7, so the catalogue's fifth and sixth magnitude
// stars stay small points below the figure.
//
// The Little Dipper's stars are faint, in a wide field: light alone grows
// fast while the widths barely do, so magnitude 4 stars get firm cores and
// Polaris and Kochab hard edges.
constexpr SkyField::Response LittleDipper{0.25, 0.58, 3.9, 5.5, 1.5, 0.16, -0.03, 0.011};
// A cluster's giants in clearly different sizes; Aldebaran's glow and
// spikes kept soft, or it would fog the V.
constexpr SkyField::Response Hyades{0.25, 0.3, 3.0, 2.0, 9.0, 0.06, 0.7, 0.015, 0.15};
// The Big Dipper: widths grow with light through the second magnitude while
// the shoulder weakens, so Alioth, Dubhe and Alkaid are the largest without
// fogging, and Mizar's glow leaves a gap to Alcor.
constexpr SkyField::Response Dipper{0.25, 0.39, 5.5, 7.45, 4.0, 0.38, -0.2, 0.03};
// The crow's stars are third magnitude, so their widths grow fast over a
// short range that ends just short of Gienah: Spica grows by light alone,
// and its wide glow and spikes stay low in its corner.
constexpr SkyField::Response Crow{0.25, 0.32, 5.5, 7.35, 2.4, 0.6, -0.08, 0.019, 0.2};
// Its fainter members, within a core of 2.7 pc at 47 pc.
constexpr SkyField::Cluster Members{4.448, 15.87, 3.3, 150, 11.0};
// The Pleiades through a long lens: field stars of the ninth to thirteenth
// magnitude crisp points well above the sky, the bright members small
// burnt-out cores in tight halos with almost no wide glow, so the nebula,
// not the stars, fills the space between them.
constexpr SkyField::Response Pleiades{0.17, 0.27, 4.0, 6.5, 7.0, 0.12, 0.4, 0.06, 0.35};
// Its fainter members, within a core of about 2 pc at 136 pc.
constexpr SkyField::Cluster PleiadesMembers{3.785, 24.12, 0.8, 260, 14.0};

// The W's five stars stand well clear of the Milky Way: light steepens
// fast from the fifth magnitude, so they burn out into crisp cores with
// small coloured glows while the band's stars stay faint points.
constexpr SkyField::Response Cassiopeia{0.2, 0.74, 5.5, 6.0, 3.0, 0.16, 0.4, 0.3};
// Its band seen as dense clouds of faint stars cut by dark rifts, with the
// sky dark away from the plane.
constexpr SkyField::Band StarClouds{0.75, 0.75, 1.5, 2.4, 0.3, 0.4};

// Centres and widths let each figure fill its frame while every named star
// keeps clear of the edges. Narrow fields go deeper, as a longer exposure
// through a longer lens would.
const std::array<SkyField, 8> Fields = {{
    // entry, RA, Dec, width, limit, faint, scale, Milky Way, spikes, seed, response, cluster, band
    {1, 3.785, 24.20, 2.5, 16.5, 16.5, 1.25, 0.0, 3, 0x5045a1d3e4b1ULL, Pleiades, PleiadesMembers},
    {2, 12.45, 57.25, 30.0, 13.3, 12.5, 1.2, 0.0, 0, 0x3a7b9c11d2e5ULL, Dipper},       // Ursa Major
    {3, 10.40, 73.25, 66.0, 12.0, 11.2, 1.1, 0.5, 0, 0x7f01e2c3b4a5ULL, LittleDipper}, // Ursa Minor
    {4, 0.90, 60.50, 30.0, 12.5, 11.0, 1.5, 1.0, 0, 0x6c2d4e8f0a1bULL, Cassiopeia, {}, StarClouds},
    {5, 12.58, -18.20, 27.0, 13.3, 12.5, 1.2, 0.0, 1, 0x19283746a5b4ULL, Crow},          // Corvus
    {6, 5.585, 0.12, 37.0, 12.5, 10.5, 1.15, 0.8, 2, 0x0123c4d5e6f7ULL},                 // Orion
    {7, 4.745, 21.80, 28.0, 13.0, 11.0, 1.4, 0.7, 1, 0x2468ace13579ULL},                 // Taurus
    {8, 4.45, 16.50, 14.0, 14.6, 13.6, 1.3, 0.0, 1, 0x55aa33cc0ff0ULL, Hyades, Members}, // Hyades
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
