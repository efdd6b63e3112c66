// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

class QPainter;

// Writes an opaque bitmap at an opacity straight into the painter's target:
// each pixel becomes what Qt's raster engine gives for the same bitmap blended
// over black, in one pass that neither fills nor reads the target. `at` is the
// bitmap's top-left corner in the painter's logical coordinates, `alpha` the
// engine's opacity in 1/256 steps (1..256). Only `region` is written.
//
// Returns false, writing nothing, unless the target is an RGB32 or
// premultiplied ARGB32 image reached by a whole-pixel translation and the
// bitmap is RGB32. Written pixels are opaque.
bool fadeBlit(QPainter &painter, const QRegion &region, QPoint at, const QImage &bitmap, int alpha);
