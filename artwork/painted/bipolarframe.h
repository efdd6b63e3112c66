// SPDX-License-Identifier: MIT
#pragma once

// painted::BipolarFrame: the coordinates of an object with an axis of
// symmetry (bipolar lobes, a tilted ring, a column) at a point of a volume.
// The axis lies at `angle` in the picture (radians from the x axis, y down)
// and is tipped by `tilt` out of the picture plane, so lobes and rings seen
// at an angle show their open ends as ellipses.
//
//   BipolarFrame frame{960, 540, -0.8f, 0.3f};
//   const BipolarFrame::Point p = frame.at(x, y, z);
//   p.along;  // signed distance along the axis
//   p.rho;    // distance from the axis
//   p.phi;    // angle around the axis, -pi..pi
//   BipolarFrame::noiseAround(p, 3.0f, p.along / 40.0f, seed, 3);  // no seam at +-pi

#include "artwork/core/noise.h"

#include <cmath>
#include <cstdint>

namespace painted {

class BipolarFrame
{
public:
    struct Point
    {
        float along, across, depth, rho, phi;
    };

    BipolarFrame(float cx, float cy, float angle, float tilt)
        : m_cx(cx), m_cy(cy), m_c(std::cos(angle)), m_s(std::sin(angle)), m_ct(std::cos(tilt)),
          m_st(std::sin(tilt))
    {}

    // In the picture plane only: (along, across) of a pixel, depth 0.
    Point flat(float x, float y) const { return at(x, y, 0.0f); }

    Point at(float x, float y, float z) const
    {
        Point p = distances(x, y, z);
        p.phi = std::atan2(p.depth, p.across);
        return p;
    }

    // As at(), but without the angle around the axis (phi is 0): an atan2
    // saved where only distances matter.
    Point distances(float x, float y, float z) const
    {
        const float dx = x - m_cx, dy = y - m_cy;
        const float a0 = dx * m_c + dy * m_s;
        const float across = -dx * m_s + dy * m_c;
        const float along = a0 * m_ct + z * m_st;
        const float depth = -a0 * m_st + z * m_ct;
        return {along, across, depth, std::sqrt(across * across + depth * depth), 0.0f};
    }

    // Fractal noise around the axis without a seam where the angle wraps:
    // the angle enters as a point on a circle of radius `around`, so that
    // many features fit round the axis; `along` is the other coordinate.
    static float noiseAround(const Point &p, float around, float along, std::uint32_t seed,
                             int octaves)
    {
        const float k = around / (p.rho + 1e-6f);
        return core::noise::fbm(p.across * k, p.depth * k, along, seed, octaves);
    }

private:
    float m_cx, m_cy, m_c, m_s, m_ct, m_st;
};

} // namespace painted
