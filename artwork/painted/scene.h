// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/canvas.h"
#include "artwork/painted/gasfield.h"
#include "artwork/painted/rng.h"

#include <QImage>
#include <cstdint>

namespace painted {

// One painted picture in the making. Light is kept in three layers that are
// combined once at the end: stars behind the object (dimmed by its dust), the
// object's gas, and foreground light that nothing dims.
class Scene
{
public:
    static constexpr int Width = 1920;
    static constexpr int Height = 1080;
    // Pixels per gas cell along each axis: gas is soft, so a half-resolution
    // grid loses nothing a viewer would see and costs a quarter of the noise.
    static constexpr int GasScale = 2;

    explicit Scene(uint32_t seed);

    uint32_t seed() const { return m_seed; }
    Rng &rng() { return m_rng; }
    Canvas &stars() { return m_stars; }
    Canvas &front() { return m_front; }
    GasField &gas() { return m_gas; }

    // Picture coordinates (origin at the centre, height 1) to pixels.
    static float toX(float u) { return u * Height + 0.5f * Width - 0.5f; }
    static float toY(float v) { return v * Height + 0.5f * Height - 0.5f; }
    static float toPixels(float length) { return length * Height; }

    // Tone-maps and dithers the layers into an opaque picture.
    QImage compose() const;

private:
    uint32_t m_seed;
    Rng m_rng;
    Canvas m_stars;
    Canvas m_front;
    GasField m_gas;
};

// The usual backdrop: a sparse field of faint stars.
void backgroundStars(Scene &scene, int count, float brightest);

} // namespace painted
