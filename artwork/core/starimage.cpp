// SPDX-License-Identifier: MIT
#include "artwork/core/starimage.h"

#include "artwork/core/floatcanvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace core {

namespace {

constexpr float CoreSigma = 0.75f;
constexpr float HaloShare = 0.12f;
constexpr float HaloScale = 2.2f;
constexpr float GlowShare = 0.006f;
constexpr float GlowScale = 14.0f;
constexpr float SpikeShare = 0.05f;
constexpr float SpikeSigma = 0.5f;

// Pixel-integrated Gaussian along one axis, 1 for a pixel centred on it.
struct AxisProfile
{
    int first = 0;
    std::vector<float> weights;

    AxisProfile(float centre, float sigma, float radius, int limit)
    {
        first = std::max(0, int(std::floor(centre - radius)));
        const int last = std::min(limit - 1, int(std::floor(centre + radius)));
        const float k = 1.0f / (1.41421356f * sigma);
        const float norm = std::erf(0.5f * k);
        for (int i = first; i <= last; ++i)
            weights.push_back(
                0.5f * (std::erf((float(i) + 1 - centre) * k) - std::erf((float(i) - centre) * k)) /
                norm);
    }

    float at(int i) const
    {
        const int k = i - first;
        return k >= 0 && k < int(weights.size()) ? weights[k] : 0.0f;
    }
};

// Radius where share * (1 + (r / scale)^2)^-beta falls to level.
float moffatRadius(float share, float scale, float beta, float level)
{
    if (share <= level)
        return 0.0f;
    return scale * std::sqrt(std::pow(share / level, 1.0f / beta) - 1.0f);
}

} // namespace

float StarImage::reach() const
{
    const float b = std::max(brightness, 0.0f);
    const float s = seeing;
    float r = CoreSigma * s * std::sqrt(2.0f * std::log(std::max(b / Negligible, 1.0f))) + 1.0f;
    r = std::max(r, moffatRadius(b * HaloShare * halo, HaloScale * s, 2.5f, Negligible));
    r = std::max(r, moffatRadius(b * GlowShare * halo * glow, GlowScale * s, 1.5f, Negligible));
    if (spikes > 0)
        r = std::max(r, spikeLength);
    return r;
}

float StarImage::discRadius(float level) const
{
    const float b = std::max(brightness, 0.0f);
    const float s = seeing;
    float r = b > level ? CoreSigma * s * std::sqrt(2.0f * std::log(b / level)) : 0.0f;
    r = std::max(r, moffatRadius(b * HaloShare * halo, HaloScale * s, 2.5f, level));
    return std::max(r, moffatRadius(b * GlowShare * halo * glow, GlowScale * s, 1.5f, level));
}

void StarImage::drawInto(FloatCanvas &canvas) const
{
    const float b = brightness;
    if (b <= 0)
        return;
    const float reachPx = reach();
    if (x + reachPx < 0 || y + reachPx < 0 || x - reachPx > canvas.width() ||
        y - reachPx > canvas.height())
        return;

    const float s = seeing;
    const float coreReach = CoreSigma * s * 4.0f + 1.0f;
    const AxisProfile px(x, CoreSigma * s, coreReach, canvas.width());
    const AxisProfile py(y, CoreSigma * s, coreReach, canvas.height());
    const Light haloColour = colour.saturated(1.25f);

    const float haloPeak = b * HaloShare * halo;
    const float glowPeak = b * GlowShare * halo * glow;
    const float haloInv = 1.0f / (HaloScale * s * HaloScale * s);
    const float glowInv = 1.0f / (GlowScale * s * GlowScale * s);
    const float r2max = reachPx * reachPx;

    const bool spiked = spikes > 0 && spikeLength > 0;
    const float sc = std::cos(spikeAngle), ss = std::sin(spikeAngle);
    const float spikePeak = b * SpikeShare * spikes;
    const float spikeK = -0.5f / (SpikeSigma * s * SpikeSigma * s);

    const int x0 = std::max(0, int(std::floor(x - reachPx)));
    const int x1 = std::min(canvas.width() - 1, int(std::floor(x + reachPx)));
    const int y0 = std::max(0, int(std::floor(y - reachPx)));
    const int y1 = std::min(canvas.height() - 1, int(std::floor(y + reachPx)));
    for (int j = y0; j <= y1; ++j) {
        const float dy = float(j) + 0.5f - y;
        const float wy = py.at(j);
        for (int i = x0; i <= x1; ++i) {
            const float dx = float(i) + 0.5f - x;
            const float r2 = dx * dx + dy * dy;
            if (r2 >= r2max)
                continue;
            const float taper = (1.0f - r2 / r2max) * (1.0f - r2 / r2max);
            const float q1 = 1.0f + r2 * haloInv;
            const float q2 = 1.0f + r2 * glowInv;
            float rim = haloPeak / (q1 * q1 * std::sqrt(q1)) + glowPeak / (q2 * std::sqrt(q2));
            if (spiked) {
                const float a = std::fabs(dx * sc + dy * ss);
                const float c = std::fabs(-dx * ss + dy * sc);
                float w = 0;
                if (a < spikeLength && c < 4.0f) {
                    const float t = 1.0f - a / spikeLength;
                    w += std::exp(c * c * spikeK) * t * t * std::exp(-3.0f * a / spikeLength);
                }
                if (c < spikeLength && a < 4.0f) {
                    const float t = 1.0f - c / spikeLength;
                    w += std::exp(a * a * spikeK) * t * t * std::exp(-3.0f * c / spikeLength);
                }
                rim += spikePeak * w;
            }
            const float core = b * wy * px.at(i);
            canvas.add(i, j, colour * core + haloColour * (rim * taper));
        }
    }
}

} // namespace core
