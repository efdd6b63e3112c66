// SPDX-License-Identifier: MIT
#include "artwork/painted/galaxymotif.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

constexpr float Pi = 3.14159265f;
constexpr int Samples = 6; // per axis: 36 samples a pixel

} // namespace

SpiralPoint spiralAt(float x, float y, const SpiralStyle &style)
{
    // Undo the inclination (which foreshortens the picture's vertical), then
    // turn the disc in its own plane.
    const float c = std::cos(style.rotation), s = std::sin(style.rotation);
    const float dy = y / style.tilt;
    const float px = x * c + dy * s;
    const float py = -x * s + dy * c;
    const float r = std::sqrt(px * px + py * py);
    if (r >= 1.0f)
        return {false, 0};
    // One brightness law for core and arms keeps the core from looking like a
    // separate disc.
    const float glow = 1.0f - 0.55f * r;
    if (r <= style.core)
        return {true, glow};

    // Logarithmic arms: the arm angle grows with ln r.
    const float winding = style.turns / std::log(1.0f / style.core);
    const float phi = std::atan2(py, px);
    const float t = (r - style.core) / (1.0f - style.core);
    // Arms are widest at the core and taper to a point at the rim.
    const float half =
        style.armWidth * std::pow(1.0f - t, 1.3f) * (0.55f + 0.45f * std::min(1.0f, t * 4 + 0.2f));
    // Where arms overlap near the core, the brightest one wins, so no seam shows.
    SpiralPoint best{false, 0};
    for (int k = 0; k < style.arms; ++k) {
        const float centre =
            float(k) * 2 * Pi / float(style.arms) + winding * std::log(r / style.core);
        const float d = std::remainder(phi - centre, 2 * Pi);
        // Distance across the arm, measured perpendicular to it.
        const float across = std::fabs(d) * r / std::sqrt(1.0f + winding * winding);
        if (across < half) {
            const float q = across / std::max(half, 1e-4f);
            const float edge = std::min(1.0f, (r - style.core) / style.core);
            const float shade = glow * (1.0f - 0.3f * q * q * edge);
            best = {true, std::max(best.shade, std::clamp(shade, 0.0f, 1.0f))};
        }
    }
    if (best.inside)
        return best;
    return {false, 0};
}

void drawSpiral(QImage &image, float cx, float cy, float radius, const SpiralStyle &style,
                QRgb (*colour)(float shade))
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            float a = 0, r = 0, g = 0, b = 0;
            for (int j = 0; j < Samples; ++j) {
                for (int i = 0; i < Samples; ++i) {
                    const float sx = (float(x) + (float(i) + 0.5f) / Samples - cx) / radius;
                    const float sy = (float(y) + (float(j) + 0.5f) / Samples - cy) / radius;
                    const SpiralPoint p = spiralAt(sx, sy, style);
                    if (!p.inside)
                        continue;
                    const QRgb c = colour(p.shade);
                    a += 1;
                    r += float(qRed(c));
                    g += float(qGreen(c));
                    b += float(qBlue(c));
                }
            }
            if (a == 0)
                continue;
            const float cover = a / (Samples * Samples);
            // Composite the motif's average colour over what is already there.
            const QRgb under = line[x];
            const float ua = float(qAlpha(under)) / 255.0f;
            const float outA = cover + ua * (1 - cover);
            auto channel = [&](float over, int below) {
                const float v = (over / a * cover + float(below) * ua * (1 - cover)) / outA;
                return std::clamp(int(std::lround(v)), 0, 255);
            };
            line[x] =
                qRgba(channel(r, qRed(under)), channel(g, qGreen(under)), channel(b, qBlue(under)),
                      std::clamp(int(std::lround(outA * 255)), 0, 255));
        }
    }
}

} // namespace painted
