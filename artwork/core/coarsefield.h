// SPDX-License-Identifier: MIT
#pragma once

// core::CoarseField: a scalar map over a picture, held at one value per cell
// of `scale` x `scale` pixels and read back with bilinear interpolation. For
// fields that are costly to evaluate but smooth at the cell's size, such as
// a warped distance field that a recipe reads several times per pixel.
//
// Coordinates u, v are picture coordinates: origin at the centre, v pointing
// down, the picture's height being 1.
//
//   CoarseField shape(1920, 1080, 3);
//   shape.fill([&](float u, float v) { return distanceTo(u, v); });
//   const float d = shape.sample(u, v); // clamped to the picture's edge cells

#include <cstddef>
#include <vector>

namespace core {

class CoarseField
{
public:
    CoarseField(int width, int height, int scale);

    // Sets every cell to f(u, v) at the cell's centre.
    template <typename F> void fill(F &&f)
    {
        for (int j = 0; j < m_cellsY; ++j) {
            const float v = (cellCentre(j) + 0.5f - 0.5f * float(m_height)) / float(m_height);
            for (int i = 0; i < m_cellsX; ++i) {
                const float u = (cellCentre(i) + 0.5f - 0.5f * float(m_width)) / float(m_height);
                m_cells[std::size_t(j) * m_cellsX + i] = f(u, v);
            }
        }
    }

    float sample(float u, float v) const;

private:
    float cellCentre(int i) const { return float(i * m_scale) + 0.5f * float(m_scale - 1); }
    float toCell(float pixel) const;

    int m_width;
    int m_height;
    int m_scale;
    int m_cellsX;
    int m_cellsY;
    std::vector<float> m_cells;
};

} // namespace core
