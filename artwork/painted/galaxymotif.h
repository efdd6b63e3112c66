// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace painted {

// The program's emblem: a spiral galaxy drawn as a few curved arms that taper
// to points around a round core.
struct SpiralStyle
{
    int arms = 2;
    float turns = 2.6f;     // how far, in radians, each arm winds from core to tip
    float armWidth = 0.36f; // arm half-width at its root, in galaxy radii
    float core = 0.2f;      // core radius, in galaxy radii
    float tilt = 1.0f;      // vertical to horizontal axis ratio: below 1, the disc is inclined
    float rotation = 0.0f;  // turn of the arms in the disc's plane, radians
};

struct SpiralPoint
{
    bool inside;
    float shade; // 0..1, brighter towards the core and the middle of the arms
};

// The motif at (x, y), in units of the galaxy's radius with the origin at its
// centre.
SpiralPoint spiralAt(float x, float y, const SpiralStyle &style);

// Draws the motif, antialiased by supersampling, into image within the given
// ellipse. colour(shade) gives each covered sample's colour; the image's
// existing pixels show through where the motif is absent.
void drawSpiral(QImage &image, float cx, float cy, float radius, const SpiralStyle &style,
                QRgb (*colour)(float shade));

} // namespace painted
