// SPDX-License-Identifier: MIT
#include "artwork/painted/galaxymotif.h"
#include "artwork/painted/painted.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

QRgb brightSilver(float shade)
{
    const float v = 175.0f + 80.0f * shade;
    return qRgb(int(v - 8), int(v - 2), int(std::min(255.0f, v + 6)));
}

// A dark rounded square, antialiased, with a faint glow behind the galaxy.
void drawBackdrop(QImage &image)
{
    const int size = image.width();
    const float radius = 0.22f * float(size);
    const float half = 0.5f * float(size);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            // Signed distance to the rounded square, in pixels.
            const float px = std::fabs(float(x) + 0.5f - half) - (half - radius);
            const float py = std::fabs(float(y) + 0.5f - half) - (half - radius);
            const float outside = std::hypot(std::max(px, 0.0f), std::max(py, 0.0f)) +
                                  std::min(std::max(px, py), 0.0f) - radius;
            const float cover = std::clamp(0.5f - outside, 0.0f, 1.0f);
            if (cover <= 0)
                continue;
            const float r = std::hypot(float(x) + 0.5f - half, float(y) + 0.5f - half) / half;
            const float glow = std::exp(-r * r * 2.5f);
            const int red = int(14 + 28 * glow), green = int(18 + 30 * glow),
                      blue = int(38 + 42 * glow);
            line[x] = qRgba(red, green, blue, int(std::lround(cover * 255)));
        }
    }
}

} // namespace

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    drawBackdrop(image);
    // Small icons get fewer turns, fatter arms and a bigger core to stay legible.
    const bool small = size <= 32;
    SpiralStyle style;
    style.arms = 2;
    style.turns = small ? 2.6f : 5.2f;
    style.armWidth = small ? 0.42f : 0.3f;
    style.core = small ? 0.2f : 0.15f;
    style.tilt = small ? 0.9f : 0.75f;
    style.rotation = -0.6f;
    const float half = 0.5f * float(size);
    drawSpiral(image, half, half, half * (small ? 0.92f : 0.9f), style, brightSilver);
    return image;
}

} // namespace painted
