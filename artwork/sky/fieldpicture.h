// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/skyprojection.h"

#include <QImage>

namespace core {
class FloatCanvas;
}

namespace sky {

class MilkyWay;
class StarCatalogue;
struct SkyField;

// The picture of one star field: glows, a seeded scatter of stars below the
// catalogue's limit, then the catalogue's stars, all through one projection,
// developed as a photograph.
class FieldPicture
{
public:
    FieldPicture(const SkyField &field, const StarCatalogue &catalogue);

    QImage render() const; // Format_RGB32, 1920 x 1080

private:
    void addBackgroundStars(core::FloatCanvas &canvas, const MilkyWay &milkyWay) const;
    void addClusterMembers(core::FloatCanvas &canvas) const;
    void addCatalogueStars(core::FloatCanvas &canvas) const;

    const SkyField &m_field;
    const StarCatalogue &m_catalogue;
    SkyProjection m_projection;
};

} // namespace sky
