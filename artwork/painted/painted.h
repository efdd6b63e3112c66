// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace painted {

// Entries 0 and 9..30: 1920 x 1080, Format_RGB32.
QImage renderPicture(int entry);

// The About emblem: 215 x 144, Format_ARGB32, mostly transparent.
QImage renderEmblem();

// The application icon at size x size (256, 48, 32 or 16), Format_ARGB32.
QImage renderIcon(int size);

} // namespace painted
