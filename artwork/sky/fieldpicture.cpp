// SPDX-License-Identifier: MIT
#include "artwork/sky/fieldpicture.h"

#include "artwork/core/develop.h"
#include "artwork/core/floatcanvas.h"
#include "artwork/core/rng.h"
#include "artwork/sky/milkyway.h"
#include "artwork/sky/nebulapainter.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/starappearance.h"
#include "artwork/sky/starcatalogue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

const core::Light White{1.0f, 1.0f, 1.0f};

core::Light catalogueColour(const CatalogueStar &star)
{
    if (star.colourIndex)
        return core::Light::fromColourIndex(float(*star.colourIndex));
    // Unmeasured stars get a pale tint of a typical colour, fixed per star.
    core::Rng rng(std::uint64_t(star.hr) * 0x9e37ULL);
    const double bv = 0.1 + 0.9 * (rng.uniform() + rng.uniform()) / 2.0;
    return mix(core::Light::fromColourIndex(float(bv)), White, 0.35f);
}

} // namespace

FieldPicture::FieldPicture(const SkyField &field, const StarCatalogue &catalogue)
    : m_field(field), m_catalogue(catalogue), m_projection(field.projection())
{}

QImage FieldPicture::render() const
{
    core::FloatCanvas canvas(m_projection.size().width(), m_projection.size().height());
    const MilkyWay milkyWay(m_field, m_projection);
    milkyWay.paint(canvas);
    NebulaPainter(m_projection, m_catalogue).paint(canvas);
    addBackgroundStars(canvas, milkyWay);
    addClusterMembers(canvas);
    addCatalogueStars(canvas);
    core::DevelopStyle style;
    style.seed = m_field.seed ^ 0xd1d1d1d1ULL;
    return core::develop(canvas, style);
}

void FieldPicture::addBackgroundStars(core::FloatCanvas &canvas, const MilkyWay &milkyWay) const
{
    core::Rng rng(m_field.seed);
    const double margin = 8.0;
    const double w = canvas.width() + 2.0 * margin;
    const double h = canvas.height() + 2.0 * margin;
    const double ppd = m_projection.pixelsPerDegree();
    const double areaDeg2 = (w / ppd) * (h / ppd);
    const double growth = std::pow(10.0, 0.4 * (m_field.limitMagnitude - CatalogueLimit)) - 1.0;
    const int candidates =
        int(areaDeg2 * starsPerSquareDegree(m_field.limitMagnitude) * MilkyWay::MaxCrowding);

    for (int k = 0; k < candidates; ++k) {
        const QPointF p(rng.uniform() * w - margin, rng.uniform() * h - margin);
        const double magnitude = CatalogueLimit + 2.5 * std::log10(1.0 + rng.uniform() * growth);
        const double accept = rng.uniform();
        const double bvSpread = (rng.uniform() + rng.uniform() + rng.uniform()) / 3.0;
        // Solid angle per pixel shrinks as cos^3 away from the centre.
        const SkyVector d = m_projection.direction(p);
        const double c = d.dot(m_projection.centre());
        const MilkyWay::StarDepth depth = milkyWay.starDepth(p);
        if (accept * MilkyWay::MaxCrowding > c * c * c * depth.crowding)
            continue;
        core::StarImage star = starImage(magnitude, m_field);
        star.x = float(p.x());
        star.y = float(p.y());
        star.brightness *= float(depth.transmittance);
        star.colour = mix(core::Light::fromColourIndex(float(-0.2 + 1.9 * bvSpread)), White, 0.3f);
        canvas.addStar(star);
    }
}

void FieldPicture::addClusterMembers(core::FloatCanvas &canvas) const
{
    const SkyField::Cluster &cluster = m_field.cluster;
    if (cluster.members <= 0)
        return;
    core::Rng rng(m_field.seed ^ 0xc1c1c1c1ULL);
    const SkyVector centre = SkyVector::fromRaDec(cluster.raHours, cluster.decDeg);
    const SkyVector east = SkyVector{0.0, 0.0, 1.0}.cross(centre).normalised();
    const SkyVector north = centre.cross(east);
    constexpr double Radian = 180.0 / std::numbers::pi;
    for (int k = 0; k < cluster.members; ++k) {
        // The projected Plummer profile holds u of its members within
        // core * sqrt(u / (1 - u)); the far tail is cut.
        const double u = 0.85 * rng.uniform();
        const double radius = cluster.coreDeg * std::sqrt(u / (1.0 - u)) / Radian;
        const double angle = 2.0 * std::numbers::pi * rng.uniform();
        // Members grow more numerous towards the faint end, and redder: the
        // cluster's main sequence runs from F stars to K dwarfs.
        const double t = std::sqrt(rng.uniform());
        const double magnitude =
            CatalogueLimit + 0.1 + t * (cluster.faintestMember - CatalogueLimit);
        const double bv =
            std::clamp(0.25 + 0.13 * (magnitude - 5.0), 0.35, 1.3) + 0.06 * (rng.uniform() - 0.5);
        const SkyVector d =
            (centre + east * (radius * std::cos(angle)) + north * (radius * std::sin(angle)))
                .normalised();
        const auto p = m_projection.project(d);
        if (!p)
            continue;
        core::StarImage star = starImage(magnitude, m_field);
        star.x = float(p->x());
        star.y = float(p->y());
        star.colour = mix(core::Light::fromColourIndex(float(bv)), White, 0.2f);
        canvas.addStar(star);
    }
}

void FieldPicture::addCatalogueStars(core::FloatCanvas &canvas) const
{
    struct Placed
    {
        const CatalogueStar *star;
        QPointF at;
    };
    std::vector<Placed> placed;
    const QRectF frame(QPointF(0, 0), QSizeF(m_projection.size()));
    for (const CatalogueStar &star : m_catalogue.stars()) {
        if (const auto p = m_projection.project(star.direction))
            placed.push_back({&star, *p});
    }
    // Spikes go to the brightest few stars inside the frame only.
    std::vector<const CatalogueStar *> brightest;
    for (const Placed &p : placed) {
        if (frame.contains(p.at))
            brightest.push_back(p.star);
    }
    const size_t spiked = std::min(brightest.size(), size_t(m_field.spikedStars));
    std::partial_sort(brightest.begin(), brightest.begin() + spiked, brightest.end(),
                      [](const CatalogueStar *a, const CatalogueStar *b) {
                          return a->magnitude < b->magnitude ||
                                 (a->magnitude == b->magnitude && a->hr < b->hr);
                      });
    brightest.resize(spiked);

    for (const Placed &p : placed) {
        core::StarImage star = starImage(p.star->magnitude, m_field);
        star.x = float(p.at.x());
        star.y = float(p.at.y());
        star.colour = catalogueColour(*p.star);
        if (std::find(brightest.begin(), brightest.end(), p.star) != brightest.end()) {
            star.spikes = float(m_field.response.spikes);
            star.spikeLength =
                float(std::clamp(30.0 + 8.0 * (2.5 - p.star->magnitude), 24.0, 55.0));
            star.spikeAngle = 0.0f;
        }
        canvas.addStar(star);
    }
}

} // namespace sky
