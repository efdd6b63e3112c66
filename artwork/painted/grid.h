#pragma once

#include <cstddef>
#include <vector>

namespace painted {

// A coarse scalar map over the picture in the same u, v coordinates as the
// gas, for shapes that are easier to draw than to evaluate: dust branches,
// filaments traced as curves.
class Grid
{
public:
    Grid(int width, int height, int scale);

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

    // Adds a Gaussian of the given peak; sigma is in picture heights.
    void splat(float u, float v, float sigma, float peak);
    float sample(float u, float v) const;

private:
    float cellCentre(int i) const { return float(i * m_scale) + 0.5f * float(m_scale - 1); }
    float toCellX(float u) const;
    float toCellY(float v) const;

    int m_width;
    int m_height;
    int m_scale;
    int m_cellsX;
    int m_cellsY;
    std::vector<float> m_cells;
};

} // namespace painted
