// SPDX-License-Identifier: MIT
#include "artwork/painted/gasfield.h"

#include <algorithm>
#include <cmath>

namespace painted {

Gas GasField::sample(int x, int y) const
{
    const float half = 0.5f * float(m_scale - 1);
    const float gx = std::clamp((float(x) - half) / m_scale, 0.0f, float(m_cellsX - 1));
    const float gy = std::clamp((float(y) - half) / m_scale, 0.0f, float(m_cellsY - 1));
    const int i0 = std::min(int(gx), m_cellsX - 2 < 0 ? 0 : m_cellsX - 2);
    const int j0 = std::min(int(gy), m_cellsY - 2 < 0 ? 0 : m_cellsY - 2);
    const int i1 = std::min(i0 + 1, m_cellsX - 1);
    const int j1 = std::min(j0 + 1, m_cellsY - 1);
    const float fx = gx - float(i0), fy = gy - float(j0);
    const Gas &a = m_cells[std::size_t(j0) * m_cellsX + i0];
    const Gas &b = m_cells[std::size_t(j0) * m_cellsX + i1];
    const Gas &c = m_cells[std::size_t(j1) * m_cellsX + i0];
    const Gas &d = m_cells[std::size_t(j1) * m_cellsX + i1];
    const float wa = (1 - fx) * (1 - fy), wb = fx * (1 - fy), wc = (1 - fx) * fy, wd = fx * fy;
    Gas g;
    g.light = a.light * wa + b.light * wb + c.light * wc + d.light * wd;
    g.tau = a.tau * wa + b.tau * wb + c.tau * wc + d.tau * wd;
    return g;
}

} // namespace painted
