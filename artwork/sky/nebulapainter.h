// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skycolour.h"
#include "artwork/sky/skyvector.h"

#include <functional>

namespace sky {

class SkyCanvas;
class SkyProjection;
class StarCatalogue;
struct SkyField;

// The diffuse light of a field: the Milky Way band, the reflection nebula of
// the Pleiades and the Orion Nebula. Every shape is defined on the sky, so an
// object looks the same in every field that shows it, at that field's scale.
class NebulaPainter
{
public:
    NebulaPainter(const SkyField &field, const SkyProjection &projection,
                  const StarCatalogue &catalogue);

    void paint(SkyCanvas &canvas) const;

private:
    // Offsets from an object towards east and north, in degrees.
    struct Offset
    {
        double east;
        double north;
    };
    using Glow = std::function<SkyColour(const SkyVector &direction)>;

    void paintMilkyWay(SkyCanvas &canvas) const;
    void paintPleiades(SkyCanvas &canvas) const;
    void paintOrionNebula(SkyCanvas &canvas) const;

    // Adds a smooth glow within radiusDeg of a direction; it is sampled every
    // second pixel and interpolated, which its soft shapes do not show.
    void paintAround(SkyCanvas &canvas, const SkyVector &centre, double radiusDeg,
                     const Glow &glow) const;
    static Offset offset(const SkyVector &from, const SkyVector &to);

    const SkyField &m_field;
    const SkyProjection &m_projection;
    const StarCatalogue &m_catalogue;
};

} // namespace sky
