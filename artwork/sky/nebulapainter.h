// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/sky/skyvector.h"

#include <functional>

namespace sky {

class SkyProjection;
class StarCatalogue;

// The nebulae of the star fields: the lit reflection nebula of the Pleiades,
// and the Orion Nebula with the faint hydrogen arcs around Orion. Every shape is defined on the
// sky, so an object looks the same in every field that shows it, at that field's scale.
class NebulaPainter
{
public:
    NebulaPainter(const SkyProjection &projection, const StarCatalogue &catalogue);

    void paint(core::FloatCanvas &canvas) const;

private:
    using Glow = std::function<core::Light(const SkyVector &direction)>;

    void paintPleiades(core::FloatCanvas &canvas) const;
    void paintOrion(core::FloatCanvas &canvas) const;

    // Adds a glow within radiusDeg of a direction, sampled every `step`
    // pixels and interpolated; for soft light only.
    void paintAround(core::FloatCanvas &canvas, const SkyVector &centre, double radiusDeg, int step,
                     const Glow &glow) const;

    const SkyProjection &m_projection;
    const StarCatalogue &m_catalogue;
};

} // namespace sky
