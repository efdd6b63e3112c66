// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/coarsegrid.h"

namespace painted {

// A coarse scalar map over the picture in the same u, v coordinates as the
// gas, for shapes that are easier to draw than to evaluate: dust branches,
// filaments traced as curves.
class Grid : public CoarseGrid<float>
{
public:
    using CoarseGrid::CoarseGrid;

    // Adds a Gaussian of the given peak; sigma is in picture heights.
    void splat(float u, float v, float sigma, float peak);
    float sample(float u, float v) const;

private:
    float toCellX(float u) const;
    float toCellY(float v) const;
};

} // namespace painted
