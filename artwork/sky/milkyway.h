// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/floatcanvas.h"

#include <QPointF>
#include <vector>

namespace sky {

class SkyProjection;
struct SkyField;

// The Milky Way as one field sees it. The band is laid out in galactic
// coordinates with a fixed seed, so every field shows the same clouds and
// lanes where the sky has them. Its light is mostly stars too faint to
// resolve: a smooth glow plus a dense scatter of specks, both following the
// star density of the band, its clumpy star clouds and the dust that dims and
// reddens them. The map is sampled once on a coarse pixel grid, which the
// background stars read as well.
class MilkyWay
{
public:
    MilkyWay(const SkyField &field, const SkyProjection &projection);

    void paint(core::FloatCanvas &canvas) const;

    // How the band changes the resolved background stars at a picture
    // position: how crowded they are (1 far from the band) and the share of
    // their light its dust lets through.
    struct StarDepth
    {
        double crowding = 1.0;
        double transmittance = 1.0;
    };
    StarDepth starDepth(QPointF position) const;

    // The most crowding starDepth() reports.
    static constexpr double MaxCrowding = 16.0;

private:
    // Relative star density before absorption (about 1 on the plane) and
    // the optical depth of the dust in front.
    struct Sample
    {
        float stars = 0.0f;
        float dust = 0.0f;
    };
    Sample sampleAt(QPointF position) const;

    const SkyField &m_field;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<Sample> m_grid;
};

} // namespace sky
