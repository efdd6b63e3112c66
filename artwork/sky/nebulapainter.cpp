// SPDX-License-Identifier: MIT
#include "artwork/sky/nebulapainter.h"

#include "artwork/sky/galacticframe.h"
#include "artwork/sky/gradientnoise.h"
#include "artwork/sky/skycanvas.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/skyprojection.h"
#include "artwork/sky/starcatalogue.h"

#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace sky {

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

const SkyVector OrionNebula = SkyVector::fromRaDec(5.5879, -5.3897); // at the Trapezium
const SkyVector DeMairansNebula = SkyVector::fromRaDec(5.5932, -5.2706);
const SkyVector RunningMan = SkyVector::fromRaDec(5.5900, -4.8300);
const SkyVector PleiadesCentre = SkyVector::fromRaDec(3.7850, 24.1200);

// The bright Pleiades and how strongly each lights the dust around it.
struct Member
{
    int hr;
    double weight;
};
constexpr std::array<Member, 9> PleiadesMembers = {{
    {1165, 1.00}, // Alcyone
    {1156, 0.85}, // Merope
    {1149, 0.75}, // Maia
    {1142, 0.70}, // Electra
    {1145, 0.45}, // Taygeta
    {1178, 0.55}, // Atlas
    {1180, 0.20}, // Pleione
    {1140, 0.25}, // Celaeno
    {1151, 0.20}, // Asterope
}};
constexpr int Merope = 1156;
constexpr int Maia = 1149;

} // namespace

NebulaPainter::NebulaPainter(const SkyField &field, const SkyProjection &projection,
                             const StarCatalogue &catalogue)
    : m_field(field), m_projection(projection), m_catalogue(catalogue)
{}

void NebulaPainter::paint(SkyCanvas &canvas) const
{
    if (m_field.milkyWay > 0.0)
        paintMilkyWay(canvas);
    paintPleiades(canvas);
    paintOrionNebula(canvas);
}

NebulaPainter::Offset NebulaPainter::offset(const SkyVector &from, const SkyVector &to)
{
    const SkyVector east = SkyVector{0.0, 0.0, 1.0}.cross(from).normalised();
    const SkyVector north = from.cross(east);
    const SkyVector d = to - from;
    return {d.dot(east) / Degree, d.dot(north) / Degree};
}

void NebulaPainter::paintAround(SkyCanvas &canvas, const SkyVector &centre, double radiusDeg,
                                const Glow &glow) const
{
    const double cornerDeg = m_projection.direction(QPointF(0, 0)).degreesTo(m_projection.centre());
    if (centre.degreesTo(m_projection.centre()) > cornerDeg + radiusDeg)
        return;
    const auto at = m_projection.project(centre);
    if (!at)
        return;
    // The tangent plane stretches radially by 1 / cos^2 away from its centre.
    const double cosine = centre.dot(m_projection.centre());
    const double radius = radiusDeg * m_projection.pixelsPerDegree() / (cosine * cosine);
    const QRect box =
        QRect(QPoint(int(std::floor(at->x() - radius)), int(std::floor(at->y() - radius))),
              QPoint(int(std::ceil(at->x() + radius)), int(std::ceil(at->y() + radius))))
            .intersected(QRect(0, 0, canvas.width(), canvas.height()));
    if (box.isEmpty())
        return;

    // Samples at every second pixel corner of the box, then bilinear fill.
    const int gw = box.width() / 2 + 2;
    const int gh = box.height() / 2 + 2;
    std::vector<SkyColour> grid(size_t(gw) * gh);
    for (int j = 0; j < gh; ++j) {
        for (int i = 0; i < gw; ++i) {
            const QPointF p(box.left() + 2.0 * i, box.top() + 2.0 * j);
            grid[size_t(j) * gw + i] = glow(m_projection.direction(p));
        }
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double v = (y + 0.5 - box.top()) / 2.0;
        const int j = int(v);
        const double fv = v - j;
        for (int x = box.left(); x <= box.right(); ++x) {
            const double u = (x + 0.5 - box.left()) / 2.0;
            const int i = int(u);
            const double fu = u - i;
            const SkyColour *g0 = &grid[size_t(j) * gw + i];
            const SkyColour *g1 = g0 + gw;
            const SkyColour c = (g0[0] * (1.0 - fu) + g0[1] * fu) * (1.0 - fv) +
                                (g1[0] * (1.0 - fu) + g1[1] * fu) * fv;
            if (c.r > 0.0f || c.g > 0.0f || c.b > 0.0f)
                canvas.add(x, y, c);
        }
    }
}

void NebulaPainter::paintMilkyWay(SkyCanvas &canvas) const
{
    const GradientNoise clouds(m_field.seed ^ 0x1111);
    const GradientNoise rifts(m_field.seed ^ 0x2222);
    const GradientNoise tint(m_field.seed ^ 0x3333);
    const double strength = 0.18 * m_field.milkyWay;
    const SkyColour warm{1.0f, 0.90f, 0.78f};
    const SkyColour cool{0.80f, 0.87f, 1.0f};
    const auto glow = [&](const SkyVector &d) {
        const double gx = d.dot(galactic::Centre);
        const double gy = d.dot(galactic::Y);
        const double gz = d.dot(galactic::Pole);
        const double b = galactic::latitudeDeg(d);
        // Star clouds are drawn out along the plane: the noise runs faster
        // across it than along it.
        constexpr double f = 12.0;
        const double cloud = clouds.fbm(gx * f, gy * f, gz * f * 2.0, 6);
        const double band =
            std::exp(-(b / 6.5) * (b / 6.5)) + 0.2 * std::exp(-(b / 16.0) * (b / 16.0));
        // Unresolved stars give the clouds a fine grain.
        const double grain = clouds.noise(gx * 700.0, gy * 700.0, gz * 700.0);
        double light = band * std::clamp(0.7 + 0.6 * cloud + 0.12 * grain, 0.05, 2.0);
        // Dust lanes: broad, soft-edged, drawn out along the plane.
        const double dust = rifts.fbm(gx * f * 0.5 + 3.1, gy * f * 0.5, gz * f * 1.4, 4);
        light *= 1.0 - 0.55 * smoothstep(0.05, 0.55, dust) * std::exp(-(b / 12.0) * (b / 12.0));
        const double t =
            std::clamp(0.5 + 0.8 * tint.fbm(gx * 4.0, gy * 4.0, gz * 4.0, 3), 0.0, 1.0);
        return (warm * (1.0 - t) + cool * t) * (strength * light);
    };
    paintAround(canvas, m_projection.centre(), 90.0, glow);
}

void NebulaPainter::paintPleiades(SkyCanvas &canvas) const
{
    struct Lit
    {
        SkyVector direction;
        double weight;
    };
    std::vector<Lit> lit;
    for (const Member &m : PleiadesMembers) {
        if (const CatalogueStar *s = m_catalogue.star(m.hr))
            lit.push_back({s->direction, m.weight});
    }
    const CatalogueStar *merope = m_catalogue.star(Merope);
    const CatalogueStar *maia = m_catalogue.star(Maia);
    if (lit.empty() || !merope || !maia)
        return;

    const GradientNoise wisps(0x91e1ade5ULL);
    const GradientNoise warp(0x77a2f1ULL);
    const GradientNoise mottle(0x3e0be5ULL);
    const SkyColour blue{0.34f, 0.54f, 1.0f};
    const double streakAngle = 30.0 * Degree;
    const auto glow = [&](const SkyVector &d) {
        double light = 0.0;
        for (const Lit &s : lit) {
            const double r = d.degreesTo(s.direction);
            light += s.weight * std::exp(-std::sqrt(r * r + 0.01 * 0.01) / 0.085);
        }
        // The Merope Nebula fans out to the south of its star; Maia's is smaller.
        const Offset m = offset(merope->direction, d);
        const double fe = m.east / 0.10;
        const double fn = (m.north + 0.09) / 0.13;
        light += 0.8 * std::exp(-0.5 * (fe * fe + fn * fn));
        const double rm = d.degreesTo(maia->direction);
        light += 0.3 * std::exp(-0.5 * (rm / 0.07) * (rm / 0.07));

        // Fine, gently wavy filaments run through the whole cloud.
        const Offset c = offset(PleiadesCentre, d);
        double along = c.east * std::cos(streakAngle) + c.north * std::sin(streakAngle);
        double across = -c.east * std::sin(streakAngle) + c.north * std::cos(streakAngle);
        across += 0.04 * warp.fbm(along * 3.0, across * 3.0, 0.3, 3);
        const double ridge = 1.0 - std::abs(wisps.fbm(along * 6.0, across * 28.0, 0.5, 4));
        const double filament = ridge * ridge * ridge;
        const double texture = 0.75 + 0.4 * mottle.fbm(c.east * 10.0, c.north * 10.0, 3.3, 4);
        const double rc = std::hypot(c.east, c.north);
        const double envelope = std::exp(-(rc / 0.55) * (rc / 0.55));
        const double density = light * (0.75 + 0.45 * filament) * texture +
                               envelope * (0.10 + 0.35 * filament) * texture;
        return blue * (0.32 * density);
    };
    paintAround(canvas, PleiadesCentre, 1.6, glow);
}

void NebulaPainter::paintOrionNebula(SkyCanvas &canvas) const
{
    const GradientNoise texture(0x042042ULL);
    const SkyColour core{1.0f, 0.88f, 0.88f};
    const SkyColour pink{1.0f, 0.42f, 0.58f};
    const SkyColour faint{0.80f, 0.35f, 0.50f};
    const SkyColour blue{0.45f, 0.60f, 1.0f};
    const auto glow = [&](const SkyVector &d) {
        const Offset o = offset(OrionNebula, d);
        const double r = std::hypot(o.east, o.north);
        const double angle = std::atan2(o.north, o.east);
        const double n = texture.fbm(o.east * 20.0, o.north * 20.0, 1.7, 5);
        // Two wings spread from the bright heart, with a dark bay to the north-east.
        double wings = 1.1 * std::exp(-r / 0.26) * (0.75 + 0.35 * std::cos(2.0 * (angle - 0.5))) *
                       (0.65 + 0.45 * n);
        const double be = (o.east - 0.08) / 0.06;
        const double bn = (o.north - 0.12) / 0.06;
        wings *= 1.0 - 0.6 * std::exp(-(be * be + bn * bn));
        const double heart = 1.2 * std::exp(-(r / 0.08) * (r / 0.08));
        const double r43 = d.degreesTo(DeMairansNebula);
        const double m43 = 0.35 * std::exp(-(r43 / 0.04) * (r43 / 0.04));
        const double halo = 0.14 * std::exp(-(r / 0.6) * (r / 0.6)) * (0.6 + 0.5 * n);
        const double rman = d.degreesTo(RunningMan);
        const double man = 0.12 * std::exp(-(rman / 0.15) * (rman / 0.15));
        return core * heart + pink * (wings + m43) + faint * halo + blue * man;
    };
    paintAround(canvas, OrionNebula, 1.5, glow);
}

} // namespace sky
