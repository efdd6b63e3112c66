// SPDX-License-Identifier: MIT
#include "artwork/sky/fieldpicture.h"

#include "artwork/sky/galacticframe.h"
#include "artwork/sky/nebulapainter.h"
#include "artwork/sky/skycanvas.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/splitmix64.h"
#include "artwork/sky/starappearance.h"
#include "artwork/sky/starcatalogue.h"

#include <algorithm>
#include <cmath>

namespace sky {

namespace {

// The catalogue is complete to about this magnitude; fainter stars are made up.
constexpr double CatalogueLimit = 6.5;

// Mean number of stars per square degree between CatalogueLimit and m, away
// from the Milky Way; counts rise by about 2.5 times per magnitude.
double starsPerSquareDegree(double m)
{
    return 0.25 * (std::pow(10.0, 0.4 * (m - CatalogueLimit)) - 1.0);
}

// Stars crowd towards the galactic plane.
double densityAtLatitude(double galacticLatitudeDeg)
{
    return 0.5 + 3.5 * std::exp(-std::abs(galacticLatitudeDeg) / 8.0);
}
constexpr double MaxDensity = 4.0;

SkyColour catalogueColour(const CatalogueStar &star)
{
    if (star.colourIndex)
        return SkyColour::fromColourIndex(*star.colourIndex);
    // Unmeasured stars get a pale tint of a typical colour, fixed per star.
    SplitMix64 rng(std::uint64_t(star.hr) * 0x9e37ULL);
    const double bv = 0.1 + 0.9 * (rng.uniform() + rng.uniform()) / 2.0;
    return SkyColour::fromColourIndex(bv).whitened(0.4);
}

} // namespace

FieldPicture::FieldPicture(const SkyField &field, const StarCatalogue &catalogue)
    : m_field(field), m_catalogue(catalogue), m_projection(field.projection())
{}

QImage FieldPicture::render() const
{
    SkyCanvas canvas(m_projection.size());
    NebulaPainter(m_field, m_projection, m_catalogue).paint(canvas);
    addBackgroundStars(canvas);
    addCatalogueStars(canvas);
    return canvas.toImage(m_field.seed ^ 0xd1d1d1d1ULL);
}

void FieldPicture::addBackgroundStars(SkyCanvas &canvas) const
{
    SplitMix64 rng(m_field.seed);
    const double margin = 8.0;
    const double w = canvas.width() + 2.0 * margin;
    const double h = canvas.height() + 2.0 * margin;
    const double ppd = m_projection.pixelsPerDegree();
    const double areaDeg2 = (w / ppd) * (h / ppd);
    const double growth = std::pow(10.0, 0.4 * (m_field.limitMagnitude - CatalogueLimit)) - 1.0;
    const int candidates =
        int(areaDeg2 * starsPerSquareDegree(m_field.limitMagnitude) * MaxDensity);

    for (int k = 0; k < candidates; ++k) {
        const QPointF p(rng.uniform() * w - margin, rng.uniform() * h - margin);
        const double magnitude = CatalogueLimit + 2.5 * std::log10(1.0 + rng.uniform() * growth);
        const double accept = rng.uniform();
        const double bvSpread = (rng.uniform() + rng.uniform() + rng.uniform()) / 3.0;
        // Solid angle per pixel shrinks as cos^3 away from the centre.
        const SkyVector d = m_projection.direction(p);
        const double c = d.dot(m_projection.centre());
        if (accept * MaxDensity > c * c * c * densityAtLatitude(galactic::latitudeDeg(d)))
            continue;
        const SkyColour colour = SkyColour::fromColourIndex(-0.2 + 1.9 * bvSpread).whitened(0.45);
        canvas.addStar(p, StarAppearance::forMagnitude(magnitude, m_field), colour);
    }
}

void FieldPicture::addCatalogueStars(SkyCanvas &canvas) const
{
    for (const CatalogueStar &star : m_catalogue.stars()) {
        const auto p = m_projection.project(star.direction);
        if (!p)
            continue;
        canvas.addStar(*p, StarAppearance::forMagnitude(star.magnitude, m_field),
                       catalogueColour(star));
    }
}

} // namespace sky
