// SPDX-License-Identifier: MIT
#include "artwork/painted/scene.h"

#include "artwork/painted/starfield.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

// The older layers were drawn for the tone curve 1 - exp(-light). This finds
// the linear light the develop step turns into the same value, so they keep
// their look under the new curve.
float retone(float oldLight, const core::DevelopStyle &style)
{
    const float v = std::min(1.0f - std::exp(-std::max(oldLight, 0.0f)), 0.998f);
    const float room = 1.0f - style.knee;
    const float s = v <= style.knee ? v : style.knee - room * std::log((1.0f - v) / room);
    return style.softening * std::sinh(s * std::asinh(style.white / style.softening));
}

} // namespace

Scene::Scene(uint32_t seed)
    : m_seed(seed), m_rng(uint64_t(seed) * 0x2545F4914F6CDD1Dull + 1), m_light(Width, Height)
{
    m_develop.seed = uint64_t(seed) ^ 0xA511E9B3u;
}

Scene::~Scene() = default;

Canvas &Scene::stars()
{
    if (!m_stars)
        m_stars = std::make_unique<Canvas>(Width, Height);
    return *m_stars;
}

Canvas &Scene::front()
{
    if (!m_front)
        m_front = std::make_unique<Canvas>(Width, Height);
    return *m_front;
}

GasField &Scene::gas()
{
    if (!m_gas)
        m_gas = std::make_unique<GasField>(Width, Height, GasScale);
    return *m_gas;
}

void Scene::addOlderLayers()
{
    if (!m_stars && !m_front && !m_gas)
        return;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const Gas g = m_gas ? m_gas->sample(x, y) : Gas{};
            Rgb light = g.light;
            if (m_stars)
                light += m_stars->at(x, y) * std::exp(-std::max(g.tau, 0.0f));
            if (m_front)
                light += m_front->at(x, y);
            m_light.add(x, y,
                        {retone(light.r, m_develop), retone(light.g, m_develop),
                         retone(light.b, m_develop)});
        }
    }
}

QImage Scene::compose()
{
    addOlderLayers();
    return core::develop(m_light, m_develop);
}

void backgroundStars(Scene &scene, int count, float brightest)
{
    StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    scatterStars(scene.stars(), scene.rng(), style);
}

} // namespace painted
