// SPDX-License-Identifier: MIT
#include "artwork/sky/skycanvas.h"

#include "artwork/sky/splitmix64.h"
#include "artwork/sky/starappearance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sky {

namespace {

constexpr double Negligible = StarAppearance::Negligible;

// Pixel-integrated Gaussian profile along one axis, 1 at a pixel centred on
// the profile: weights[i] belongs to pixel first + i.
struct AxisProfile
{
    int first = 0;
    std::vector<double> weights;

    AxisProfile(double centre, double sigma, double radius, int limit)
    {
        first = std::max(0, int(std::floor(centre - radius)));
        const int last = std::min(limit - 1, int(std::floor(centre + radius)));
        const double k = 1.0 / (std::numbers::sqrt2 * sigma);
        const double norm = std::erf(0.5 * k);
        for (int i = first; i <= last; ++i)
            weights.push_back(0.5 * (std::erf((i + 1 - centre) * k) - std::erf((i - centre) * k)) /
                              norm);
    }
};

constexpr double SpikeSigma = 0.55;

} // namespace

SkyCanvas::SkyCanvas(QSize size)
    : m_width(size.width()), m_height(size.height()), m_rgb(size_t(m_width) * m_height * 3, 0.0f)
{}

void SkyCanvas::addStar(QPointF centre, const StarAppearance &look, const SkyColour &colour)
{
    const double cx = centre.x();
    const double cy = centre.y();
    const double reach = look.reach();
    if (cx + reach < 0 || cx - reach > m_width || cy + reach < 0 || cy - reach > m_height)
        return;

    addGaussian(cx, cy, look.coreSigma, look.corePeak, colour);
    if (look.nucleusPeak > Negligible)
        addGaussian(cx, cy, look.nucleusSigma, look.nucleusPeak, colour.whitened(0.5));

    if (const double haloRadius = look.haloRadius(); haloRadius > 0.0) {
        const double s2 = look.haloScale * look.haloScale;
        const double r2max = haloRadius * haloRadius;
        const int x0 = std::max(0, int(std::floor(cx - haloRadius)));
        const int x1 = std::min(m_width - 1, int(std::floor(cx + haloRadius)));
        const int y0 = std::max(0, int(std::floor(cy - haloRadius)));
        const int y1 = std::min(m_height - 1, int(std::floor(cy + haloRadius)));
        for (int y = y0; y <= y1; ++y) {
            const double dy = y + 0.5 - cy;
            for (int x = x0; x <= x1; ++x) {
                const double dx = x + 0.5 - cx;
                const double r2 = dx * dx + dy * dy;
                if (r2 >= r2max)
                    continue;
                const double t = 1.0 / (1.0 + r2 / s2);
                const double taper = (1.0 - r2 / r2max) * (1.0 - r2 / r2max);
                add(x, y, colour * (look.haloPeak * t * std::sqrt(t) * taper));
            }
        }
    }

    if (const double length = look.spikeRadius(); length > 0.0) {
        const double width = 4.0 * SpikeSigma;
        // Horizontal arms: thin across, fading exponentially along.
        const AxisProfile across(cy, SpikeSigma, width, m_height);
        const int x0 = std::max(0, int(std::floor(cx - length)));
        const int x1 = std::min(m_width - 1, int(std::floor(cx + length)));
        for (size_t j = 0; j < across.weights.size(); ++j) {
            for (int x = x0; x <= x1; ++x) {
                const double v = look.spikePeak * across.weights[j] *
                                 std::exp(-std::abs(x + 0.5 - cx) / look.spikeLength);
                if (v > Negligible)
                    add(x, across.first + int(j), colour * v);
            }
        }
        // Vertical arms.
        const AxisProfile acrossX(cx, SpikeSigma, width, m_width);
        const int y0 = std::max(0, int(std::floor(cy - length)));
        const int y1 = std::min(m_height - 1, int(std::floor(cy + length)));
        for (int y = y0; y <= y1; ++y) {
            const double along = std::exp(-std::abs(y + 0.5 - cy) / look.spikeLength);
            for (size_t i = 0; i < acrossX.weights.size(); ++i) {
                const double v = look.spikePeak * acrossX.weights[i] * along;
                if (v > Negligible)
                    add(acrossX.first + int(i), y, colour * v);
            }
        }
    }
}

void SkyCanvas::addGaussian(double cx, double cy, double sigma, double peak,
                            const SkyColour &colour)
{
    const double radius = 4.0 * sigma + 1.0;
    const AxisProfile px(cx, sigma, radius, m_width);
    const AxisProfile py(cy, sigma, radius, m_height);
    for (size_t j = 0; j < py.weights.size(); ++j) {
        for (size_t i = 0; i < px.weights.size(); ++i) {
            const double v = peak * px.weights[i] * py.weights[j];
            if (v > Negligible)
                add(px.first + int(i), py.first + int(j), colour * v);
        }
    }
}

QImage SkyCanvas::toImage(std::uint64_t ditherSeed) const
{
    QImage image(m_width, m_height, QImage::Format_RGB32);
    const auto channel = [](float v, std::uint64_t bits) {
        const double dither = double(bits & 0xffff) / 65536.0;
        const double toned = 1.0 - std::exp(-double(std::max(v, 0.0f)));
        return std::clamp(int(toned * 255.0 + dither), 0, 255);
    };
    for (int y = 0; y < m_height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float *p = &m_rgb[3 * size_t(y) * size_t(m_width)];
        for (int x = 0; x < m_width; ++x, p += 3) {
            const std::uint64_t h = SplitMix64::mix(ditherSeed ^ (std::uint64_t(y) << 32 | x));
            line[x] = qRgb(channel(p[0], h), channel(p[1], h >> 16), channel(p[2], h >> 32));
        }
    }
    return image;
}

} // namespace sky
