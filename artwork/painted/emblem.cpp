// SPDX-License-Identifier: MIT
#include "artwork/painted/galaxymotif.h"
#include "artwork/painted/painted.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

// Light silver-grey, a touch cooler in the shadows.
QRgb silver(float shade)
{
    const float v = 150.0f + 95.0f * shade;
    return qRgb(int(v), int(v + 3), int(std::min(255.0f, v + 10)));
}

} // namespace

QImage renderEmblem()
{
    QImage image(215, 144, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    SpiralStyle style;
    style.arms = 2;
    style.turns = 5.2f;
    style.armWidth = 0.3f;
    style.core = 0.15f;
    style.tilt = 0.66f;
    style.rotation = -0.35f;
    drawSpiral(image, 107.5f, 72.0f, 104.0f, style, silver);
    return image;
}

} // namespace painted
