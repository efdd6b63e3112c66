// SPDX-License-Identifier: MIT
#include "artwork/core/floatcanvas.h"

#include "artwork/core/starimage.h"

#include <algorithm>
#include <cmath>

namespace core {

FloatCanvas::FloatCanvas(int width, int height)
    : m_width(width), m_height(height), m_data(std::size_t(width) * height * 3, 0.0f)
{}

void FloatCanvas::addGaussian(float x, float y, float sigma, const Light &peak)
{
    const float reach = 3.5f * sigma + 1.0f;
    const int x0 = std::max(0, int(std::floor(x - reach)));
    const int x1 = std::min(m_width - 1, int(std::floor(x + reach)));
    const int y0 = std::max(0, int(std::floor(y - reach)));
    const int y1 = std::min(m_height - 1, int(std::floor(y + reach)));
    const float k = -0.5f / (sigma * sigma);
    for (int py = y0; py <= y1; ++py) {
        const float dy = float(py) + 0.5f - y;
        for (int px = x0; px <= x1; ++px) {
            const float dx = float(px) + 0.5f - x;
            add(px, py, peak * std::exp((dx * dx + dy * dy) * k));
        }
    }
}

void FloatCanvas::addCanvas(const FloatCanvas &other, float k)
{
    const std::size_t n = std::min(m_data.size(), other.m_data.size());
    for (std::size_t i = 0; i < n; ++i)
        m_data[i] += k * other.m_data[i];
}

void FloatCanvas::addStar(const StarImage &star)
{
    star.drawInto(*this);
}

std::vector<float> gaussianKernel(float sigma)
{
    const int radius = std::max(1, int(std::ceil(3.0f * sigma)));
    std::vector<float> kernel(2 * radius + 1);
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[i + radius] = std::exp(-0.5f * float(i * i) / (sigma * sigma));
    for (float &k : kernel)
        k /= sum;
    return kernel;
}

FloatCanvas FloatCanvas::blurred(float sigma) const
{
    FloatCanvas out(m_width, m_height);
    if (sigma <= 0) {
        out.m_data = m_data;
        return out;
    }
    const std::vector<float> kernel = gaussianKernel(sigma);
    const int radius = int(kernel.size() / 2);

    // Rows into a scratch canvas, then columns into the result; edges clamp.
    std::vector<float> rows(m_data.size());
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            float acc[3] = {0, 0, 0};
            for (int i = -radius; i <= radius; ++i) {
                const float *p = pixel(std::clamp(x + i, 0, m_width - 1), y);
                const float w = kernel[i + radius];
                acc[0] += w * p[0];
                acc[1] += w * p[1];
                acc[2] += w * p[2];
            }
            float *q = &rows[(std::size_t(y) * m_width + x) * 3];
            q[0] = acc[0];
            q[1] = acc[1];
            q[2] = acc[2];
        }
    }
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            float acc[3] = {0, 0, 0};
            for (int i = -radius; i <= radius; ++i) {
                const int yy = std::clamp(y + i, 0, m_height - 1);
                const float *p = &rows[(std::size_t(yy) * m_width + x) * 3];
                const float w = kernel[i + radius];
                acc[0] += w * p[0];
                acc[1] += w * p[1];
                acc[2] += w * p[2];
            }
            out.set(x, y, {acc[0], acc[1], acc[2]});
        }
    }
    return out;
}

} // namespace core
