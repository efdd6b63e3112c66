// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"

#include <QImage>
#include <QSize>

// The overlays' own format, 8-bit RGBA without interlacing, decoded inside
// the bitmap's own buffer: the zlib stream is inflated into its tail, then
// one pass over the rows unfilters, premultiplies and reorders each in place,
// so no intermediate image exists. Each chunk's CRC is checked and whatever a
// conforming decoder refuses is refused. A PNG whose header asks for anything
// but `size` is refused before anything is allocated. Returns false, touching
// nothing, for any other kind of PNG; throws CatalogueError for a corrupt one.
namespace catalogue {

bool decodeRgbaPng(const AssetView &png, QImage &target, QSize size);

// Reverses one row's PNG filter for 4-byte pixels. prev is the unfiltered row
// above (all zero for the first row); dst may start before src, never after.
void unfilterRgbaRow(int filter, const uchar *src, uchar *dst, const uchar *prev, size_t bytes);

// RGBA bytes as a PNG stores them to Qt's premultiplied ARGB32, in place.
void premultiplyRgbaRow(uchar *row, int width);

} // namespace catalogue
