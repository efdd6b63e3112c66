// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/develop.h"
#include "artwork/core/floatcanvas.h"

#include <QImage>
#include <cstdint>

namespace painted {

// One painted picture in the making. A recipe adds linear light to light(),
// a core::FloatCanvas, and may tune develop(); compose() develops it into the
// picture.
class Scene
{
public:
    static constexpr int Width = 1920;
    static constexpr int Height = 1080;

    explicit Scene(uint32_t seed);

    uint32_t seed() const { return m_seed; }
    core::FloatCanvas &light() { return m_light; }
    core::DevelopStyle &develop() { return m_develop; }

    // Picture coordinates (origin at the centre, height 1) to pixels.
    static float toX(float u) { return u * Height + 0.5f * Width - 0.5f; }
    static float toY(float v) { return v * Height + 0.5f * Height - 0.5f; }
    static float toPixels(float length) { return length * Height; }

    QImage compose() const;

private:
    uint32_t m_seed;
    core::FloatCanvas m_light;
    core::DevelopStyle m_develop;
};

} // namespace painted
