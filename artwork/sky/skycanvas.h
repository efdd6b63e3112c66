// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skycolour.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <cstdint>
#include <vector>

namespace sky {

struct StarAppearance;

// A linear-light RGB picture that glows and stars are added into, turned into
// an 8-bit image by a soft tone curve that never clips a star's core flat.
class SkyCanvas
{
public:
    explicit SkyCanvas(QSize size);

    int width() const { return m_width; }
    int height() const { return m_height; }

    void add(int x, int y, const SkyColour &c)
    {
        float *p = &m_rgb[3 * (size_t(y) * size_t(m_width) + size_t(x))];
        p[0] += c.r;
        p[1] += c.g;
        p[2] += c.b;
    }

    // Draws a star centred exactly on a sub-pixel position: its core is
    // integrated over each pixel, so the brightest pixel is the one that
    // contains the centre.
    void addStar(QPointF centre, const StarAppearance &look, const SkyColour &colour);

    // Format_RGB32. A seeded dither below one step of 8 bits keeps gradients
    // free of bands under JPEG, while black stays exactly black.
    QImage toImage(std::uint64_t ditherSeed) const;

private:
    // A pixel-integrated Gaussian, peak at a pixel centred on (cx, cy).
    void addGaussian(double cx, double cy, double sigma, double peak, const SkyColour &colour);

    int m_width;
    int m_height;
    std::vector<float> m_rgb;
};

} // namespace sky
