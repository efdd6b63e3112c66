// SPDX-License-Identifier: MIT
#pragma once

// Parts the shell nebulae share: a tilted frame for volumes,
// full-resolution detail laid over a volume's light, cometary knots, and
// the usual field and central stars.
//
//   const Orientation o(positionAngle, inclination);
//   const Vec3 p = o.toObject(x - cx, y - cy, z);    // inside a volume field
//   core::FloatCanvas gas;                            // the volume alone
//   core::renderVolume(gas, box, 3, -400, 400, 40, field, seed);
//   addDetailed(scene.light(), gas, box, [&](float x, float y) { return filaments(x, y); });

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/core/rng.h"
#include "artwork/core/volume.h"

#include <algorithm>
#include <cmath>

namespace painted {

class Scene;

namespace shellparts {

struct Vec3
{
    float x, y, z;
};

inline float length(const Vec3 &v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// An object's frame: turned by the position angle in the picture, then
// tilted about its own first axis by the inclination towards the viewer.
struct Orientation
{
    float ca, sa, ct, st;

    Orientation(float angle, float tilt)
        : ca(std::cos(angle)), sa(std::sin(angle)), ct(std::cos(tilt)), st(std::sin(tilt))
    {}

    // A picture offset and depth to object coordinates.
    Vec3 toObject(float dx, float dy, float z) const
    {
        const float u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
        return {u, v * ct + z * st, -v * st + z * ct};
    }

    // Object coordinates back to a picture offset (x, y) and depth (z).
    Vec3 toPicture(const Vec3 &p) const
    {
        const float v = p.y * ct - p.z * st, z = p.y * st + p.z * ct;
        return {p.x * ca - v * sa, p.x * sa + v * ca, z};
    }
};

inline core::Box clipped(core::Box box, const core::FloatCanvas &canvas)
{
    return {std::max(box.x0, 0), std::max(box.y0, 0), std::min(box.x1, canvas.width()),
            std::min(box.y1, canvas.height())};
}

// Adds f(x, y), a Light, at every pixel centre of the box.
template <typename F> void paintBox(core::FloatCanvas &canvas, core::Box box, F &&f)
{
    box = clipped(box, canvas);
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x)
            canvas.add(x, y, f(float(x) + 0.5f, float(y) + 0.5f));
    }
}

// Adds source * f(x, y) within the box: the fine detail a volume computed on
// a coarse grid cannot hold, at full resolution. f returns a float or a Light.
template <typename F>
void addDetailed(core::FloatCanvas &canvas, const core::FloatCanvas &source, core::Box box, F &&f)
{
    box = clipped(box, canvas);
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const core::Light s = source.at(x, y);
            if (s.r + s.g + s.b <= 0)
                continue;
            canvas.add(x, y, s * f(float(x) + 0.5f, float(y) + 0.5f));
        }
    }
}

// A cometary knot: a compact head and a tail streaming away along angle,
// widening and fading over its length.
struct Comet
{
    float x = 0, y = 0;
    float angle = 0;   // direction the tail points
    float head = 1.5f; // sigma of the head, px
    float tail = 15;   // length of the tail, px
    float width = 1.2f;
    core::Light headLight, tailLight;
};

void addComet(core::FloatCanvas &canvas, const Comet &comet);

// A field of background stars through the shared point-spread function.
void addFieldStars(Scene &scene, int count, float brightest, float blueShare = 0.3f,
                   std::uint64_t salt = 1);

} // namespace shellparts
} // namespace painted
