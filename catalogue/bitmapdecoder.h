// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"

#include <QImage>
#include <QSize>

// Decodes an asset straight into a layer's bitmap, in the format the layer
// draws: pictures to Format_RGB32, overlays to Format_ARGB32_Premultiplied.
// Every picture and overlay is BitmapSize; a header that claims any other
// size is refused before anything is allocated. The target's buffer is reused
// when it already has the size and format, so a picture change allocates
// nothing. Throws CatalogueError "Loading bitmap failed." when the bytes
// cannot be decoded; the target is then left in an unspecified but valid
// state.
namespace catalogue {

inline constexpr QSize BitmapSize(1920, 1080);

void decodePicture(const AssetView &jpeg, QImage &target);
void decodeOverlay(const AssetView &png, QImage &target);

} // namespace catalogue
