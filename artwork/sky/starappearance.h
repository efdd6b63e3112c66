// SPDX-License-Identifier: MIT
#pragma once

namespace sky {

struct SkyField;

// How a star of a given magnitude is drawn in a field: a pixel-integrated
// Gaussian core with a sharp nucleus, a faint wide halo and, for the
// brightest, four short spikes. The nucleus keeps the brightest pixel on the
// star's position even in a wide, soft disc. Values are linear light before
// tone mapping; lengths are in pixels.
struct StarAppearance
{
    // Light below this adds nothing visible (a quarter of one 8-bit step).
    static constexpr double Negligible = 0.001;

    double corePeak = 0.0;
    double coreSigma = 0.5;
    double nucleusPeak = 0.0;
    double nucleusSigma = 0.5;
    double haloPeak = 0.0;
    double haloScale = 1.0;
    double spikePeak = 0.0;
    double spikeLength = 0.0;

    static StarAppearance forMagnitude(double magnitude, const SkyField &field);

    // Radius of the visibly bright disc; overlay lines and labels keep clear of it.
    double discRadius() const;
    // Beyond this distance the star adds nothing visible.
    double reach() const;
    // The halo is tapered to exactly zero at this distance, so it has no edge.
    double haloRadius() const;
    double spikeRadius() const;
};

} // namespace sky
