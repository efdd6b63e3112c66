// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <vector>

namespace painted {

// A picture-sized grid of coarse cells, scale pixels on a side, each holding
// a value of the picture at the cell's centre. Picture coordinates u, v have
// their origin at the centre, v pointing down and the picture height being 1.
template <typename T> class CoarseGrid
{
public:
    CoarseGrid(int width, int height, int scale)
        : m_width(width), m_height(height), m_scale(scale), m_cellsX((width + scale - 1) / scale),
          m_cellsY((height + scale - 1) / scale), m_cells(std::size_t(m_cellsX) * m_cellsY)
    {}

    // Sets every cell to f(u, v) at its centre.
    template <typename F> void fill(F &&f)
    {
        for (int j = 0; j < m_cellsY; ++j) {
            const float v = (cellCentre(j) + 0.5f - 0.5f * m_height) / m_height;
            for (int i = 0; i < m_cellsX; ++i) {
                const float u = (cellCentre(i) + 0.5f - 0.5f * m_width) / m_height;
                m_cells[std::size_t(j) * m_cellsX + i] = f(u, v);
            }
        }
    }

protected:
    float cellCentre(int i) const { return float(i * m_scale) + 0.5f * float(m_scale - 1); }

    int m_width;
    int m_height;
    int m_scale;
    int m_cellsX;
    int m_cellsY;
    std::vector<T> m_cells;
};

} // namespace painted
