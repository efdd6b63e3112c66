// SPDX-License-Identifier: MIT
// Round and elliptical planetary nebulae: nested shells, rings and bubbles
// around a hot central star.

#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/painted/centralstar.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"
#include "artwork/painted/shellparts.h"

#include <algorithm>
#include <cmath>

namespace painted {

namespace {

namespace cn = core::noise;
namespace cp = core::palette;
using core::Light;
using core::shaping::clamp01;
using core::shaping::smoothstep;
using shellparts::Orientation;
using shellparts::Vec3;

constexpr float Tau = 6.2831853f;

// exp(-t2), cut to zero where it no longer adds light: far from a thin wall
// the full exp would underflow at a high price on every sample.
inline float gauss(float t2)
{
    return t2 < 60.0f ? std::exp(-t2) : 0.0f;
}

inline float wall(float x, float width)
{
    return gauss((x / width) * (x / width));
}

// Knots in a clumpy stretch of gas, in cell units: only some cells hold one,
// each stretched, bent and turned its own way, of its own size and
// brightness. Many lie close to `flow`, the local grain of the gas, so that
// neighbours run together into short filaments. A knot stays within about
// one cell of its centre, so the 3 x 3 search sees all that reach a point.
float tornKnots(float x, float y, float flow, std::uint64_t seed, float share)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    float sum = 0.0f;
    for (int j = iy - 1; j <= iy + 1; ++j) {
        for (int i = ix - 1; i <= ix + 1; ++i) {
            const std::uint64_t h = core::hashPixel(i, j, seed);
            auto field = [h](int k) { return float((h >> (8 * k)) & 255u) / 255.0f; };
            if (field(0) > share)
                continue;
            const std::uint64_t h2 = core::hash64(h);
            auto more = [h2](int k) { return float((h2 >> (8 * k)) & 255u) / 255.0f; };
            const float px = float(i) + 0.15f + 0.7f * field(1) - x;
            const float py = float(j) + 0.15f + 0.7f * field(2) - y;
            const float turn = more(0) < 0.6f ? 0.5f : 2.8f;
            const float a = flow + (field(3) - 0.5f) * turn;
            const float ca = std::cos(a), sa = std::sin(a);
            const float size = 0.55f + 0.45f * more(1);
            const float len = size * (0.26f + 0.3f * field(4));
            const float wid = size * (0.12f + 0.12f * field(5));
            const float u = ca * px + sa * py;
            const float v = -sa * px + ca * py - (field(6) - 0.5f) * 1.4f * u * u;
            // A faint glow around each knot softens its edge across its length.
            const float along = (u / len) * (u / len), across = (v / wid) * (v / wid);
            const float halo = along + 0.2f * across;
            if (halo < 14.0f)
                sum += (0.6f + 2.4f * field(7) * field(7)) *
                       (gauss(along + across) + 0.3f * std::exp(-halo));
        }
    }
    return sum;
}

// Comet-shaped knots in uneven, overlapping arcs around a ring: heads face
// the star, tails stream outwards. A few are bright and most faint, so the
// knots read as a population rather than a fringe. radiusAt gives the ring's
// inner edge, in the object's plane, for a direction.
struct KnotStyle
{
    int count;
    Light head, tail;
    float brightness, tailShare; // a knot's brightness, and its tail's share of it
    float size;                  // scales heads and tails' widths
    float tailLength = 1.0f;     // scales tails' lengths
    float spread = 0.0f;         // 0: every knot alike in shape; 1: stubby and long ones mixed
    float inner = 0.86f;         // nearest a knot lies to the star, in radiusAt's units
    float reach = 0.42f;         // how far beyond that the knots spread
    float crowd = 1.3f;          // above 1, knots crowd towards the inner edge
    bool foreshorten = false;    // tails shortened as the tilted plane is seen
};

template <typename RadiusAt>
void ringKnots(core::FloatCanvas &canvas, core::Rng &rng, float cx, float cy, const Orientation &o,
               const KnotStyle &style, std::uint32_t seed, RadiusAt radiusAt)
{
    const int count = style.count;
    const float size = style.size, brightness = style.brightness, tailShare = style.tailShare;
    const Light &head = style.head, &tail = style.tail;
    float lastAngle = 0, lastDepth = 0;
    for (int placed = 0, tries = 0; placed < count && tries < count * 8; ++tries) {
        // Many knots sit in small groups beside another.
        const bool grouped = placed > 0 && rng.uniform() < 0.45;
        const float angle =
            grouped ? lastAngle + float(rng.normal()) * 0.025f : float(rng.uniform()) * Tau;
        const float c = std::cos(angle), s = std::sin(angle);
        // Knots gather in arcs at two scales; some stretches of the ring have few.
        const float arcs =
            cn::fbm(c * 1.8f, s * 1.8f, seed, 2) + 0.5f * cn::fbm(c * 6.0f, s * 6.0f, seed + 1, 2);
        const float keep = float(rng.uniform());
        const float depth =
            grouped ? clamp01(lastDepth + float(rng.normal()) * 0.08f) : float(rng.uniform());
        if (keep > smoothstep(-0.4f, 0.5f, arcs))
            continue;
        lastAngle = angle;
        lastDepth = depth;
        const float r =
            radiusAt(angle) * (style.inner + style.reach * std::pow(depth, style.crowd)) +
            float(rng.normal()) * 7.0f;
        const Vec3 p = o.toPicture({r * c, r * s, float(rng.normal()) * 24.0f});
        const float pick = float(rng.uniform());
        shellparts::Comet k;
        k.x = cx + p.x;
        k.y = cy + p.y;
        // Tails point away from the star, give or take the knots' own motion.
        k.angle = std::atan2(p.y, p.x) + float(rng.normal()) * 0.08f;
        k.head = size * (0.55f + 0.9f * pick * pick + float(rng.range(0.0, 0.3)));
        k.tail = style.tailLength * (float(rng.range(5.0, 12.0)) + 16.0f * pick * (0.5f + depth));
        k.width = k.head * float(rng.range(0.55, 0.9));
        if (style.foreshorten) {
            const Vec3 radial = o.toPicture({c, s, 0.0f});
            k.tail *= std::hypot(radial.x, radial.y);
        }
        if (style.spread > 0) {
            // Some knots are bare heads, some drag long tails; heads are
            // not all round.
            const float stretch = float(rng.range(0.0, 1.0));
            k.tail *= 1.0f + style.spread * (2.2f * stretch * stretch * stretch - 0.55f);
            k.width *= 1.0f + style.spread * float(rng.range(-0.25, 0.35));
        }
        const float b = brightness * (0.08f + 1.4f * std::pow(pick, 4.0f)) * (1.25f - 0.6f * depth);
        k.headLight = mix(head, tail, float(rng.range(0.0, 0.7))) * b;
        k.tailLight = tail * (tailShare * float(rng.range(0.6, 1.5)) * b);
        shellparts::addComet(canvas, k);
        ++placed;
    }
}

} // namespace

namespace {

// What the Helix's two portraits share: a thick, clumpy ring tilted to the
// line of sight, an outer loop at another tilt, a glow inside the ring and
// cometary knots on its inner edge. The passband sets the colours.
struct HelixLook
{
    float cx, cy, radius;
    float angle, tilt;          // the ring's orientation
    float loopAngle, loopTilt;  // the outer loop's
    float heavySide;            // direction, in the ring's plane, of its thicker, brighter side
    Light ringOuter, ringInner; // the ring's outer and inner edges
    Light inside, insideEdge;   // the glow within the ring, at its centre and edge
    float ringLight, insideLight, loopLight;
    float insideRise; // 0: the glow is even; 1: it rises towards the ring
    KnotStyle knots;
    KnotStyle fineKnots{}; // a second, fainter population; none when count is 0
    float starLight;
    float texture;               // strength of the fine clumps laid over the volume
    float wobble = 1.0f;         // how far the ring's radius wanders
    float streaks = 1.0f;        // strength of the unresolved radial streaks
    float discTexture = 0.0f;    // filaments and clumps across the glow inside the ring
    float haloDepth = 0.0f;      // the red halo's thickness, in radii; 0: unbounded
    float insideDepth = 0.3464f; // the inner glow's thickness, in radii
    float clumpFloor = 0.12f;    // the ring's light between its clumps
    float outerTexture = 0.0f;   // clumps and filaments across the ring's outer half and beyond
};

void paintHelixRing(Scene &scene, const HelixLook &look)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    const float Cx = look.cx, Cy = look.cy, R = look.radius;
    const Orientation o(look.angle, look.tilt);
    const Orientation outer(look.loopAngle, look.loopTilt);
    const float hc = std::cos(look.heavySide), hs = std::sin(look.heavySide);

    // The ring's radius wanders at three scales, so it is never a circle.
    auto radiusAt = [&](float c, float s) {
        return R * (1.0f + look.wobble * (0.11f * cn::fbm(c * 1.2f, s * 1.2f, seed + 1, 2) +
                                          0.05f * cn::fbm(c * 3.5f, s * 3.5f, seed + 2, 2) +
                                          0.025f * cn::fbm(c * 9.0f, s * 9.0f, seed + 10, 2)));
    };
    // One side of the ring is thicker and brighter than the other.
    auto weightAt = [&](float c, float s) {
        return (0.85f + 0.3f * (c * hc + s * hs)) *
               (0.75f +
                0.5f * clamp01(0.5f + 1.3f * cn::fbm(c * 1.6f + 3, s * 1.6f, seed + 11, 2)));
    };
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float rho = std::hypot(p.x, p.y);
        if (rho > 1.9f * R || std::fabs(p.z) > 1.2f * R)
            return core::Medium{};
        const float c = p.x / (rho + 1e-3f), s = p.y / (rho + 1e-3f);
        // Small-scale roughness bends every edge; lumps break the ring into knots.
        const float rough = cn::fbm(p.x / 40, p.y / 40, p.z / 40, seed + 12, 2);
        const float lump = cn::fbm(p.x / 95, p.y / 95, p.z / 95, seed + 3, 3);
        const float ring = radiusAt(c, s) * (1.0f + 0.05f * rough);
        const float weight = weightAt(c, s);
        const float clumps =
            look.clumpFloor +
            1.5f * core::shaping::square(clamp01(0.55f + 1.1f * lump + 0.45f * rough));
        // A thick, flattened torus whose inner edge, the ionisation front, is
        // sharper than the outer one.
        float dr = (rho - ring) / (0.2f * R * weight);
        if (dr < 0)
            dr *= 1.5f;
        const float dz = p.z / (0.16f * R * weight);
        const float torus = gauss(dr * dr + dz * dz);
        // The glow inside, with a ragged edge and one side brighter.
        const float t = rho / ring + 0.08f * rough + 0.04f * lump;
        const float inside =
            smoothstep(1.08f, 0.75f, t) *
            (1.0f - look.insideRise + look.insideRise * smoothstep(0.05f, 0.9f, t)) *
            (1.0f + 0.3f * (p.x * hs - p.y * hc) / R) *
            gauss((p.z * p.z) / (look.insideDepth * look.insideDepth * R * R)) *
            (0.55f + 0.6f * clamp01(0.5f + 0.9f * lump + 0.7f * rough));
        Light e = mix(look.ringOuter, look.ringInner, smoothstep(0.5f, -0.8f, dr)) *
                  (look.ringLight * weight * torus * clumps);
        e += mix(look.inside, look.insideEdge, smoothstep(0.4f, 0.95f, t)) *
             (look.insideLight * inside);
        const Vec3 q = outer.toObject(x - Cx + 30, y - Cy + 20, z);
        const float qr = std::hypot(q.x, q.y) / (1.3f * R) + 0.05f * lump + 0.03f * rough;
        const float qw = 0.07f + 0.06f * clamp01(0.5f + lump);
        const float loop =
            gauss(((qr - 1) / qw) * ((qr - 1) / qw) + (q.z / (0.2f * R)) * (q.z / (0.2f * R)));
        e += look.ringOuter * (look.loopLight * loop * clumps);
        // A faint red halo around the ring, not over the disc, which would grey it.
        float halo = smoothstep(0.75f, 1.05f, t) * std::exp(-rho / (0.9f * R));
        if (look.haloDepth > 0)
            halo *= gauss(p.z * p.z / (look.haloDepth * look.haloDepth * R * R));
        e +=
            look.ringOuter * (0.03f * look.ringLight * (0.6f + 0.8f * clamp01(0.5f + lump)) * halo);
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 640), 0, int(Cx + 640), 1080};
    core::renderVolume(gas, box, 3, -1.4f * R, 1.4f * R, 40, field, seed + 4);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        // Fine lumps, and short streaks pointing away from the star: the
        // unresolved knots and their shadows.
        const float dx = x - Cx, dy = y - Cy;
        const float d = std::hypot(dx, dy) + 1e-3f;
        const Vec3 p = o.toObject(dx, dy, 0.0f);
        const float inRing = smoothstep(0.6f * R, 0.85f * R, std::hypot(p.x, p.y));
        const float k = R / 9.0f;
        const float streaks = inRing * cn::ridged(dx / d * k, dy / d * k, d / 30.0f, seed + 13, 2);
        // Outside the knots the ring breaks into small dusty clumps.
        const float rho = std::hypot(p.x, p.y);
        const float frayed = smoothstep(0.9f * R, 1.2f * R, rho);
        const cn::Offset w = cn::warp(x / 50, y / 50, seed + 15, 2);
        const float dust = clamp01(0.5f + 1.2f * cn::fbm(x / 14 + w.x, y / 14 + w.y, seed + 16, 3));
        float disc = 1.0f;
        if (look.discTexture > 0) {
            // Across the inner glow: winding filaments and clumps at two
            // scales, strong in some places and faint in others.
            const float inDisc = 1.0f - smoothstep(0.7f * R, 0.95f * R, rho);
            const cn::Offset wd = cn::warp(x / 90, y / 90, seed + 21, 3);
            const float strands =
                cn::ridged(x / 34 + 2.0f * wd.x, y / 34 + 2.0f * wd.y, seed + 22, 3);
            const float big = cn::fbm(x / 45 + wd.y, y / 45 + wd.x, seed + 25, 2);
            const float clumps = cn::fbm(x / 13 + wd.y, y / 13 + wd.x, seed + 23, 3);
            const float patch = clamp01(0.5f + 1.4f * cn::fbm(x / 170, y / 170, seed + 24, 2));
            disc = 1.0f + look.discTexture * inDisc *
                              (0.5f * patch * patch * strands * strands * strands + 0.4f * big +
                               0.25f * clumps - 0.3f * (1.0f - patch));
        }
        float outside = 1.0f;
        if (look.outerTexture > 0) {
            // The ring's outer half and the loop beyond break into dusty
            // clumps and faint winding filaments, bright along some
            // stretches and faint along others.
            const float out = smoothstep(0.75f * R, 1.0f * R, rho);
            const float c = p.x / (rho + 1e-3f), s = p.y / (rho + 1e-3f);
            const float along = clamp01(0.5f + 1.4f * cn::fbm(c * 2.2f, s * 2.2f, seed + 30, 2) +
                                        0.5f * cn::fbm(x / 70, y / 70, seed + 31, 2));
            const cn::Offset wo = cn::warp(x / 45, y / 45, seed + 32, 2);
            const cn::Cells cell = cn::worley(x / 16 + wo.x, y / 16 + wo.y, seed + 33);
            const float lit = smoothstep(0.3f, 0.8f, float(cell.id & 255u) / 255.0f);
            const float knot = std::exp(-4.0f * cell.f1 * cell.f1) * lit;
            const float lumps =
                clamp01(0.5f + 1.5f * cn::fbm(x / 32 + wo.x, y / 32 + wo.y, seed + 34, 3));
            const float fil = cn::ridged(x / 50 + 1.5f * wo.y, y / 50 + 1.5f * wo.x, seed + 35, 2);
            const float structure =
                (0.35f + 1.3f * along) * (0.2f + 1.1f * lumps * lumps + 0.9f * knot) +
                0.6f * fil * fil * fil;
            outside = std::max(0.15f, 1.0f + look.outerTexture * out * (structure - 1.0f));
        }
        return disc * outside * (1.0f + frayed * (1.2f * dust * dust - 0.4f)) *
               (1.0f +
                look.texture * (0.15f * cn::fbm(x / 9, y / 9, seed + 5, 3) +
                                0.12f * cn::ridged(x / 22, y / 22, seed + 6, 3) +
                                0.1f * cn::fbm(x / 3.5f, y / 3.5f, seed + 14, 2) +
                                0.22f * look.streaks * streaks * streaks - 0.12f - 0.06f * inRing));
    });

    core::Rng knots(seed + 7);
    ringKnots(light, knots, Cx, Cy, o, look.knots, seed + 8,
              [&](float a) { return 0.8f * radiusAt(std::cos(a), std::sin(a)); });
    if (look.fineKnots.count > 0) {
        core::Rng fine(seed + 9);
        ringKnots(light, fine, Cx, Cy, o, look.fineKnots, seed + 26,
                  [&](float a) { return 0.8f * radiusAt(std::cos(a), std::sin(a)); });
    }
    addCentralStar(light, Cx + 3, Cy - 2, look.starLight, cp::HotWhite);
}

} // namespace

void paintHelix(Scene &scene)
{
    shellparts::addFieldStars(scene, 4500, 5.0f);
    HelixLook look;
    look.cx = 950;
    look.cy = 535;
    look.radius = 290;
    look.angle = 0.5f;
    look.tilt = 0.45f;
    look.loopAngle = -0.9f;
    look.loopTilt = 0.8f;
    look.heavySide = 2.3f;
    look.ringOuter = Light{1.0f, 0.22f, 0.14f};
    look.ringInner = Light{1.0f, 0.55f, 0.25f};
    look.inside = Light{0.3f, 0.78f, 0.85f};
    look.insideEdge = Light{0.4f, 0.8f, 0.75f};
    look.ringLight = 0.0008f;
    look.insideLight = 0.00042f;
    look.loopLight = 0.0003f;
    look.insideRise = 0.3f;
    look.knots.head = Light{1.0f, 0.7f, 0.4f};
    look.knots.tail = Light{1.0f, 0.3f, 0.18f};
    look.knots.count = 2200;
    look.knots.brightness = 0.12f;
    look.knots.tailShare = 0.3f;
    look.knots.size = 1.0f;
    look.starLight = 30.0f;
    look.texture = 2.0f;
    paintHelixRing(scene, look);
}

void paintHelixInfrared(Scene &scene)
{
    shellparts::addFieldStars(scene, 5000, 4.0f, 0.55f);
    HelixLook look;
    look.cx = 975;
    look.cy = 548;
    look.radius = 300;
    // Its own geometry: tilted well away from face-on, so the ring is a clear ellipse.
    look.angle = -0.62f;
    look.tilt = 0.95f;
    look.loopAngle = 0.35f;
    look.loopTilt = 0.95f;
    look.heavySide = -0.8f;
    look.ringOuter = Light{1.0f, 0.17f, 0.16f};
    look.ringInner = Light{1.0f, 0.45f, 0.18f};
    look.inside = Light{0.68f, 1.0f, 0.4f};
    look.insideEdge = Light{1.0f, 0.92f, 0.38f};
    look.ringLight = 0.001f;
    // Fainter than the ring and dark near the star, so the ring reads as one.
    look.insideLight = 0.0006f;
    look.insideRise = 0.85f;
    // A thin lens of glow, so the tilted ring stays an ellipse.
    look.insideDepth = 0.17f;
    look.loopLight = 0.00012f;
    look.knots.head = Light{1.0f, 0.5f, 0.28f};
    look.knots.tail = look.ringOuter;
    look.knots.count = 4000;
    look.knots.brightness = 0.12f;
    look.knots.tailShare = 0.25f;
    // The longer wavelength blurs them: fat heads, not needles.
    look.knots.size = 1.3f;
    look.knots.tailLength = 1.3f;
    // Crowded on the ring's inner edge, thinning outwards through it.
    look.knots.inner = 1.0f;
    look.knots.reach = 0.4f;
    look.knots.crowd = 2.2f;
    look.knots.spread = 0.5f;
    look.knots.foreshorten = true;
    // Faint, small knots fill the ring between the bright arcs, so no
    // stretch of it is bare haze.
    look.fineKnots = look.knots;
    look.fineKnots.count = 6000;
    look.fineKnots.brightness = 0.035f;
    look.fineKnots.size = 0.9f;
    look.fineKnots.tailLength = 1.0f;
    look.fineKnots.inner = 0.97f;
    look.fineKnots.reach = 0.45f;
    look.wobble = 0.45f;
    look.streaks = 0.3f;
    look.discTexture = 1.1f;
    // A thin halo, or seen this far from face-on it would round the outline.
    look.haloDepth = 0.3f;
    // Dust fills the gaps between clumps, so the ring stays whole.
    look.clumpFloor = 0.5f;
    look.outerTexture = 0.8f;
    look.starLight = 6.0f;
    look.texture = 1.2f;
    paintHelixRing(scene, look);
}

void paintCatsEye(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 3500, 4.0f);
    const std::uint32_t seed = scene.seed();
    constexpr float Cx = 960, Cy = 540;

    // Nested shells at different tilts: each a thin ellipsoidal wall, teal
    // inside and red-orange at its outer edge, so where they overlap the
    // limbs cross as in the photographs.
    struct Shell
    {
        Orientation o;
        float ox, oy; // each shell's own centre: the outbursts were not aligned
        float a, b, c, wall, teal, red;
        float cap; // strength of the knotty caps at the long axis' ends
    };
    const Shell shells[] = {
        {Orientation(0.6f, 0.5f), 14, -8, 310, 128, 125, 0.045f, 0.0012f, 0.0023f, 1.0f},
        {Orientation(-0.38f, 0.7f), -22, 14, 230, 122, 110, 0.05f, 0.001f, 0.0019f, 0.4f},
        {Orientation(0.15f, -0.3f), 4, 3, 175, 112, 110, 0.06f, 0.0013f, 0.0005f, 0.0f},
        {Orientation(-0.75f, 0.2f), -3, 2, 105, 58, 62, 0.055f, 0.003f, 0.0002f, 0.5f},
    };
    const Light Teal = mix(cp::OxygenTeal, cp::SkyBlue, 0.25f);
    constexpr Light Nitrogen{1.0f, 0.38f, 0.16f};
    auto field = [&](float x, float y, float z) {
        const float dx = x - Cx, dy = y - Cy;
        if (dx * dx + dy * dy + z * z > 330.0f * 330.0f)
            return core::Medium{};
        // Clumpy rims: knots of 10-30 px, strongly contrasted, so the red
        // limbs break into beads instead of even ropes.
        const float clump = clamp01(0.45f + 1.3f * cn::fbm(dx / 22, dy / 22, z / 22, seed + 1, 2) +
                                    0.6f * cn::fbm(dx / 9, dy / 9, z / 9, seed + 16, 2));
        const float knots = 0.05f + 3.2f * clump * clump * clump;

        // Two scales of warp, shared, but mixed differently for each shell so
        // no two outlines bend alike.
        const float big = cn::fbm(dx / 150, dy / 150, z / 150, seed + 8, 2);
        const float mid = cn::fbm(dx / 50, dy / 50, z / 50, seed + 9, 2);
        // Walls brighten and fade along their length.
        const float along = 0.5f + clamp01(0.5f + 1.3f * mid);
        Light e;
        float sign = 1.0f;
        for (const Shell &sh : shells) {
            const Vec3 p = sh.o.toObject(dx - sh.ox, dy - sh.oy, z);
            const float s =
                std::sqrt((p.x / sh.a) * (p.x / sh.a) + (p.y / sh.b) * (p.y / sh.b) +
                          (p.z / sh.c) * (p.z / sh.c)) *
                (1.0f + sign * 0.12f * big + 0.08f * mid * sign * sign + 0.035f * (clump - 0.5f));
            e += Teal * (sh.teal * along *
                         ((0.45f + 0.9f * clump) * wall(s - 0.95f, sh.wall) +
                          0.12f * (0.5f + clump) * smoothstep(1.0f, 0.3f, s)));
            // The red rims come and go, each shell in its own places.
            const float redAlong = clamp01(0.35f + 1.8f * (0.7f * mid - 0.6f * big * sign));
            // Only where the wall is seen edge-on: across the face its red
            // would fleck the teal.
            const float edgeOn = 1.0f - smoothstep(0.45f, 0.9f, std::fabs(z) / sh.c);
            e += Nitrogen *
                 (sh.red * wall(s - 1.02f, sh.wall * 0.6f) * knots * along * redAlong * edgeOn);
            // Knotty caps where the long axis ends, one brighter than the other.
            const float cap = wall(std::fabs(p.x) / sh.a - 1.0f, 0.07f) *
                              gauss((p.y * p.y + p.z * p.z) / (0.05f * sh.b * sh.b));
            e += Nitrogen *
                 (sh.red * 3.0f * sh.cap * cap * (0.05f + 1.2f * knots) * (p.x > 0 ? 1.0f : 0.5f));
            sign = -sign * 0.8f;
        }
        e += Light{0.5f, 0.85f, 0.9f} * (0.006f * gauss((dx * dx + dy * dy + z * z) / 900.0f));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 340), int(Cy - 340), int(Cx + 340), int(Cy + 340)};
    core::renderVolume(gas, box, 2, -330, 330, 48, field, seed + 2);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        // Fine 2-4 px strands, bent so they wind rather than tile.
        const cn::Offset w = cn::warp(x / 20, y / 20, seed + 11, 2);
        const float strands = cn::ridged(x / 5 + 1.2f * w.x, y / 5 + 1.2f * w.y, seed + 4, 2);
        const float patchy = clamp01(0.5f + cn::fbm(x / 30, y / 30, seed + 14, 2));
        // And wider, winding filaments of 20-40 px, strong in some stretches
        // of the walls and absent in others.
        const cn::Offset wb = cn::warp(x / 70, y / 70, seed + 18, 2);
        const float wide = cn::ridged(x / 26 + 1.6f * wb.x, y / 26 + 1.6f * wb.y, seed + 19, 2);
        const float wideAlong = clamp01(1.6f * cn::fbm(x / 90, y / 90, seed + 20, 2) + 0.3f);
        const float m = 0.68f + 0.18f * cn::fbm(x / 6, y / 6, seed + 3, 2) +
                        0.18f * cn::fbm(x / 16 + wb.y, y / 16 + wb.x, seed + 21, 2) +
                        (0.08f + 0.45f * patchy) * strands * strands +
                        wideAlong * (0.9f * wide * wide * wide - 0.15f);
        // The red light, integrated through a long limb, would be smooth:
        // break it into beads of a few pixels that leave the teal alone.
        const float bead = clamp01(0.5f + 1.4f * cn::fbm(x / 7, y / 7, seed + 17, 3));
        const Light g = gas.at(int(x), int(y));
        const float redness = clamp01((g.r - g.b) / (g.r + 1e-12f));
        const float red = 1.0f + redness * (1.5f * bead * bead - 0.7f);
        return Light{m * red, m * (0.65f + 0.35f * red), m};
    });

    // The halo: faint incomplete arcs at uneven spacing, each ring its own
    // centre, strength and width, over a faint diffuse glow.
    struct Ring
    {
        float r, ox, oy, width, strength;
    };
    constexpr int RingCount = 11;
    Ring rings[RingCount];
    {
        core::Rng rng(seed + 12);
        float r = 285;
        for (Ring &ring : rings) {
            ring.r = r;
            ring.ox = float(rng.normal()) * 7.0f;
            ring.oy = float(rng.normal()) * 7.0f;
            ring.width = float(rng.range(3.0, 8.0));
            ring.strength = float(rng.range(0.25, 1.0));
            r += float(rng.range(24.0, 62.0));
        }
    }
    const Light HaloTint = mix(Nitrogen, cp::Rose, 0.5f);
    const core::Box halo{int(Cx - 720), 0, int(Cx + 720), 1080};
    shellparts::paintBox(light, halo, [&](float x, float y) {
        const float dx = x - Cx, dy = y - Cy;
        const float r0 = std::hypot(dx * 0.96f, dy * 1.04f);
        if (r0 < 240)
            return Light{};
        const cn::Offset w = cn::warp(x / 220, y / 220, seed + 5, 2);
        const float wobble = 9 * w.x + 4 * cn::fbm(x / 45, y / 45, seed + 15, 2);
        float ring = 0;
        for (int i = 0; i < RingCount; ++i) {
            const Ring &rg = rings[i];
            const float ex = dx - rg.ox, ey = dy - rg.oy;
            const float rr = std::hypot(ex * 0.96f, ey * 1.04f) + wobble;
            const float d = (rr - rg.r) / rg.width;
            if (d * d > 9)
                continue;
            const float c = ex / rr, s = ey / rr;
            const float arcs = cn::fbm(c * 2.4f + i * 3.1f, s * 2.4f, seed + 6, 3);
            const float broken = smoothstep(-0.05f, 0.45f, arcs);
            const float grain =
                0.35f + 0.8f * clamp01(0.5f + cn::fbm(x / 8, y / 8, seed + 13 + i, 3));
            ring += std::exp(-0.5f * d * d) * rg.strength * broken * grain;
        }
        const float fade = smoothstep(250, 320, r0) * std::exp(-(r0 - 260) / 170.0f);
        const float diffuse = 0.6f + 0.4f * cn::fbm(x / 60 + w.y, y / 60, seed + 7, 3);
        return HaloTint * (fade * (0.034f * ring + 0.006f * diffuse));
    });
    addCentralStar(light, Cx + 2, Cy - 1, 45.0f, cp::HotWhite, 0.4f, 40.0f);
}

void paintSouthernOwl(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 11000, 5.0f);
    const std::uint32_t seed = scene.seed();
    constexpr float Cx = 975, Cy = 535, R = 300;
    const Orientation o(0.4f, 0.3f);
    // Two hollows in the gas, seen end on, give the owl its eyes: offset,
    // unequal and with ragged edges.
    struct Eye
    {
        float x, y, r, depth;
    };
    const Eye eyes[] = {{-0.3f * R, -0.1f * R, 0.27f * R, 0.86f},
                        {0.27f * R, -0.16f * R, 0.23f * R, 0.75f}};
    auto field = [&](float x, float y, float z) {
        const float dx = x - Cx, dy = y - Cy;
        const Vec3 p = o.toObject(dx, dy, z);
        const float s0 = std::sqrt((p.x / 1.04f) * (p.x / 1.04f) + p.y * p.y + p.z * p.z) / R;
        if (s0 > 1.4f)
            return core::Medium{};
        const float broad = cn::fbm(p.x / 260, p.y / 260, p.z / 260, seed + 1, 2);
        const float mid = cn::fbm(p.x / 70, p.y / 70, p.z / 70, seed + 2, 3);
        const float fine = cn::fbm(p.x / 22, p.y / 22, p.z / 22, seed + 9, 2);
        // The outline bends at three scales. The bends follow direction, not
        // position, so the shell stays a shell along each line of sight and
        // its limb stays bright.
        const float n = 1.0f / (s0 * R + 1e-3f);
        const float nx = p.x * n, ny = p.y * n, nz = p.z * n;
        const float s = s0 + 0.1f * cn::fbm(nx * 1.3f, ny * 1.3f, nz * 1.3f, seed + 15, 2) +
                        0.035f * cn::fbm(nx * 4.5f, ny * 4.5f, nz * 4.5f, seed + 16, 2) +
                        0.02f * mid + 0.012f * fine;
        // Clumps and winding filaments, strong in some parts of the shell
        // and nearly absent in others, rather than an even mottle.
        const float patchy = clamp01(0.5f + 1.6f * broad);
        const float strands =
            cn::ridged(p.x / 55 + 2 * mid, p.y / 55, p.z / 55 + 2 * fine, seed + 12, 2);
        // Where the disc is smooth in the detail laid over it, it is smooth
        // in depth too.
        const float rough = smoothstep(-0.2f, 0.3f, cn::fbm(x / 150, y / 150, seed + 13, 2));
        const float mottle = (1.0f + (0.3f + 0.7f * rough) * 0.9f *
                                         (clamp01(0.5f + 1.5f * mid + 0.5f * fine) - 0.5f)) *
                             (0.75f + patchy * (1.6f * strands * strands * strands - 0.2f));
        // Brighter towards the south-west, as in deep images.
        const float side = 1.0f + 0.15f * (p.x + p.y) / R;
        // A thick shell over a faint filled interior, so the limb brightens
        // well above the centre; its inner edge is ragged.
        const float inner = 0.86f + 0.06f * mid + 0.03f * fine;
        float oxygen =
            smoothstep(1.02f, 0.92f, s) * (0.07f + 0.7f * smoothstep(inner - 0.1f, inner, s)) +
            2.8f * wall(s - 0.965f, 0.028f) * clamp01(0.4f + 1.6f * fine);
        if (std::fabs(z) < 1.3f * R) {
            for (const Eye &eye : eyes) {
                const float ex = (dx - eye.x) / eye.r + 0.45f * mid + 0.2f * fine,
                            ey = (dy - eye.y) / eye.r + 0.3f * broad + 0.2f * fine;
                oxygen *= 1.0f - eye.depth * smoothstep(1.3f, 0.15f, std::hypot(ex, ey)) *
                                     smoothstep(1.3f * R, 0.95f * R, std::fabs(z));
            }
        }
        // The red rim comes and goes around the bubble and changes its width.
        const float patch =
            clamp01(0.2f + 1.2f * cn::fbm(p.x / 150 + 7, p.y / 150, p.z / 150, seed + 5, 2));
        // Kept to the limb: seen face-on across the disc it would fleck it pink.
        const float limb = smoothstep(0.55f * R, 0.92f * R, std::hypot(dx, dy));
        const float hydrogen = wall(s - 1.03f, 0.03f + 0.045f * patch) * patch * patch * limb;
        Light e = mix(cp::OxygenTeal, cp::SkyBlue, 0.3f) * (0.0003f * oxygen * mottle * side);
        e += cp::HydrogenRed * (0.0016f * hydrogen * mottle * mottle * (2.0f - side));
        // A faint red glow beyond the rim.
        e += cp::HydrogenRed * (0.00002f * smoothstep(1.35f, 1.02f, s) *
                                smoothstep(0.9f, 1.02f, s) * (0.5f + mottle));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 470), 0, int(Cx + 470), 1080};
    core::renderVolume(gas, box, 3, -1.3f * R, 1.3f * R, 36, field, seed + 3);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        // The disc's texture changes across it: smooth glowing stretches
        // beside patches of knots and faint filaments, each at several scales.
        const cn::Offset w = cn::warp(x / 60, y / 60, seed + 6, 2);
        const float dx = x - Cx, dy = y - Cy;
        const float r = std::hypot(dx, dy) + 1e-3f;
        const float c = dx / r, s = dy / r;
        // Brightness tracts follow the shell's curvature: long along it,
        // narrow across it, as where sight lines graze a thick wall.
        const float arcs = cn::fbm(c * 2.6f + 0.3f * w.x, s * 2.6f + 0.3f * w.y,
                                   r / 34 + 0.4f * w.x, seed + 17, 3);
        const float broad = cn::fbm(x / 120 + w.y, y / 120 + w.x, seed + 15, 2);
        // Near the centre the sight lines cross the shell face-on: no tracts.
        const float grazing = smoothstep(0.2f * R, 0.6f * R, r);
        const float tracts = 0.5f + 0.8f * (0.5f + grazing * (clamp01(0.5f + 1.4f * arcs) - 0.5f)) +
                             0.25f * clamp01(0.5f + 1.3f * broad);
        // Where the gas is rough at all, and within that which kind of
        // roughness wins; elsewhere the glow is smooth.
        const float rough = smoothstep(-0.2f, 0.3f, cn::fbm(x / 150, y / 150, seed + 13, 2));
        const float kind = cn::fbm(x / 75 + 3, y / 75, seed + 18, 2);
        const float knotty = rough * smoothstep(-0.25f, 0.2f, kind);
        const float stringy = rough * smoothstep(0.25f, -0.2f, kind);
        float bigKnots = 0.0f, smallKnots = 0.0f;
        if (knotty > 0.005f) {
            const float flow = 2.0f * Tau * cn::fbm(x / 110 + 5, y / 110, seed + 23, 2);
            // Fine noise frays each knot's edge.
            const float fray = 0.7f + 0.3f * cn::fbm(x / 4, y / 4, seed + 24, 2);
            bigKnots =
                fray * tornKnots(x / 30 + 1.2f * w.x, y / 30 + 1.2f * w.y, flow, seed + 14, 0.5f);
            smallKnots = fray * tornKnots(x / 16 + 1.2f * w.x, y / 16 + 1.2f * w.y, flow + 0.4f,
                                          seed + 19, 0.45f);
        }
        const float mixKnots = clamp01(0.5f + 1.5f * cn::fbm(x / 45, y / 45, seed + 20, 2));
        const float wisps = cn::ridged(x / 30 + w.x, y / 30 + w.y, seed + 7, 2);
        const cn::Offset wf = cn::warp(x / 25, y / 25, seed + 21, 2);
        const float threads = cn::ridged(x / 11 + wf.x, y / 11 + wf.y, seed + 22, 2);
        const float grain = 0.25f + 0.75f * rough;
        const float m =
            tracts * (0.85f + grain * 0.2f * cn::fbm(x / 12, y / 12, seed + 4, 3)) +
            grain * 0.08f * cn::fbm(x / 3.5f, y / 3.5f, seed + 8, 2) +
            knotty * (1.6f * (bigKnots + mixKnots * (smallKnots - bigKnots)) - 0.2f) +
            stringy * (0.6f * wisps * wisps * wisps + 0.35f * threads * threads * threads - 0.08f) +
            0.06f * wisps * wisps * wisps;
        // The red rim is made of thin, tangled wisps rather than a smooth glow.
        const Light g = gas.at(int(x), int(y));
        const float redness = clamp01((g.r - g.b) / (g.r + 1e-12f));
        const float rim = cn::ridged(x / 22 + w.y, y / 22 + w.x, seed + 10, 2);
        const float red = 1.0f + redness * (1.1f * rim * rim - 0.35f +
                                            0.3f * cn::fbm(x / 6, y / 6, seed + 11, 2));
        return Light{m * red, m * (0.7f + 0.3f * red), m};
    });
    addCentralStar(light, Cx + 5, Cy + 3, 3.0f, cp::HotWhite);
}

} // namespace painted
