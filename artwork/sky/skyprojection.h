// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skyvector.h"

#include <QPointF>
#include <QSize>
#include <optional>

namespace sky {

// Gnomonic (tangent-plane) projection of the sky onto a picture: centred on
// the field centre, north up and east to the left, as the sky is seen, with
// one fixed scale. Positions are in the picture's continuous coordinates, in
// which pixel (i, j) covers [i, i + 1) x [j, j + 1); the field centre lands
// on the middle of the picture.
class SkyProjection
{
public:
    SkyProjection(double raHours, double decDeg, double widthDeg, QSize size);

    // Nothing for a direction 90 degrees or more from the centre, which the
    // tangent plane cannot show.
    std::optional<QPointF> project(const SkyVector &direction) const;
    std::optional<QPointF> project(double raHours, double decDeg) const;

    // The sky direction seen at a picture position; the inverse of project().
    SkyVector direction(QPointF position) const;

    double pixelsPerDegree() const; // at the centre
    QSize size() const { return m_size; }

    // Unit vectors of the tangent plane at the centre.
    const SkyVector &centre() const { return m_centre; }
    const SkyVector &east() const { return m_east; }
    const SkyVector &north() const { return m_north; }

private:
    SkyVector m_centre;
    SkyVector m_east;
    SkyVector m_north;
    double m_scale; // pixels per unit of the tangent plane
    QSize m_size;
    QPointF m_middle;
};

} // namespace sky
