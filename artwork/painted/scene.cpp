// SPDX-License-Identifier: MIT
#include "artwork/painted/scene.h"

namespace painted {

Scene::Scene(uint32_t seed) : m_seed(seed), m_light(Width, Height)
{
    m_develop.seed = uint64_t(seed) ^ 0xA511E9B3u;
}

QImage Scene::compose() const
{
    return core::develop(m_light, m_develop);
}

} // namespace painted
