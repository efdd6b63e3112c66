// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skyfields.h"
#include "artwork/sky/skyprojection.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <vector>

namespace sky {

class StarCatalogue;
struct FieldChart;
struct SkyField;

// The overlay of one star field: its chart's figures, circles and labels,
// placed by the same projection as the picture. Labels are moved off the
// figure lines, circles and star discs rather than cutting into them.
class FieldOverlay
{
public:
    FieldOverlay(const SkyField &field, const StarCatalogue &catalogue);

    QImage render() const; // Format_ARGB32, 1920 x 1080, transparent but for the drawing
    std::vector<LabelledStar> labelledStars() const;
    OverlayLayout layout() const;

private:
    struct Disc
    {
        QPointF centre;
        double radius;
    };

    void placeLabels(OverlayLayout &layout, const QFont &font) const;
    bool starPosition(int hr, QPointF &at) const;
    double clearance(int hr) const; // around a star's disc, in pixels

    const SkyField &m_field;
    const StarCatalogue &m_catalogue;
    const FieldChart &m_chart;
    SkyProjection m_projection;
};

} // namespace sky
