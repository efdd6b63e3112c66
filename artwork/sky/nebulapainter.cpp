// SPDX-License-Identifier: MIT
#include "artwork/sky/nebulapainter.h"

#include "artwork/core/noise.h"
#include "artwork/core/shaping.h"
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

using core::Light;
using core::shaping::smoothstep;
using core::shaping::square;
namespace noise = core::noise;

constexpr double Degree = std::numbers::pi / 180.0;

const SkyVector OrionNebula = SkyVector::fromRaDec(5.5879, -5.3897); // at the Trapezium
const SkyVector DeMairansNebula = SkyVector::fromRaDec(5.5932, -5.2706);
const SkyVector RunningMan = SkyVector::fromRaDec(5.5900, -4.8300);
const SkyVector Alnitak = SkyVector::fromRaDec(5.6793, -1.9426);
const SkyVector FlameNebula = SkyVector::fromRaDec(5.6972, -1.8500);
const SkyVector ReflectionNearHorsehead = SkyVector::fromRaDec(5.6806, -2.2667);
const SkyVector BarnardsLoopCentre = SkyVector::fromRaDec(5.36, -3.2);
const SkyVector MeissaRingCentre = SkyVector::fromRaDec(5.58, 9.6);
const SkyVector PleiadesCentre = SkyVector::fromRaDec(3.7850, 24.1200);

// The bright Pleiades, by HR number; their light is weighed by magnitude.
constexpr std::array<int, 9> PleiadesMembers = {1165, 1156, 1149, 1142, 1145,
                                                1178, 1180, 1140, 1151};
constexpr int Merope = 1156;

// Close up, the cluster's nebula resolves into dust lit by its stars; wider
// fields keep the soft glow below, since none of this detail would show.
constexpr double ResolvedPixelsPerDegree = 200.0;

// The members whose dust shows most, by HR number.
constexpr int Maia = 1149;
constexpr int Electra = 1142;
constexpr int Alcyone = 1165;

struct Lamp
{
    SkyVector direction;
    double luminosity;
};

struct EastNorth
{
    double east;
    double north;
};

EastNorth towards(const SkyVector &from, const SkyVector &to)
{
    const SkyVector east = SkyVector{0.0, 0.0, 1.0}.cross(from).normalised();
    const SkyVector north = from.cross(east);
    const SkyVector d = to - from;
    return {d.dot(east) / Degree, d.dot(north) / Degree};
}

// Starlight reaching a direction from every lamp, falling off as 1/d^2;
// coreDeg keeps it finite at each star.
double illuminationAt(const std::vector<Lamp> &lamps, const SkyVector &d, double coreDeg)
{
    double illumination = 0.0;
    for (const Lamp &l : lamps) {
        const double r = d.degreesTo(l.direction);
        illumination += l.luminosity / (r * r + coreDeg * coreDeg);
    }
    return illumination;
}

// The smooth part of the nebula at one point, cheap enough to sample on a grid.
struct DustSample
{
    float east = 0, north = 0; // degrees from the cluster's centre
    float light = 0;           // starlight reaching the dust, compressed
    float cloud = 0;           // column of dust, patchy and gapped
    float streaks = 0;         // how strongly the dust is striated here
    float angle = 0;           // the striations' local direction
};

void paintResolvedPleiades(core::FloatCanvas &canvas, const SkyProjection &projection,
                           const StarCatalogue &catalogue, const std::vector<Lamp> &lamps)
{
    const CatalogueStar *merope = catalogue.star(Merope);
    const CatalogueStar *maia = catalogue.star(Maia);
    const CatalogueStar *electra = catalogue.star(Electra);
    const CatalogueStar *alcyone = catalogue.star(Alcyone);
    if (!merope || !maia || !electra || !alcyone)
        return;
    const EastNorth me = towards(PleiadesCentre, merope->direction);
    const EastNorth ma = towards(PleiadesCentre, maia->direction);
    const EastNorth el = towards(PleiadesCentre, electra->direction);
    const EastNorth al = towards(PleiadesCentre, alcyone->direction);

    const std::uint32_t seed = 0x7e1ade55u;
    constexpr double CoreDeg = 0.045;   // keeps the light finite at each star
    constexpr double Brightest = 150.0; // light beyond this saturates the dust's glow
    const auto sample = [&](QPointF p) {
        const SkyVector d = projection.direction(p);
        const double illumination = illuminationAt(lamps, d, CoreDeg);
        const EastNorth c = towards(PleiadesCentre, d);
        const float e = float(c.east), n = float(c.north);
        // Two scales of warp, so no blob keeps a round outline.
        const noise::Offset w1 = noise::warp(e * 1.6f, n * 1.6f, seed + 1, 3);
        const noise::Offset w2 = noise::warp(e * 7.0f, n * 7.0f, seed + 2, 3);
        const float we = e + 0.1f * w1.x + 0.015f * w2.x;
        const float wn = n + 0.1f * w1.y + 0.015f * w2.y;
        const auto blob = [&](const EastNorth &at, float de, float dn, float re, float rn) {
            return std::exp(-square((we - float(at.east) - de) / re) -
                            square((wn - float(at.north) - dn) / rn));
        };
        // The Merope Nebula: a fan of dense dust opening to the south of its star.
        const float fe = we - float(me.east), fn = wn - float(me.north);
        const float rm = std::hypot(fe, fn);
        const float pa = std::atan2(fe, -fn); // 0 due south, positive to the east
        const float fan = std::exp(-square((pa + 0.3f) / 0.9f)) * std::exp(-rm / 0.15f) *
                          smoothstep(0.0f, 0.02f, rm);
        const float envelope =
            4.5f * fan + 1.8f * blob(me, 0.01f, -0.03f, 0.1f, 0.09f) +
            0.9f * blob(ma, -0.04f, -0.03f, 0.2f, 0.15f) +
            0.75f * blob(el, -0.05f, 0.02f, 0.24f, 0.2f) +
            0.3f * blob(el, -0.3f, 0.1f, 0.35f, 0.45f) +
            0.6f * blob(al, 0.05f, -0.1f, 0.24f, 0.18f) +
            0.3f * std::exp(-square(std::hypot(we + 0.1f, (wn + 0.05f) * 1.25f) / 0.6f)) +
            0.2f * std::exp(-square(std::hypot(we + 0.25f, wn + 0.1f) / 1.0f));
        // Patches of thicker dust and dark gaps between them.
        const float patch = noise::fbm(we * 6.5f, wn * 6.5f, seed + 3, 5);
        const float gaps = smoothstep(-0.7f, 0.3f, patch);
        DustSample s;
        s.east = e;
        s.north = n;
        s.light = float(illumination / (1.0 + illumination / Brightest));
        s.cloud = envelope * (0.35f + 0.85f * gaps * gaps);
        // Striated in patches, and always in the thick dust about Merope, Maia and Electra.
        const float near = std::max({blob(me, 0.0f, -0.06f, 0.2f, 0.22f),
                                     blob(ma, -0.03f, -0.02f, 0.18f, 0.16f),
                                     blob(el, -0.04f, 0.0f, 0.2f, 0.18f)});
        s.streaks = std::max(smoothstep(-0.05f, 0.5f, noise::fbm(e * 3.2f, n * 3.2f, seed + 4, 3)),
                             0.9f * near);
        s.angle = 0.62f + 0.3f * noise::fbm(e * 1.8f, n * 1.8f, seed + 5, 2);
        return s;
    };

    // The smooth part every Step pixels, bilinear between; the fine dust at every pixel.
    constexpr int Step = 4;
    const int gw = canvas.width() / Step + 2;
    const int gh = canvas.height() / Step + 2;
    std::vector<DustSample> grid(size_t(gw) * gh);
    for (int j = 0; j < gh; ++j) {
        for (int i = 0; i < gw; ++i)
            grid[size_t(j) * gw + i] = sample(QPointF(double(Step) * i, double(Step) * j));
    }
    const Light blue{0.46f, 0.62f, 1.0f};
    const Light deep{0.3f, 0.45f, 1.0f};
    constexpr float Scale = 0.0018f;
    for (int y = 0; y < canvas.height(); ++y) {
        const float v = (float(y) + 0.5f) / float(Step);
        const int j = std::min(int(v), gh - 2);
        const float fv = v - float(j);
        for (int x = 0; x < canvas.width(); ++x) {
            const float u = (float(x) + 0.5f) / float(Step);
            const int i = std::min(int(u), gw - 2);
            const float fu = u - float(i);
            const DustSample *g0 = &grid[size_t(j) * gw + i];
            const DustSample *g1 = g0 + gw;
            const auto at = [&](float DustSample::*f) {
                const float top = g0[0].*f + (g0[1].*f - g0[0].*f) * fu;
                const float bottom = g1[0].*f + (g1[1].*f - g1[0].*f) * fu;
                return top + (bottom - top) * fv;
            };
            const float cloud = at(&DustSample::cloud);
            const float light = at(&DustSample::light);
            if (cloud * light * Scale < 2e-5f)
                continue;
            const float e = at(&DustSample::east), n = at(&DustSample::north);
            const float a = at(&DustSample::angle);
            const float ca = std::cos(a), sa = std::sin(a);
            const float along = e * ca + n * sa;
            const float across = -e * sa + n * ca;
            // Striations: fine crests a few px apart, broken into lengths that vary.
            // Thin crests mixed with broader, softer bands, so no two look alike.
            const float bands =
                smoothstep(-0.2f, 0.6f, noise::fbm(along * 4.0f, across * 40.0f, seed + 9, 3));
            const float crests =
                0.6f * noise::ridged(along * 3.0f, across * 90.0f, seed + 6, 3) + 0.45f * bands;
            const float broken =
                smoothstep(-0.15f, 0.35f, noise::fbm(along * 12.0f, across * 40.0f, seed + 7, 2));
            const float mottle = noise::fbm(e * 45.0f, n * 45.0f, seed + 8, 4);
            // Fibres show where the dust is bright; the faint outskirts stay a smooth haze.
            const float level = cloud * light * Scale;
            const float fibrous = at(&DustSample::streaks) * smoothstep(0.1f, 0.55f, cloud) *
                                  smoothstep(0.01f, 0.05f, level);
            // Dark lanes between the crests, so the fibres stand out against the glow.
            const float haze = (0.75f + 0.3f * mottle * (1.0f - 0.6f * fibrous)) *
                               (1.0f - 0.25f * fibrous);
            // Fine fibres a few px wide, cut short and of uneven strength, over the softer bands.
            const float fibre = noise::ridged(along * 4.0f, across * 75.0f, seed + 10, 3) *
                                smoothstep(-0.1f, 0.4f, noise::fbm(along * 26.0f, across * 22.0f,
                                                                   seed + 11, 2));
            const float dust =
                cloud * std::max(0.0f, haze + fibrous * (0.45f * crests * broken + 0.45f * fibre));
            const float deepShare = std::clamp(0.5f - 0.3f * cloud, 0.0f, 0.5f);
            canvas.add(x, y, mix(blue, deep, deepShare) * (Scale * light * dust));
        }
    }
}

} // namespace

NebulaPainter::NebulaPainter(const SkyProjection &projection, const StarCatalogue &catalogue)
    : m_projection(projection), m_catalogue(catalogue)
{}

void NebulaPainter::paint(core::FloatCanvas &canvas) const
{
    paintPleiades(canvas);
    paintOrion(canvas);
}

void NebulaPainter::paintAround(core::FloatCanvas &canvas, const SkyVector &centre,
                                double radiusDeg, int step, const Glow &glow) const
{
    const double cornerDeg = m_projection.direction(QPointF(0, 0)).degreesTo(m_projection.centre());
    if (centre.degreesTo(m_projection.centre()) > cornerDeg + radiusDeg)
        return;
    QRect box(0, 0, canvas.width(), canvas.height());
    if (const auto at = m_projection.project(centre); at && radiusDeg < 60.0) {
        // The tangent plane stretches radially by 1 / cos^2 away from its centre.
        const double cosine = centre.dot(m_projection.centre());
        const double radius = radiusDeg * m_projection.pixelsPerDegree() / (cosine * cosine);
        box = QRect(QPoint(int(std::floor(at->x() - radius)), int(std::floor(at->y() - radius))),
                    QPoint(int(std::ceil(at->x() + radius)), int(std::ceil(at->y() + radius))))
                  .intersected(box);
    }
    if (box.isEmpty())
        return;

    // Samples at every step-th pixel corner of the box, then bilinear fill.
    const int gw = box.width() / step + 2;
    const int gh = box.height() / step + 2;
    std::vector<Light> grid(size_t(gw) * gh);
    for (int j = 0; j < gh; ++j) {
        for (int i = 0; i < gw; ++i) {
            const QPointF p(box.left() + double(step) * i, box.top() + double(step) * j);
            // Tapered to nothing at the radius, so no glow shows the box.
            const SkyVector d = m_projection.direction(p);
            const double t =
                radiusDeg < 60.0
                    ? std::max(0.0, 1.0 - std::pow(d.degreesTo(centre) / radiusDeg, 2.0))
                    : 1.0;
            grid[size_t(j) * gw + i] = glow(d) * float(t * t);
        }
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const float v = (float(y - box.top()) + 0.5f) / float(step);
        const int j = std::min(int(v), gh - 2);
        const float fv = v - float(j);
        for (int x = box.left(); x <= box.right(); ++x) {
            const float u = (float(x - box.left()) + 0.5f) / float(step);
            const int i = std::min(int(u), gw - 2);
            const float fu = u - float(i);
            const Light *g0 = &grid[size_t(j) * gw + i];
            const Light *g1 = g0 + gw;
            canvas.add(x, y, mix(mix(g0[0], g0[1], fu), mix(g1[0], g1[1], fu), fv));
        }
    }
}

void NebulaPainter::paintPleiades(core::FloatCanvas &canvas) const
{
    std::vector<Lamp> lamps;
    for (int hr : PleiadesMembers) {
        if (const CatalogueStar *s = m_catalogue.star(hr))
            lamps.push_back({s->direction, std::pow(10.0, -0.4 * (s->magnitude - 2.87))});
    }
    const CatalogueStar *merope = m_catalogue.star(Merope);
    if (lamps.empty() || !merope)
        return;
    if (m_projection.pixelsPerDegree() >= ResolvedPixelsPerDegree) {
        paintResolvedPleiades(canvas, m_projection, m_catalogue, lamps);
        return;
    }

    const std::uint32_t seed = 0x91e1ade5u;
    const Light blue{0.56f, 0.68f, 1.0f};
    const Light deep{0.40f, 0.54f, 1.0f};
    const double streakAngle = 32.0 * Degree;
    constexpr double CoreDeg = 0.035; // keeps the light finite at each star
    const auto glow = [&](const SkyVector &d) {
        // Light reaching this cloud from every bright member falls off as 1/d^2.
        const double illumination = illuminationAt(lamps, d, CoreDeg);

        const EastNorth c = towards(PleiadesCentre, d);
        const float e = float(c.east), n = float(c.north);
        const noise::Offset w = noise::warp(e * 3.0f, n * 3.0f, seed + 1, 4);
        const float we = e + 0.05f * w.x, wn = n + 0.05f * w.y;
        const float along = float(we * std::cos(streakAngle) + wn * std::sin(streakAngle));
        const float across = float(-we * std::sin(streakAngle) + wn * std::cos(streakAngle));
        // Striations: fine, wavy ridges whose strength wanders over the cloud.
        const float ridges = noise::ridged(along * 7.0f, across * 30.0f, seed + 2, 6);
        // Striations show in patches, strongest about Merope and Electra.
        const float striation =
            smoothstep(0.0f, 0.5f, noise::fbm(e * 2.5f, n * 2.5f, seed + 3, 3) + 0.15f);
        const float mottle = noise::fbm(e * 9.0f, n * 9.0f, seed + 4, 7);
        const double rc = std::hypot(c.east + 0.05, c.north + 0.08);
        double dust =
            std::exp(-(rc / 0.65) * (rc / 0.65)) *
            std::clamp(0.6 + 0.75 * mottle + 0.35 * striation * (ridges - 0.3), 0.05, 2.5);

        // The Merope Nebula: a fan of denser dust opening to the south of its star.
        const EastNorth m = towards(merope->direction, d);
        const double rm = std::hypot(m.east, m.north);
        const double pa = std::atan2(m.east, -m.north); // 0 due south, positive to the east
        const double fan = std::exp(-0.5 * (pa + 0.25) * (pa + 0.25) / (0.55 * 0.55)) *
                           std::exp(-rm / 0.16) * smoothstep(0.0f, 0.03f, float(rm));
        const float rays = noise::ridged(float(pa * 9.0), float(rm * 14.0), seed + 5, 4);
        dust += 2.4 * fan * (0.75 + 0.35 * rays) * (0.8 + 0.4 * mottle);

        const float deepShare = std::clamp(float(dust) * 0.25f, 0.0f, 0.5f);
        return mix(blue, deep, deepShare) * float(0.0017 * illumination * dust);
    };
    paintAround(canvas, PleiadesCentre, 1.8, 1, glow);
}

void NebulaPainter::paintOrion(core::FloatCanvas &canvas) const
{
    const std::uint32_t seed = 0x042042u;
    const Light heartColour{1.0f, 0.9f, 0.88f};
    const Light pink{1.0f, 0.36f, 0.5f};
    const Light red{1.0f, 0.22f, 0.26f};
    const Light blue{0.5f, 0.62f, 1.0f};
    const auto nebula = [&](const SkyVector &d) {
        const EastNorth o = towards(OrionNebula, d);
        const float e = float(o.east), n = float(o.north);
        // Every outline is bent at two scales, so no edge is a clean curve.
        const noise::Offset w = noise::warp(e * 6.0f, n * 6.0f, seed + 2, 4);
        const noise::Offset fine = noise::warp(e * 25.0f, n * 25.0f, seed + 6, 3);
        const float we = e + 0.035f * w.x + 0.008f * fine.x;
        const float wn = n + 0.035f * w.y + 0.008f * fine.y;
        const float r = std::hypot(we, wn);
        const float pa = std::atan2(we, wn); // 0 north, positive to the east
        const float texture = noise::fbm(e * 12.0f, n * 12.0f, seed, 6);
        const float strands = noise::ridged(we * 18.0f, wn * 18.0f, seed + 1, 5);

        // The bright heart about the Trapezium, spilling to the south-west.
        const double heart =
            std::exp(-square((we + 0.012f) / 0.05f) - square((wn + 0.02f) / 0.065f));
        // The Huygens region: lopsided, brighter to the south and west.
        const double inner =
            std::exp(-std::hypot((we + 0.02f) / 0.9f, (wn + 0.04f) / 1.1f) / 0.085f);
        // Two wings sweep out from the heart: the eastern one curls from
        // east to south-south-east, the western one, broader and fainter,
        // from west to south-west. Angles are distances on the circle.
        const auto wing = [&](float start, float turn, float length, float width) {
            const float along = std::min(r / length, 1.4f);
            const float centre = start + turn * along;
            const float da = std::remainder(pa - centre, 2.0f * core::shaping::Pi);
            const float spread = width * (0.6f + along);
            return std::exp(-square(da / spread)) * std::exp(-r / (0.4f * length)) *
                   smoothstep(0.0f, 0.05f, r);
        };
        const double wings =
            (1.0 * wing(1.4f, 0.95f, 0.8f, 0.26f) + 0.65 * wing(-1.35f, -0.4f, 0.6f, 0.42f) +
             0.3 * wing(3.0f, 0.2f, 0.5f, 0.6f)) *
            std::clamp(0.55 + 0.6 * texture + 0.45 * strands, 0.1, 2.0);
        // The dark bay cuts in from the north-east towards the heart.
        const float bay =
            std::exp(-square(std::remainder(pa - 0.75f, 2.0f * core::shaping::Pi) / 0.4f)) *
            smoothstep(0.012f, 0.035f, r) * std::exp(-r / 0.2f);
        const double clear = 1.0 - 0.85 * bay;
        // M43, a small comma to the north beyond the bay.
        const EastNorth m = towards(DeMairansNebula, d);
        const double m43 = std::exp(-square((float(m.east) + 0.01f) / 0.03f) -
                                    square((float(m.north) + 0.008f) / 0.024f)) *
                           (0.8 + 0.4 * texture);
        // Faint outer loops, open to the south.
        const float loops = noise::ridged(we * 7.0f, wn * 5.0f, seed + 5, 4);
        const double outer = std::exp(-r / 0.3f) *
                             smoothstep(0.6f, -0.4f, wn / std::max(r, 1e-3f)) * square(loops) *
                             smoothstep(0.08f, 0.2f, r);
        const double halo = std::exp(-square(r / 0.55f)) * (0.7 + 0.5 * texture);
        const double rman = d.degreesTo(RunningMan);
        const double man = 0.1 * std::exp(-square(float(rman) / 0.14f)) * (0.8 + 0.4 * texture);
        return heartColour * float(2.2 * heart * clear) +
               mix(pink, heartColour, 0.5f) * float(0.9 * inner * clear) +
               pink * float((1.1 * wings + 0.6 * m43) * clear) +
               red * float(0.25 * outer + 0.06 * halo) + blue * float(0.5 * man);
    };
    paintAround(canvas, OrionNebula, 2.0, 1, nebula);

    // Faint hydrogen around Orion: Barnard's Loop to the east, the ring about
    // Meissa, and the glow south of Alnitak where the Horsehead lies.
    const auto hydrogen = [&](const SkyVector &d) {
        const float w =
            noise::fbm(float(d.x * 40.0), float(d.y * 40.0), float(d.z * 40.0), seed + 2, 6);
        const float strands =
            noise::ridged(float(d.x * 90.0), float(d.y * 90.0), float(d.z * 90.0), seed + 3, 5);
        const EastNorth b = towards(BarnardsLoopCentre, d);
        const double rb = std::hypot(b.east, b.north) + 0.7 * w;
        const double pa = std::atan2(b.east, b.north); // 0 north, positive to the east
        // An open arc on the east side, brightest and sharpest in the east.
        const float patchy =
            std::clamp(0.45f + 1.1f * noise::fbm(float(d.x * 12.0), float(d.y * 12.0),
                                                 float(d.z * 12.0), seed + 4, 4),
                       0.0f, 1.4f);
        const double arc = std::exp(-0.5 * std::pow((rb - 9.0) / 0.45, 2.0)) *
                           smoothstep(0.1f, 0.9f, float(pa)) * smoothstep(3.6f, 2.7f, float(pa)) *
                           (0.4 + 0.9 * strands) * patchy;
        const EastNorth m = towards(MeissaRingCentre, d);
        const double rm = std::hypot(m.east, m.north) + 0.4 * w;
        const double ring = std::exp(-0.5 * std::pow((rm - 4.1) / 0.9, 2.0)) *
                            std::clamp(0.5 + 0.8 * double(w), 0.0, 1.5);
        const EastNorth a = towards(Alnitak, d);
        const double south =
            std::exp(-0.5 * (a.east * a.east / 0.35 + std::pow(a.north + 0.7, 2.0) / 0.8));
        // Beside Alnitak: the Flame's warm glow and a bluish reflection
        // nebula to the south, by the Horsehead.
        const double flame = std::exp(-square(float(d.degreesTo(FlameNebula)) / 0.12f));
        const double reflection =
            std::exp(-square(float(d.degreesTo(ReflectionNearHorsehead)) / 0.14f));
        return red * float(0.009 * arc + 0.005 * ring + 0.006 * south * (0.7 + 0.5 * strands)) +
               Light{1.0f, 0.62f, 0.36f} * float(0.01 * flame * (0.6 + 0.8 * strands)) +
               blue * float(0.008 * reflection * (0.8 + 0.4 * double(w)));
    };
    paintAround(canvas, BarnardsLoopCentre, 16.0, 2, hydrogen);
}

} // namespace sky
