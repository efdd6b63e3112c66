// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"

#include <QImage>

// The overlays' own format, 8-bit RGBA without interlacing, decoded in one
// pass: the zlib stream is inflated straight into the bitmap's buffer, and
// each row is unfiltered, premultiplied and reordered in place, so no
// intermediate image exists. Returns false, touching nothing, for any other
// kind of PNG; throws CatalogueError for a corrupt one.
namespace catalogue {

bool decodeRgbaPng(const AssetView &png, QImage &target);

// Reverses one row's PNG filter for 4-byte pixels. prev is the unfiltered row
// above (all zero for the first row); dst may start before src, never after.
void unfilterRgbaRow(int filter, const uchar *src, uchar *dst, const uchar *prev, size_t bytes);

// RGBA bytes as a PNG stores them to Qt's premultiplied ARGB32, in place.
void premultiplyRgbaRow(uchar *row, int width);

} // namespace catalogue
