// SPDX-License-Identifier: MIT
#include "artwork/core/develop.h"

#include "artwork/core/floatcanvas.h"
#include "artwork/core/rng.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

// An approximately standard normal value from four 16-bit uniforms.
inline float normal4(std::uint64_t h)
{
    const float sum =
        float(h & 0xffff) + float((h >> 16) & 0xffff) + float((h >> 32) & 0xffff) + float(h >> 48);
    // Irwin-Hall of four: mean 2, variance 1/3.
    return (sum * (1.0f / 65536.0f) - 2.0f) * 1.7320508f;
}

// Triangular, unit variance, from 21 bits.
inline float normal2(std::uint64_t h)
{
    const float a = float(h & 0x3ff) * (1.0f / 1024.0f);
    const float b = float((h >> 10) & 0x7ff) * (1.0f / 2048.0f);
    return (a + b - 1.0f) * 2.4494897f;
}

} // namespace

float stretch(float light, const DevelopStyle &style)
{
    if (light <= 0)
        return 0.0f;
    return std::asinh(light / style.softening) / std::asinh(style.white / style.softening);
}

float shoulder(float value, const DevelopStyle &style)
{
    // A quadratic roll-off: slope 1 at the knee, flat and exactly white at
    // knee + 2 * (1 - knee), so star cores burn out to 255 as on film.
    const float knee = style.knee;
    if (value <= knee)
        return std::max(value, 0.0f);
    const float room = 1.0f - knee;
    const float t = std::min((value - knee) / room, 2.0f);
    return knee + room * (t - 0.25f * t * t);
}

QImage develop(const FloatCanvas &canvas, const DevelopStyle &style)
{
    const int w = canvas.width(), h = canvas.height();
    QImage image(w, h, QImage::Format_RGB32);
    const float range = 255.0f - style.pedestal;
    const float share = std::clamp(style.colourGrain, 0.0f, 1.0f);
    const float common = std::sqrt(1.0f - share * share);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float *p = canvas.data() + std::size_t(y) * w * 3;
        for (int x = 0; x < w; ++x, p += 3) {
            const float r = std::max(p[0], 0.0f), g = std::max(p[1], 0.0f),
                        b = std::max(p[2], 0.0f);
            const float mean = (r + g + b) * (1.0f / 3.0f);
            const float k = mean > 0 ? stretch(mean, style) / mean : 0.0f;
            const float out[3] = {shoulder(r * k, style), shoulder(g * k, style),
                                  shoulder(b * k, style)};

            const std::uint64_t h1 = hashPixel(x, y, style.seed);
            const std::uint64_t h2 = hashPixel(x, y, style.seed ^ 0x6a09e667f3bcc909ULL);
            const float luma = common * normal4(h1);
            int v[3];
            for (int c = 0; c < 3; ++c) {
                // A saturated pixel is clipped flat, as a sensor's is.
                const float sigma = (style.grain + style.grainSignal * std::sqrt(out[c])) *
                                    std::min(1.0f, (1.0f - out[c]) * 20.0f);
                const float n = luma + share * normal2(h2 >> (21 * c));
                v[c] = std::clamp(int(std::lround(style.pedestal + out[c] * range + sigma * n)), 0,
                                  255);
            }
            line[x] = qRgb(v[0], v[1], v[2]);
        }
    }
    return image;
}

} // namespace core
