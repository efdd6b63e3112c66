// SPDX-License-Identifier: MIT
#pragma once

// core::FloatCanvas: a picture in linear light, 1920 x 1080 floats per
// channel unless sized otherwise, that every layer of a picture is added to
// before the develop step (develop.h) turns it into an 8-bit image.
//
// Coordinates are continuous: pixel (i, j) covers [i, i + 1) x [j, j + 1), so
// its centre is (i + 0.5, j + 0.5). Everything outside the canvas is clipped.
//
//   FloatCanvas light;                    // 1920 x 1080, black
//   light.add(x, y, Light{...});          // one pixel
//   light.addEach([](float x, float y) { return Light{...}; });  // every pixel centre
//   light.addGaussian(x, y, sigma, peak); // a soft blob
//   light.addStar(StarImage{...});        // a star through the point-spread function
//   light.dim(x, y, transmittance);       // absorption by dust in front
//   light.blurred(sigma)                  // a soft copy, for glows and scattered light
//
// Cost: addEach is about 2 ns per pixel plus the callable; blurred() is
// separable, about 2 * (6 * sigma) multiply-adds per pixel and channel.

#include "artwork/core/light.h"

#include <cstddef>
#include <vector>

namespace core {

struct StarImage;

// The weights of a Gaussian of this sigma out to three sigmas (at least one
// pixel) either side, summing to 1: entry radius + i is offset i.
std::vector<float> gaussianKernel(float sigma);

class FloatCanvas
{
public:
    static constexpr int DefaultWidth = 1920;
    static constexpr int DefaultHeight = 1080;

    FloatCanvas(int width = DefaultWidth, int height = DefaultHeight);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    Light at(int x, int y) const
    {
        const float *p = pixel(x, y);
        return {p[0], p[1], p[2]};
    }
    void set(int x, int y, const Light &c)
    {
        float *p = pixel(x, y);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void add(int x, int y, const Light &c)
    {
        float *p = pixel(x, y);
        p[0] += c.r;
        p[1] += c.g;
        p[2] += c.b;
    }
    void dim(int x, int y, float transmittance)
    {
        float *p = pixel(x, y);
        p[0] *= transmittance;
        p[1] *= transmittance;
        p[2] *= transmittance;
    }

    // Adds f(x, y) at every pixel centre, row by row.
    template <typename F> void addEach(F &&f)
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                add(x, y, f(float(x) + 0.5f, float(y) + 0.5f));
        }
    }

    // A round Gaussian whose value at its centre is peak.
    void addGaussian(float x, float y, float sigma, const Light &peak);
    // Adds another canvas of the same size, scaled by k.
    void addCanvas(const FloatCanvas &other, float k = 1.0f);
    void addStar(const StarImage &star);

    FloatCanvas blurred(float sigma) const;

    const float *data() const { return m_data.data(); }

private:
    float *pixel(int x, int y) { return &m_data[(std::size_t(y) * m_width + x) * 3]; }
    const float *pixel(int x, int y) const { return &m_data[(std::size_t(y) * m_width + x) * 3]; }

    int m_width;
    int m_height;
    std::vector<float> m_data;
};

} // namespace core
