// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/develop.h"
#include "artwork/core/floatcanvas.h"
#include "artwork/painted/canvas.h"
#include "artwork/painted/gasfield.h"
#include "artwork/painted/rng.h"

#include <QImage>
#include <cstdint>
#include <memory>

namespace painted {

// One painted picture in the making. A recipe adds linear light to light(),
// a core::FloatCanvas, and may tune develop(); compose() develops it into the
// picture. The older layers (stars dimmed by the gas, the gas, foreground
// light) are still read when a recipe uses them: they are created on first
// use, toned as before and added to the light.
class Scene
{
public:
    static constexpr int Width = 1920;
    static constexpr int Height = 1080;
    // Pixels per cell of the older gas layer.
    static constexpr int GasScale = 2;

    explicit Scene(uint32_t seed);
    ~Scene();

    uint32_t seed() const { return m_seed; }
    core::FloatCanvas &light() { return m_light; }
    core::DevelopStyle &develop() { return m_develop; }

    Rng &rng() { return m_rng; }
    Canvas &stars();
    Canvas &front();
    GasField &gas();

    // Picture coordinates (origin at the centre, height 1) to pixels.
    static float toX(float u) { return u * Height + 0.5f * Width - 0.5f; }
    static float toY(float v) { return v * Height + 0.5f * Height - 0.5f; }
    static float toPixels(float length) { return length * Height; }

    QImage compose();

private:
    void addOlderLayers();

    uint32_t m_seed;
    Rng m_rng;
    core::FloatCanvas m_light;
    core::DevelopStyle m_develop;
    std::unique_ptr<Canvas> m_stars;
    std::unique_ptr<Canvas> m_front;
    std::unique_ptr<GasField> m_gas;
};

// The usual backdrop: a sparse field of faint stars.
void backgroundStars(Scene &scene, int count, float brightest);

} // namespace painted
