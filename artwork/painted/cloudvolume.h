// SPDX-License-Identifier: MIT
#pragma once

// painted::CloudVolume: a volume's light and transmittance integrated along
// the line of sight (core::integrate) on a coarse grid of rays, read back
// bilinearly at any point. Unlike core::renderVolume it does not composite
// by itself, so a full-resolution pass can carve the smooth volume with fine
// 2-D detail (filaments, ragged dust edges) first and then composite it with
// compositeEach.
//
//   CloudVolume cloud(field, core::Box{400, 100, 1500, 1000}, 4, -500, 500, 32, seed);
//   compositeEach(canvas, box, [&](float x, float y) {
//       core::Ray r = cloud.at(x, y);
//       r.light = r.light * detail(x, y);
//       return r;
//   });
//
// Outside its box a CloudVolume is empty: no light, transmittance 1.
// Cost: one ray per cell, as renderVolume; at() is a few multiply-adds.

#include "artwork/core/floatcanvas.h"
#include "artwork/core/rng.h"
#include "artwork/core/volume.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace painted {

class CloudVolume
{
public:
    template <typename Field>
    CloudVolume(const Field &field, core::Box box, int cell, float zNear, float zFar, int steps,
                std::uint64_t seed)
        : m_box(box), m_cell(float(std::max(cell, 1)))
    {
        m_nx = int(std::ceil(float(box.x1 - box.x0) / m_cell)) + 1;
        m_ny = int(std::ceil(float(box.y1 - box.y0) / m_cell)) + 1;
        m_rays.resize(std::size_t(m_nx) * m_ny);
        for (int j = 0; j < m_ny; ++j) {
            const float y = float(box.y0) + float(j) * m_cell;
            for (int i = 0; i < m_nx; ++i) {
                const float x = float(box.x0) + float(i) * m_cell;
                const float jitter =
                    float(core::hashPixel(i, j, seed) >> 40) * (1.0f / 16777216.0f);
                m_rays[std::size_t(j) * m_nx + i] =
                    core::integrate(field, x, y, zNear, zFar, steps, jitter);
            }
        }
    }

    core::Ray at(float x, float y) const
    {
        const float gx = (x - float(m_box.x0)) / m_cell;
        const float gy = (y - float(m_box.y0)) / m_cell;
        if (gx < 0 || gy < 0 || gx > float(m_nx - 1) || gy > float(m_ny - 1))
            return {};
        const int i = std::min(int(gx), m_nx - 2), j = std::min(int(gy), m_ny - 2);
        const float fx = gx - float(i), fy = gy - float(j);
        const core::Ray &a = m_rays[std::size_t(j) * m_nx + i];
        const core::Ray &b = m_rays[std::size_t(j) * m_nx + i + 1];
        const core::Ray &c = m_rays[std::size_t(j + 1) * m_nx + i];
        const core::Ray &d = m_rays[std::size_t(j + 1) * m_nx + i + 1];
        const float wa = (1 - fx) * (1 - fy), wb = fx * (1 - fy), wc = (1 - fx) * fy, wd = fx * fy;
        core::Ray r;
        r.light = a.light * wa + b.light * wb + c.light * wc + d.light * wd;
        r.transmittance = a.transmittance * wa + b.transmittance * wb + c.transmittance * wc +
                          d.transmittance * wd;
        return r;
    }

private:
    core::Box m_box;
    float m_cell;
    int m_nx = 0;
    int m_ny = 0;
    std::vector<core::Ray> m_rays;
};

// Composites f(x, y) -> core::Ray at every pixel centre of the box over what
// the canvas holds: pixel * transmittance + light.
template <typename F> void compositeEach(core::FloatCanvas &canvas, core::Box box, F &&f)
{
    box.x0 = std::max(box.x0, 0);
    box.y0 = std::max(box.y0, 0);
    box.x1 = std::min(box.x1, canvas.width());
    box.y1 = std::min(box.y1, canvas.height());
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const core::Ray r = f(float(x) + 0.5f, float(y) + 0.5f);
            canvas.dim(x, y, r.transmittance);
            canvas.add(x, y, r.light);
        }
    }
}

} // namespace painted
