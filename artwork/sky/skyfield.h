// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skyprojection.h"

#include <cstdint>

namespace sky {

// The geometry and look of one star field (gallery entries 1..8).
struct SkyField
{
    int entry = 0;
    double raHours = 0.0;
    double decDeg = 0.0;
    double widthDeg = 0.0;
    double limitMagnitude = 0.0; // the faintest background stars
    double faintMagnitude = 9.0; // drawn about 10 levels above the sky
    double starScale = 1.0;      // size of the star images
    double milkyWay = 0.0;       // strength of the Milky Way glow, 0 for none
    int spikedStars = 0;         // how many of the brightest stars show spikes
    std::uint64_t seed = 0;

    // How star images grow with brightness, counted in magnitudes brighter
    // than faintMagnitude. The defaults give the gentle growth most fields
    // use; a figure of faint stars wants its stars to grow faster.
    struct Response
    {
        double faintSlope = 0.2;    // log10 of the light gained per magnitude,
        double brightSlope = 0.3;   // and added to it per magnitude
        double brightFrom = 4.5;    // past this
        double sizeFrom = 3.0;      // discs and halos grow from here
        double sizeRange = 6.0;     // for this many magnitudes,
        double seeingGrowth = 0.13; // the widths by this much per magnitude
        double haloGrowth = 0.3;    // and the halos' strength by this
        double glow = 1.5;          // the wide glow, relative to the halo
        double spikes = 0.8;        // the spikes of the brightest stars
    };
    Response response{};

    // A cluster's members too faint for the catalogue, gathered towards its
    // centre with a Plummer profile; none by default.
    struct Cluster
    {
        double raHours = 0.0;
        double decDeg = 0.0;
        double coreDeg = 0.0; // the profile's core radius
        int members = 0;      // between the catalogue's limit and faintestMember
        double faintestMember = 0.0;
    };
    Cluster cluster{};

    // How the Milky Way's light is laid out; the defaults give a soft,
    // mottled band.
    struct Band
    {
        double width = 1.0;     // scales the band's width across the plane
        double specks = 0.5;    // share of its light in specks of unresolved stars
        double contrast = 1.0;  // scales the swing of the star clouds' density
        double dust = 1.0;      // scales the dust's optical depth
        double speckRate = 1.0; // scales how many pixels hold a speck
        double reddening = 1.0; // scales how much redder the dust leaves them
    };
    Band band{};

    static constexpr int Width = 1920;
    static constexpr int Height = 1080;

    SkyProjection projection() const;

    // Nothing for an entry that is not a star field.
    static const SkyField *forEntry(int entry);
};

} // namespace sky
