// SPDX-License-Identifier: MIT
#include "artwork/sky/starappearance.h"

#include "artwork/sky/skyfield.h"

#include <algorithm>
#include <cmath>

namespace sky {

namespace {
constexpr double SpikeFrom = 0.6; // brightness above which stars get spikes
} // namespace

StarAppearance StarAppearance::forMagnitude(double magnitude, const SkyField &field)
{
    // Brightness on a 0..1 scale from the field's faintest stars to magnitude
    // -0.5; the response is compressed as a photograph's is, so the brightest
    // stars grow in size rather than burn out.
    const double b =
        std::clamp((field.limitMagnitude - magnitude) / (field.limitMagnitude + 0.5), 0.0, 1.1);
    const double s = field.starScale;
    StarAppearance a;
    a.corePeak = 0.05 + 1.9 * std::pow(b, 1.3);
    a.coreSigma = s * (0.55 + 5.0 * std::pow(b, 2.6));
    a.nucleusPeak = 0.8 * std::pow(b, 1.5);
    a.nucleusSigma = std::min(a.coreSigma, 0.5 + 0.6 * b);
    a.haloPeak = 0.34 * std::pow(b, 2.5);
    a.haloScale = s * (3.0 + 34.0 * b * b);
    if (b > SpikeFrom) {
        a.spikePeak = 0.8 * (b - SpikeFrom) / (1.0 - SpikeFrom);
        a.spikeLength = std::sqrt(s) * (4.0 + 24.0 * (b - SpikeFrom));
    }
    return a;
}

double StarAppearance::discRadius() const
{
    constexpr double edge = 0.12;
    if (corePeak <= edge)
        return std::max(coreSigma, nucleusSigma);
    return coreSigma * std::sqrt(2.0 * std::log(corePeak / edge));
}

double StarAppearance::reach() const
{
    return std::max({4.0 * coreSigma + 1.0, haloRadius(), spikeRadius()});
}

double StarAppearance::haloRadius() const
{
    if (haloPeak <= Negligible)
        return 0.0;
    // (1 + r^2/s^2)^-1.5 falls to Negligible / haloPeak here.
    const double k = std::pow(haloPeak / Negligible, 2.0 / 3.0);
    return haloScale * std::sqrt(k - 1.0);
}

double StarAppearance::spikeRadius() const
{
    return spikePeak > Negligible ? spikeLength * std::log(spikePeak / Negligible) : 0.0;
}

} // namespace sky
