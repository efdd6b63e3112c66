// SPDX-License-Identifier: MIT
#include "artwork/core/coarsefield.h"

#include <algorithm>

namespace core {

CoarseField::CoarseField(int width, int height, int scale)
    : m_width(width), m_height(height), m_scale(std::max(scale, 1)),
      m_cellsX(std::max((width + m_scale - 1) / m_scale, 2)),
      m_cellsY(std::max((height + m_scale - 1) / m_scale, 2)),
      m_cells(std::size_t(m_cellsX) * m_cellsY)
{}

float CoarseField::toCell(float pixel) const
{
    return (pixel - 0.5f * float(m_scale - 1)) / float(m_scale);
}

float CoarseField::sample(float u, float v) const
{
    const float h = float(m_height);
    const float gx =
        std::clamp(toCell(u * h + 0.5f * float(m_width) - 0.5f), 0.0f, float(m_cellsX - 1));
    const float gy = std::clamp(toCell(v * h + 0.5f * h - 0.5f), 0.0f, float(m_cellsY - 1));
    const int i0 = std::min(int(gx), m_cellsX - 2);
    const int j0 = std::min(int(gy), m_cellsY - 2);
    const float fx = gx - float(i0), fy = gy - float(j0);
    const float *row0 = &m_cells[std::size_t(j0) * m_cellsX + i0];
    const float *row1 = row0 + m_cellsX;
    return (row0[0] * (1 - fx) + row0[1] * fx) * (1 - fy) +
           (row1[0] * (1 - fx) + row1[1] * fx) * fy;
}

} // namespace core
