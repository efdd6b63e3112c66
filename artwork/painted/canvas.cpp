// SPDX-License-Identifier: MIT
#include "artwork/painted/canvas.h"

#include <algorithm>
#include <cmath>

namespace painted {

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_data(std::size_t(width) * height * 3, 0.0f)
{}

void Canvas::splat(float x, float y, float sigma, const Rgb &peak)
{
    const float reach = 3.5f * sigma;
    const int x0 = std::max(0, int(std::floor(x - reach)));
    const int x1 = std::min(m_width - 1, int(std::ceil(x + reach)));
    const int y0 = std::max(0, int(std::floor(y - reach)));
    const int y1 = std::min(m_height - 1, int(std::ceil(y + reach)));
    const float k = -0.5f / (sigma * sigma);
    for (int py = y0; py <= y1; ++py) {
        const float dy = float(py) - y;
        for (int px = x0; px <= x1; ++px) {
            const float dx = float(px) - x;
            const float w = std::exp((dx * dx + dy * dy) * k);
            add(px, py, peak * w);
        }
    }
}

void Canvas::streak(float x, float y, float sigmaAlong, float sigmaAcross, float angle,
                    const Rgb &peak)
{
    const float reach = 3.5f * std::max(sigmaAlong, sigmaAcross);
    const int x0 = std::max(0, int(std::floor(x - reach)));
    const int x1 = std::min(m_width - 1, int(std::ceil(x + reach)));
    const int y0 = std::max(0, int(std::floor(y - reach)));
    const int y1 = std::min(m_height - 1, int(std::ceil(y + reach)));
    const float c = std::cos(angle), s = std::sin(angle);
    const float ka = -0.5f / (sigmaAlong * sigmaAlong);
    const float kb = -0.5f / (sigmaAcross * sigmaAcross);
    for (int py = y0; py <= y1; ++py) {
        const float dy = float(py) - y;
        for (int px = x0; px <= x1; ++px) {
            const float dx = float(px) - x;
            const float a = dx * c + dy * s;
            const float b = -dx * s + dy * c;
            const float e = a * a * ka + b * b * kb;
            if (e > -12.0f)
                add(px, py, peak * std::exp(e));
        }
    }
}

void Canvas::addStar(const StarLook &star)
{
    splat(star.x, star.y, star.sigma, star.colour * star.peak);

    if (star.halo > 0 && star.haloRadius > 0) {
        // A Moffat profile: bright shoulders, then a slow fade, like glare in optics.
        const float strength = star.peak * star.halo;
        const float reach = star.haloRadius * std::sqrt(std::sqrt(strength / 0.002f));
        const int x0 = std::max(0, int(std::floor(star.x - reach)));
        const int x1 = std::min(m_width - 1, int(std::ceil(star.x + reach)));
        const int y0 = std::max(0, int(std::floor(star.y - reach)));
        const int y1 = std::min(m_height - 1, int(std::ceil(star.y + reach)));
        const float inv = 1.0f / (star.haloRadius * star.haloRadius);
        for (int py = y0; py <= y1; ++py) {
            const float dy = float(py) - star.y;
            for (int px = x0; px <= x1; ++px) {
                const float dx = float(px) - star.x;
                const float q = 1.0f + (dx * dx + dy * dy) * inv;
                add(px, py, star.colour * (strength / (q * q)));
            }
        }
    }

    if (star.spikes > 0 && star.spikeLength > 0) {
        const float len = star.spikeLength;
        const int x0 = std::max(0, int(std::floor(star.x - len)));
        const int x1 = std::min(m_width - 1, int(std::ceil(star.x + len)));
        const int y0 = std::max(0, int(std::floor(star.y - len)));
        const int y1 = std::min(m_height - 1, int(std::ceil(star.y + len)));
        const float c = std::cos(star.spikeAngle), s = std::sin(star.spikeAngle);
        const float width = std::max(0.7f, star.sigma * 0.6f);
        const float kb = -0.5f / (width * width);
        const float strength = star.peak * star.spikes;
        for (int py = y0; py <= y1; ++py) {
            const float dy = float(py) - star.y;
            for (int px = x0; px <= x1; ++px) {
                const float dx = float(px) - star.x;
                const float a = std::fabs(dx * c + dy * s);
                const float b = std::fabs(-dx * s + dy * c);
                float w = 0;
                // Each spike fades both along its length and towards its tip.
                if (b < 6 * width && a < len) {
                    const float t = 1.0f - a / len;
                    w += std::exp(b * b * kb) * t * t * std::exp(-3.0f * a / len);
                }
                if (a < 6 * width && b < len) {
                    const float t = 1.0f - b / len;
                    w += std::exp(a * a * kb) * t * t * std::exp(-3.0f * b / len);
                }
                if (w > 0)
                    add(px, py, star.colour * (strength * w));
            }
        }
    }
}

} // namespace painted
