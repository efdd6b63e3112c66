// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/sky/skyvector.h"

#include <functional>

namespace sky {

class SkyProjection;
class StarCatalogue;
struct SkyField;

// The diffuse light of a field: the Milky Way band with its dust, the lit
// reflection nebula of the Pleiades, and the Orion Nebula with the faint
// hydrogen arcs around Orion. Every shape is defined on the sky, so an
// object looks the same in every field that shows it, at that field's scale.
class NebulaPainter
{
public:
    NebulaPainter(const SkyField &field, const SkyProjection &projection,
                  const StarCatalogue &catalogue);

    void paint(core::FloatCanvas &canvas) const;

    // How the Milky Way changes the background stars at a direction: how
    // crowded they are (1 far from the band, several times that in its star
    // clouds) and the share of their light its dust lets through.
    struct StarDepth
    {
        double crowding = 1.0;
        double transmittance = 1.0;
    };
    StarDepth starDepth(const SkyVector &direction) const;

private:
    // Offsets from an object towards east and north, in degrees.
    struct Offset
    {
        double east;
        double north;
    };
    using Glow = std::function<core::Light(const SkyVector &direction)>;

    void paintMilkyWay(core::FloatCanvas &canvas) const;
    void paintPleiades(core::FloatCanvas &canvas) const;
    void paintOrion(core::FloatCanvas &canvas) const;

    // Adds a glow within radiusDeg of a direction, sampled every `step`
    // pixels and interpolated; for soft light only.
    void paintAround(core::FloatCanvas &canvas, const SkyVector &centre, double radiusDeg, int step,
                     const Glow &glow) const;
    // The Milky Way at a direction: the light of its star clouds (about 1 in
    // the middle of the band) and the dust of its lanes (0 to about 1.3).
    struct Band
    {
        float clouds;
        float dust;
    };
    Band band(const SkyVector &direction) const;
    static Offset offset(const SkyVector &from, const SkyVector &to);

    const SkyField &m_field;
    const SkyProjection &m_projection;
    const StarCatalogue &m_catalogue;
};

} // namespace sky
