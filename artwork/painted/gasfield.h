// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/coarsegrid.h"
#include "artwork/painted/rgb.h"

namespace painted {

// What a line of sight through the object contributes: light it emits and the
// optical depth of dust that dims whatever lies behind it.
struct Gas
{
    Rgb light;
    float tau = 0;
};

// The gas of a picture, evaluated on a coarse grid (gas is soft, and the
// noise behind it is the expensive part) and read back with bilinear
// interpolation at full resolution.
class GasField : public CoarseGrid<Gas>
{
public:
    // width and height are the picture's size; scale is pixels per cell.
    using CoarseGrid::CoarseGrid;

    // The field at full-resolution pixel (x, y).
    Gas sample(int x, int y) const;
};

} // namespace painted
