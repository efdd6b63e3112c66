// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

namespace sky {

// A star the overlay of an entry names, at its projected pixel position.
// Positions are continuous: pixel (i, j) covers [i, i + 1) x [j, j + 1).
struct LabelledStar
{
    QString name;
    QPointF position;
};

// What an overlay draws, in picture coordinates: each figure line between
// two stars (and the part of it that is drawn, short of both star discs),
// each circle, and each label's box.
struct OverlayLayout
{
    struct Line
    {
        QPointF starA, starB; // the stars it joins
        QPointF from, to;     // as drawn
        bool thin = false;
    };
    struct Circle
    {
        QPointF centre;
        double radius = 0.0;
    };
    struct Label
    {
        QString text;
        QPointF baseline;
        QRectF box;
    };
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Label> labels;
};

class StarCatalogue;

// Loads the catalogue subset and the overlay charts kept in the data folder.
// A folder is read once; a failure is reported on stderr and leaves the
// catalogue empty.
const StarCatalogue &loadCatalogue(const QString &dataDir);

// Entries 1..8: the picture (1920 x 1080, Format_RGB32) and its overlay
// (1920 x 1080, Format_ARGB32, transparent except lines and labels). A null
// image for any other entry or an empty catalogue.
QImage renderField(int entry, const StarCatalogue &catalogue);
QImage renderFieldOverlay(int entry, const StarCatalogue &catalogue);

// The stars an overlay labels, projected exactly as the picture draws them.
std::vector<LabelledStar> labelledStars(int entry, const StarCatalogue &catalogue);

// The overlay's geometry; needs a QGuiApplication for the label font.
OverlayLayout overlayLayout(int entry, const StarCatalogue &catalogue);

} // namespace sky
