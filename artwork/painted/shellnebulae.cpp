// SPDX-License-Identifier: MIT
// Round and elliptical planetary nebulae: nested shells, rings and bubbles
// around a hot central star.

#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/shaping.h"
#include "artwork/painted/centralstar.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"
#include "artwork/painted/shellparts.h"

#include <cmath>

namespace painted {

namespace {

namespace cn = core::noise;
namespace cp = core::palette;
using core::Light;
using core::shaping::bump;
using core::shaping::clamp01;
using core::shaping::smoothstep;
using shellparts::Orientation;
using shellparts::Vec3;

constexpr float Tau = 6.2831853f;

// Comet-shaped knots in uneven, overlapping arcs around a ring: heads face
// the star, tails stream outwards. radiusAt gives the ring's inner edge, in
// the object's plane, for a direction.
template <typename RadiusAt>
void ringKnots(core::FloatCanvas &canvas, core::Rng &rng, float cx, float cy, const Orientation &o,
               int count, const Light &head, const Light &tail, float brightness,
               std::uint32_t seed, RadiusAt radiusAt)
{
    for (int placed = 0, tries = 0; placed < count && tries < count * 6; ++tries) {
        const float angle = float(rng.uniform()) * Tau;
        const float c = std::cos(angle), s = std::sin(angle);
        // Knots gather in arcs; some stretches of the ring have few.
        const float arcs = cn::fbm(c * 2.2f, s * 2.2f, seed, 3);
        const float keep = float(rng.uniform());
        const float depth = float(rng.uniform());
        if (keep > smoothstep(-0.45f, 0.35f, arcs))
            continue;
        const float r =
            radiusAt(angle) * (0.88f + 0.4f * std::pow(depth, 0.8f)) + float(rng.normal()) * 8.0f;
        const Vec3 p = o.toPicture({r * c, r * s, float(rng.normal()) * 20.0f});
        shellparts::Comet k;
        k.x = cx + p.x;
        k.y = cy + p.y;
        k.angle = std::atan2(p.y, p.x);
        k.head = float(rng.range(0.9, 2.4));
        k.tail = float(rng.range(10.0, 30.0)) * (0.6f + 0.6f * depth);
        k.width = k.head * float(rng.range(0.7, 1.0));
        const float b = brightness * float(rng.range(0.35, 1.0)) * (1.2f - 0.5f * depth);
        k.headLight = head * b;
        k.tailLight = tail * (0.45f * b);
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
    Light ringOuter, ringInner; // the ring's outer and inner edges
    Light inside;               // the glow within the ring
    float ringLight, insideLight, loopLight;
    float insideRise; // 0: the glow is even; 1: it rises towards the ring
    Light knotHead, knotTail;
    int knots;
    float knotLight;
    float starLight;
    float texture; // strength of the fine clumps laid over the volume
};

void paintHelixRing(Scene &scene, const HelixLook &look)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    const float Cx = look.cx, Cy = look.cy, R = look.radius;
    const Orientation o(look.angle, look.tilt);
    const Orientation outer(look.loopAngle, look.loopTilt);

    auto radiusAt = [&](float c, float s) {
        return R * (1.0f + 0.12f * cn::fbm(c * 1.3f, s * 1.3f, seed + 1, 2) +
                    0.04f * cn::fbm(c * 4.0f, s * 4.0f, seed + 2, 2));
    };
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float rho = std::hypot(p.x, p.y);
        if (rho > 1.9f * R || std::fabs(p.z) > 1.2f * R)
            return core::Medium{};
        const float c = p.x / (rho + 1e-3f), s = p.y / (rho + 1e-3f);
        const float ring = radiusAt(c, s);
        const float clumps =
            0.2f + 1.1f * clamp01(0.5f + 1.3f * cn::fbm(p.x / 70, p.y / 70, p.z / 70, seed + 3, 3));
        // A thick, flattened torus, and the glow inside it.
        const float dr = (rho - ring) / (0.19f * R), dz = p.z / (0.15f * R);
        const float torus = std::exp(-(dr * dr + dz * dz));
        const float inside =
            smoothstep(1.0f, 0.55f, rho / ring) *
            (1.0f - look.insideRise + look.insideRise * smoothstep(0.0f, 0.85f, rho / ring)) *
            std::exp(-(p.z * p.z) / (0.5f * R * R));
        const Vec3 q = outer.toObject(x - Cx + 30, y - Cy + 20, z);
        const float qr = std::hypot(q.x, q.y) / (1.3f * R);
        const float loop = std::exp(
            -(((qr - 1) / 0.1f) * ((qr - 1) / 0.1f) + (q.z / (0.2f * R)) * (q.z / (0.2f * R))));
        Light e = mix(look.ringOuter, look.ringInner, smoothstep(0.55f, -0.6f, dr)) *
                  (look.ringLight * torus * clumps);
        e += look.inside * (look.insideLight * inside * (0.6f + 0.5f * clumps));
        e += look.ringOuter * (look.loopLight * loop * clumps);
        e += look.ringOuter * (0.03f * look.ringLight * std::exp(-rho / (0.9f * R)));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 640), 0, int(Cx + 640), 1080};
    core::renderVolume(gas, box, 3, -1.4f * R, 1.4f * R, 40, field, seed + 4);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        return 1.0f + look.texture * (0.15f * cn::fbm(x / 9, y / 9, seed + 5, 3) +
                                      0.15f * cn::ridged(x / 22, y / 22, seed + 6, 3) - 0.15f);
    });

    core::Rng knots(seed + 7);
    ringKnots(light, knots, Cx, Cy, o, look.knots, look.knotHead, look.knotTail, look.knotLight,
              seed + 8, [&](float a) { return 0.82f * radiusAt(std::cos(a), std::sin(a)); });
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
    look.ringOuter = Light{1.0f, 0.22f, 0.14f};
    look.ringInner = Light{1.0f, 0.55f, 0.25f};
    look.inside = Light{0.3f, 0.78f, 0.85f};
    look.ringLight = 0.0008f;
    look.insideLight = 0.00032f;
    look.loopLight = 0.0003f;
    look.insideRise = 0.2f;
    look.knotHead = Light{1.0f, 0.7f, 0.4f};
    look.knotTail = Light{1.0f, 0.3f, 0.18f};
    look.knots = 1600;
    look.knotLight = 0.1f;
    look.starLight = 30.0f;
    look.texture = 2.2f;
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
    look.tilt = 0.72f;
    look.loopAngle = 0.35f;
    look.loopTilt = 0.95f;
    look.ringOuter = Light{1.0f, 0.17f, 0.16f};
    look.ringInner = Light{1.0f, 0.42f, 0.16f};
    look.inside = Light{0.8f, 0.95f, 0.55f};
    look.ringLight = 0.0009f;
    look.insideLight = 0.00026f;
    look.loopLight = 0.00035f;
    look.insideRise = 0.65f;
    look.knotHead = Light{1.0f, 0.4f, 0.24f};
    look.knotTail = look.ringOuter;
    look.knots = 2600;
    look.knotLight = 0.2f;
    look.starLight = 6.0f;
    look.texture = 1.0f;
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
        float a, b, c, wall, teal, red;
    };
    const Shell shells[] = {
        {Orientation(0.25f, 0.5f), 270, 165, 160, 0.06f, 0.0008f, 0.0012f},
        {Orientation(-0.55f, 0.7f), 245, 150, 140, 0.07f, 0.0006f, 0.001f},
        {Orientation(0.6f, -0.3f), 165, 120, 118, 0.09f, 0.0011f, 0.0006f},
        {Orientation(-0.15f, 0.2f), 100, 72, 75, 0.11f, 0.0016f, 0.0004f},
    };
    const Light Teal = mix(cp::OxygenTeal, cp::SkyBlue, 0.25f);
    constexpr Light Nitrogen{1.0f, 0.38f, 0.16f};
    auto field = [&](float x, float y, float z) {
        const float dx = x - Cx, dy = y - Cy;
        if (dx * dx + dy * dy + z * z > 330.0f * 330.0f)
            return core::Medium{};
        // Clumpy rims: knots of 10-30 px, strongly contrasted, so the red
        // limbs break into beads instead of even ropes.
        const float clump = clamp01(0.45f + 1.6f * cn::fbm(dx / 18, dy / 18, z / 18, seed + 1, 3));
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
            const Vec3 p = sh.o.toObject(dx, dy, z);
            const float s = std::sqrt((p.x / sh.a) * (p.x / sh.a) + (p.y / sh.b) * (p.y / sh.b) +
                                      (p.z / sh.c) * (p.z / sh.c)) *
                            (1.0f + sign * 0.12f * big + 0.05f * mid * sign * sign);
            sign = -sign * 0.8f;
            e += Teal * (sh.teal * along *
                         (bump(s - 0.95f, sh.wall) +
                          0.25f * (0.6f + 0.8f * clump) * smoothstep(1.0f, 0.3f, s)));
            e += Nitrogen * (sh.red * bump(s - 1.02f, sh.wall * 0.6f) * knots * along);
            // Knotty caps where the long axis ends, one brighter than the other.
            const float cap = std::exp(-((std::fabs(p.x) / sh.a - 1.0f) / 0.07f) *
                                       ((std::fabs(p.x) / sh.a - 1.0f) / 0.07f)) *
                              std::exp(-(p.y * p.y + p.z * p.z) / (0.05f * sh.b * sh.b));
            e += Nitrogen * (sh.red * 3.0f * cap * (0.3f + knots) * (p.x > 0 ? 1.0f : 0.5f));
        }
        e += Light{0.5f, 0.85f, 0.9f} * (0.006f * std::exp(-(dx * dx + dy * dy + z * z) / 900.0f));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 340), int(Cy - 340), int(Cx + 340), int(Cy + 340)};
    core::renderVolume(gas, box, 2, -330, 330, 48, field, seed + 2);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        // Fine 2-4 px strands, bent so they wind rather than tile.
        const cn::Offset w = cn::warp(x / 20, y / 20, seed + 11, 2);
        const float strands = cn::ridged(x / 4 + 1.2f * w.x, y / 4 + 1.2f * w.y, seed + 4, 2);
        const float patchy = clamp01(0.5f + cn::fbm(x / 30, y / 30, seed + 14, 2));
        return 0.7f + 0.3f * cn::fbm(x / 9, y / 9, seed + 3, 2) +
               (0.15f + 0.6f * patchy) * strands * strands;
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
        float ring = 0;
        for (int i = 0; i < RingCount; ++i) {
            const Ring &rg = rings[i];
            const float ex = dx - rg.ox, ey = dy - rg.oy;
            const float rr = std::hypot(ex * 0.96f, ey * 1.04f) + 9 * w.x;
            const float d = (rr - rg.r) / rg.width;
            if (d * d > 9)
                continue;
            const float c = ex / rr, s = ey / rr;
            const float arcs = cn::fbm(c * 2.4f + i * 3.1f, s * 2.4f, seed + 6, 3);
            const float broken = smoothstep(-0.05f, 0.45f, arcs);
            const float grain = 0.6f + 0.4f * cn::fbm(x / 12, y / 12, seed + 13 + i, 2);
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
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float s0 = std::sqrt((p.x / 1.04f) * (p.x / 1.04f) + p.y * p.y + p.z * p.z) / R;
        if (s0 > 1.5f)
            return core::Medium{};
        const float s = s0 + 0.05f * cn::fbm(p.x / 240, p.y / 240, p.z / 240, seed + 1, 2);
        const float mottle = 0.35f + 1.0f * clamp01(0.5f + 1.2f * cn::fbm(p.x / 80, p.y / 80,
                                                                          p.z / 80, seed + 2, 3));
        // Brighter towards the south-west, as in deep images.
        const float side = 1.0f + 0.2f * (p.x + p.y) / R;
        const float oxygen =
            smoothstep(0.98f, 0.75f, s) * (0.55f + 0.45f * smoothstep(0.3f, 0.9f, s));
        // The red rim comes and goes around the bubble and changes its width.
        const float patch =
            clamp01(0.25f + 1.1f * cn::fbm(p.x / 150 + 7, p.y / 150, p.z / 150, seed + 5, 2));
        const float hydrogen = core::shaping::bump(s - 1.0f, 0.04f + 0.04f * patch) * patch;
        Light e = mix(cp::OxygenTeal, cp::SkyBlue, 0.3f) * (0.00026f * oxygen * mottle * side);
        e += cp::HydrogenRed * (0.0004f * hydrogen * mottle * (2.0f - side));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 470), 0, int(Cx + 470), 1080};
    core::renderVolume(gas, box, 3, -1.3f * R, 1.3f * R, 36, field, seed + 3);
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        return 0.85f + 0.25f * cn::fbm(x / 12, y / 12, seed + 4, 4);
    });
    addCentralStar(light, Cx + 5, Cy + 3, 3.0f, cp::HotWhite);
}

void paintNgc1501(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 5.0f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 955, Cy = 545;
    const Orientation o(0.45f, 0.3f);
    constexpr float A = 300, B = 262, C = 280;
    auto shellRadius = [&](const Vec3 &p) {
        const float s =
            std::sqrt((p.x / A) * (p.x / A) + (p.y / B) * (p.y / B) + (p.z / C) * (p.z / C));
        return s + 0.07f * cn::fbm(p.x / 260, p.y / 260, p.z / 260, seed + 1, 2) +
               0.03f * cn::fbm(p.x / 90, p.y / 90, p.z / 90, seed + 2, 2);
    };
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float s = shellRadius(p);
        if (s > 1.8f)
            return core::Medium{};
        // Brighter on one side and in broad patches across the shell.
        const float patches =
            0.55f + 0.75f * clamp01(0.5f + cn::fbm(p.x / 160, p.y / 160, p.z / 160, seed + 3, 2)) +
            0.25f * (p.x / A);
        const float wall = bump(s - 0.93f, 0.07f) * patches;
        const float fill = smoothstep(0.95f, 0.4f, s) * 0.06f;
        Light e = mix(mix(cp::OxygenTeal, cp::SkyBlue, 0.3f), cp::HotWhite, 0.25f) *
                  (0.0011f * (wall + fill));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 560), 0, int(Cx + 560), 1080};
    core::renderVolume(gas, box, 3, -1.8f * C, 1.8f * C, 40, field, seed + 4);
    // Oyster-like mottling at two scales: winding crests 30-60 px apart and
    // small soft bubbles, both bent by a broad warp.
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        const cn::Offset w = cn::warp(x / 110, y / 110, seed + 5, 3);
        const float u = x + 30 * w.x, v = y + 30 * w.y;
        const float crests = cn::ridged(u / 48, v / 48, seed + 6, 3);
        const cn::Cells small = cn::worley(u / 11 + 0.5f * w.y, v / 11 + 0.5f * w.x, seed + 7);
        const float bubbles = smoothstep(0.15f, 0.75f, small.f1);
        return 0.45f + 0.9f * crests * crests + 0.3f * bubbles +
               0.1f * cn::fbm(x / 4, y / 4, seed + 8, 2);
    });
    // A faint red halo beyond the shell, smooth as such halos are.
    shellparts::paintBox(light, box, [&](float x, float y) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, 0);
        const float s =
            std::hypot(p.x / A, p.y / B) + 0.05f * cn::fbm(x / 200, y / 200, seed + 9, 3);
        return Light{1.0f, 0.28f, 0.3f} *
               (0.026f * smoothstep(0.9f, 1.1f, s) * std::exp(-std::max(s - 1.0f, 0.0f) / 0.25f));
    });
    addCentralStar(light, Cx + 4, Cy + 2, 60.0f, cp::HotWhite, 0.5f, 34.0f);
}

void paintSpirograph(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 4.5f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 960, Cy = 540;
    const Orientation o(0.38f, 0.25f);
    constexpr float A = 380, B = 300, C = 330;
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float s0 =
            std::sqrt((p.x / A) * (p.x / A) + (p.y / B) * (p.y / B) + (p.z / C) * (p.z / C));
        if (s0 > 1.5f)
            return core::Medium{};
        const float s = s0 + 0.06f * cn::fbm(p.x / 220, p.y / 220, p.z / 220, seed + 1, 2);
        // The red edge is ragged at two scales and lies further out on one side.
        const float edge = 1.0f + 0.1f * cn::fbm(p.x / 120, p.y / 120, p.z / 120, seed + 2, 3) +
                           0.05f * cn::fbm(p.x / 35, p.y / 35, p.z / 35, seed + 10, 2) +
                           0.04f * (p.x / A);
        const float red = smoothstep(0.74f, 0.92f, s) * smoothstep(edge + 0.04f, edge - 0.08f, s);
        const float oxygen = smoothstep(0.97f, 0.5f, s);
        const float heart = std::exp(-(s / 0.17f) * (s / 0.17f));
        Light e = Light{1.0f, 0.34f, 0.14f} * (0.0011f * red);
        e += Light{0.32f, 0.8f, 0.95f} * (0.0009f * oxygen);
        e += Light{1.0f, 0.86f, 0.5f} * (0.0032f * heart);
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 560), 0, int(Cx + 560), 1080};
    core::renderVolume(gas, box, 3, -1.5f * C, 1.5f * C, 40, field, seed + 3);

    // Fine strands in polar coordinates: many around, few outwards, sheared
    // both ways so they cross, and broken up so no lattice shows.
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        const cn::Offset w = cn::warp(x / 90, y / 90, seed + 4, 3);
        const float dx = x - Cx + 14 * w.x, dy = y - Cy + 14 * w.y;
        const float u = dx * o.ca + dy * o.sa, v = -dx * o.sa + dy * o.ca;
        const float rho = std::hypot(u / A, v / B);
        const float theta = std::atan2(v / B, u / A);
        // Integer cycles around keep the pattern seamless at theta = pi;
        // noise in the phase bends strands and sets their spacing unevenly.
        auto strands = [&](float cycles, float shear, std::uint32_t salt) {
            const float bend = 2.2f * cn::fbm(x / 70, y / 70, salt, 3) +
                               0.5f * cn::fbm(x / 18, y / 18, salt + 1, 2);
            const float phase = cycles * theta + shear * rho + bend;
            const float line = 0.5f + 0.5f * std::cos(phase);
            const float sharp = line * line * line * line;
            return sharp * sharp;
        };
        const float a = strands(64.0f, 55.0f, seed + 5) + 0.7f * strands(47.0f, 40.0f, seed + 11);
        const float b = strands(56.0f, -45.0f, seed + 6) + 0.6f * strands(73.0f, -65.0f, seed + 12);
        const float breakA = smoothstep(-0.3f, 0.4f, cn::fbm(x / 60, y / 60, seed + 7, 3));
        const float breakB = smoothstep(-0.3f, 0.4f, cn::fbm(x / 60, y / 60, seed + 8, 3));
        const float weave = a * breakA + b * breakB;
        const float shown = smoothstep(0.12f, 0.5f, rho);
        return 1.0f + shown * (1.2f * weave - 0.35f) + 0.12f * cn::fbm(x / 3, y / 3, seed + 9, 2);
    });
    addCentralStar(light, Cx, Cy, 40.0f, cp::WarmWhite, 0.45f, 40.0f);
}

void paintMedusa(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 4.0f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 1000, Cy = 555, R = 350;
    // The arc's brightest direction (south-west) and its gap opposite.
    const float axisX = std::cos(0.55f), axisY = std::sin(0.55f);
    auto radiusAt = [&](float c, float s) {
        return R * (1.0f + 0.13f * cn::fbm(c * 1.1f + 3, s * 1.1f, seed + 1, 2) + 0.06f * c);
    };
    auto field = [&](float x, float y, float z) {
        const float dx = x - Cx, dy = y - Cy;
        const float r = std::sqrt(dx * dx + dy * dy + z * z);
        if (r > 1.6f * R)
            return core::Medium{};
        const float c = dx / (r + 1e-3f), s = dy / (r + 1e-3f);
        const float along = c * axisX * 0.95f + s * axisY * 0.95f + 0.3f * z / (r + 1e-3f);
        const float mask =
            smoothstep(-0.68f, -0.3f, along + 0.25f * cn::fbm(c * 2.5f, s * 2.5f, seed + 2, 2));
        const float thickness = 0.05f + 0.05f * clamp01(0.5f + cn::fbm(c * 3, s * 3, seed + 3, 2));
        const float shellR = radiusAt(c, s);
        const float wall = bump(r / shellR - 1.0f, thickness);
        const float bright = 0.5f + 1.1f * smoothstep(0.35f, 1.0f, along);
        const float clumps =
            0.3f + clamp01(0.5f + 1.2f * cn::fbm(dx / 60, dy / 60, z / 60, seed + 4, 3));
        Light e = cp::Rose * (0.0003f * wall * mask * bright * clumps);
        e += Light{0.25f, 0.75f, 0.7f} * (0.00004f * smoothstep(1.0f, 0.5f, r / shellR));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 600), 0, int(Cx + 620), 1080};
    core::renderVolume(gas, box, 3, -1.4f * R, 1.4f * R, 40, field, seed + 5);

    // Strands running along the arc, winding about each other; a knot of
    // them on the bright side.
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        const cn::Offset w = cn::warp(x / 110, y / 110, seed + 6, 3);
        const float dx = x - Cx, dy = y - Cy;
        const float r = std::hypot(dx, dy) + 30 * w.x;
        const float c = dx / (r + 1e-3f), s = dy / (r + 1e-3f);
        const float a = cn::ridged(c * 6.0f + w.y * 0.6f, s * 6.0f, r / 16, seed + 7, 4);
        const float b = cn::ridged(c * 8.0f, s * 8.0f - w.y * 0.6f, r / 11 + 5, seed + 8, 3);
        const float knot =
            std::exp(-(std::hypot(dx - 0.95f * R * axisX, dy - 0.95f * R * axisY) / 110.0f) *
                     (std::hypot(dx - 0.95f * R * axisX, dy - 0.95f * R * axisY) / 110.0f));
        const float breakA = smoothstep(-0.35f, 0.3f, cn::fbm(x / 45, y / 45, seed + 9, 3));
        const float breakB = smoothstep(-0.35f, 0.3f, cn::fbm(x / 45, y / 45, seed + 10, 3));
        const float tangle = cn::ridged(x / 18 + 2 * w.y, y / 18 - 2 * w.x, seed + 11, 3);
        return Light::grey(0.35f + 1.6f * a * a * a * breakA + 0.9f * b * b * b * breakB +
                           0.5f * tangle * tangle * tangle) *
                   (1.0f + 1.8f * knot) +
               Light{1.0f, 0.2f, 0.3f} * (1.2f * knot * b * b);
    });
    addCentralStar(light, Cx + 40, Cy + 28, 2.2f, cp::HotWhite);
}

} // namespace painted
