// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/rgb.h"

#include <cstddef>
#include <vector>

namespace painted {

// How a single star is drawn: a Gaussian core, an optional wide halo and
// optional diffraction spikes along two perpendicular axes.
struct StarLook
{
    float x = 0, y = 0; // pixel coordinates, pixel centres on integers
    Rgb colour{1, 1, 1};
    float peak = 1;       // brightness of the core's centre
    float sigma = 0.8f;   // core width in pixels
    float halo = 0;       // halo brightness relative to the peak
    float haloRadius = 0; // halo scale in pixels
    float spikes = 0;     // spike brightness relative to the peak
    float spikeLength = 0;
    float spikeAngle = 0.7853982f;
};

// A full-resolution, floating point RGB layer that light is added to.
class Canvas
{
public:
    Canvas(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    Rgb at(int x, int y) const
    {
        const float *p = &m_data[(std::size_t(y) * m_width + x) * 3];
        return {p[0], p[1], p[2]};
    }
    void add(int x, int y, const Rgb &c)
    {
        float *p = &m_data[(std::size_t(y) * m_width + x) * 3];
        p[0] += c.r;
        p[1] += c.g;
        p[2] += c.b;
    }

    // A round Gaussian blob whose centre has the value peak.
    void splat(float x, float y, float sigma, const Rgb &peak);
    // An elongated Gaussian blob: sigmaAlong lies in the direction angle.
    void streak(float x, float y, float sigmaAlong, float sigmaAcross, float angle,
                const Rgb &peak);
    void addStar(const StarLook &star);

private:
    int m_width;
    int m_height;
    std::vector<float> m_data;
};

} // namespace painted
