// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
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

} // namespace sky
