// SPDX-License-Identifier: MIT
#include "artwork/painted/grid.h"

#include <algorithm>
#include <cmath>

namespace painted {

float Grid::toCellX(float u) const
{
    const float px = u * m_height + 0.5f * m_width - 0.5f;
    return (px - 0.5f * float(m_scale - 1)) / m_scale;
}

float Grid::toCellY(float v) const
{
    const float py = v * m_height + 0.5f * m_height - 0.5f;
    return (py - 0.5f * float(m_scale - 1)) / m_scale;
}

void Grid::splat(float u, float v, float sigma, float peak)
{
    const float gx = toCellX(u), gy = toCellY(v);
    const float s = sigma * m_height / m_scale;
    const float reach = 3.0f * s + 1.0f;
    const int x0 = std::max(0, int(std::floor(gx - reach)));
    const int x1 = std::min(m_cellsX - 1, int(std::ceil(gx + reach)));
    const int y0 = std::max(0, int(std::floor(gy - reach)));
    const int y1 = std::min(m_cellsY - 1, int(std::ceil(gy + reach)));
    const float k = -0.5f / std::max(s * s, 0.25f);
    for (int y = y0; y <= y1; ++y) {
        const float dy = float(y) - gy;
        for (int x = x0; x <= x1; ++x) {
            const float dx = float(x) - gx;
            m_cells[std::size_t(y) * m_cellsX + x] += peak * std::exp((dx * dx + dy * dy) * k);
        }
    }
}

float Grid::sample(float u, float v) const
{
    const float gx = std::clamp(toCellX(u), 0.0f, float(m_cellsX - 1));
    const float gy = std::clamp(toCellY(v), 0.0f, float(m_cellsY - 1));
    const int i0 = std::min(int(gx), m_cellsX - 2);
    const int j0 = std::min(int(gy), m_cellsY - 2);
    const float fx = gx - float(i0), fy = gy - float(j0);
    const float *row0 = &m_cells[std::size_t(j0) * m_cellsX + i0];
    const float *row1 = row0 + m_cellsX;
    return (row0[0] * (1 - fx) + row0[1] * fx) * (1 - fy) +
           (row1[0] * (1 - fx) + row1[1] * fx) * fy;
}

} // namespace painted
