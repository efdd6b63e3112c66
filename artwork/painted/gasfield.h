#pragma once

#include "rgb.h"

#include <cstddef>
#include <vector>

namespace painted {

// What a line of sight through the object contributes: light it emits and the
// optical depth of dust that dims whatever lies behind it.
struct Gas
{
    Rgb light;
    float tau = 0;
};

// The gas of a picture, evaluated on a coarse grid (gas is soft, and the
// noise behind it is the expensive part) and read back with bilinear
// interpolation at full resolution.
class GasField
{
public:
    // width and height are the picture's size; scale is pixels per cell.
    GasField(int width, int height, int scale);

    // Calls f(u, v) once per cell; u and v are picture coordinates with the
    // origin at the centre, v pointing down and the picture height being 1.
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

    // The field at full-resolution pixel (x, y).
    Gas sample(int x, int y) const;

private:
    float cellCentre(int i) const { return float(i * m_scale) + 0.5f * float(m_scale - 1); }

    int m_width;
    int m_height;
    int m_scale;
    int m_cellsX;
    int m_cellsY;
    std::vector<Gas> m_cells;
};

} // namespace painted
