// SPDX-License-Identifier: MIT
// Planetary nebulae whose shells are woven of fine strands and cells: the
// filaments are drawn at full resolution.

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
using core::shaping::clamp01;
using core::shaping::smoothstep;
using shellparts::Orientation;
using shellparts::Vec3;

// A Gaussian, exp(-t^2), that skips the exponential far out in its tails,
// where expf takes its slow underflow path.
float gauss(float t)
{
    return t * t < 80.0f ? std::exp(-t * t) : 0.0f;
}

} // namespace

void paintNgc1501(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 5.0f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 955, Cy = 545;
    // Slightly elongated and turned; the shell is a thick wall between the
    // inner and the outer surface, so it brightens towards its limb.
    constexpr float Angle = 0.45f, A = 318, B = 270, Inner = 0.8f;
    const float ca = std::cos(Angle), sa = std::sin(Angle);
    const Light Oxygen = mix(mix(cp::OxygenTeal, cp::SkyBlue, 0.35f), cp::HotWhite, 0.08f);

    // The texture of the wall, on the shell itself so that it crowds towards
    // the limb: bubbles about 75, 30 and 12 px across, each a dark hollow or,
    // now and then, a bright knot, with brighter walls between them and faint
    // winding ridges across them; all bent by a warp so that nothing is round.
    auto mottle = [&](float x, float y, float z) {
        const float wx = x + 0.06f * cn::fbm(x * 5, y * 5, z * 5, seed + 24, 2);
        const float wy = y + 0.06f * cn::fbm(x * 5 + 3, y * 5, z * 5, seed + 25, 2);
        const float wz = z + 0.06f * cn::fbm(x * 5, y * 5 + 3, z * 5, seed + 26, 2);
        constexpr float Freq[3] = {3.8f, 7.0f, 25.0f};
        constexpr float Depth[3] = {1.0f, 0.95f, 0.8f};
        // The smaller cells have the sharper ridges between them.
        constexpr float Wall[3] = {0.5f, 0.3f, 0.2f};
        // The broad warp would stretch the smallest cells all one way into
        // streaks; they follow only part of it.
        constexpr float Follow[3] = {1.0f, 0.7f, 0.25f};
        // The finest cells show in patches only, so they never read as a net.
        const float finePatch = smoothstep(-0.25f, 0.35f, cn::fbm(x * 4, y * 4, z * 4, seed + 27, 2));
        const float Reach[3] = {1.0f, 1.0f, 0.25f + 0.75f * finePatch};
        float v = 1.0f;
        for (int i = 0; i < 3; ++i) {
            const float px = x + Follow[i] * (wx - x), py = y + Follow[i] * (wy - y),
                        pz = z + Follow[i] * (wz - z);
            const cn::Cells c = cn::worley(px * Freq[i] + 11.0f * float(i), py * Freq[i],
                                           pz * Freq[i], seed + 20 + std::uint32_t(i));
            const float wall = smoothstep(Wall[i], 0.03f, c.f2 - c.f1);
            // Zero on the cell's border, so neighbours with other draws meet smoothly.
            const float middle = smoothstep(0.6f, 0.1f, c.f1) * smoothstep(0.0f, 0.3f, c.f2 - c.f1);
            const float own = float((c.id * 0x9E3779B1u) >> 24) * (1.0f / 255.0f);
            const float knot = own > 0.75f ? 2.0f * middle : -own * middle;
            v *= std::max(1.0f + Reach[i] * Depth[i] * (0.45f * wall + knot - 0.1f), 0.05f);
        }
        const float ridges = cn::ridged(x * 8, y * 8, z * 8, seed + 21, 2);
        const float lumps = clamp01(0.5f + cn::fbm(x * 7, y * 7, z * 7, seed + 23, 2));
        return v * (0.9f + 0.2f * ridges) * (0.75f + 0.5f * lumps);
    };

    const core::Box box{int(Cx - 540), 0, int(Cx + 540), 1080};
    shellparts::paintBox(light, box, [&](float x, float y) {
        const float dx = x - Cx, dy = y - Cy;
        const float u = (dx * ca + dy * sa) / A, v = (-dx * sa + dy * ca) / B;
        const float rho0 = std::hypot(u, v);
        if (rho0 > 1.75f)
            return Light{};
        // The outline is lopsided and dented at two scales, and lumpy at two
        // more, so the limb is ragged rather than a drawn ellipse.
        const float c = u / (rho0 + 1e-4f), s = v / (rho0 + 1e-4f);
        const float edge = 1.0f + 0.035f * c - 0.02f * s + 0.025f * (c * c * c - 3 * c * s * s) +
                           0.07f * cn::fbm(c * 1.7f, s * 1.7f, seed + 1, 2) +
                           0.04f * cn::fbm(c * 6.0f, s * 6.0f, seed + 2, 2) +
                           0.04f * cn::fbm(x / 40, y / 40, seed + 3, 2) +
                           0.01f * cn::fbm(x / 22, y / 22, seed + 7, 2);
        const float rho = rho0 / edge;
        // A faint red halo beyond the shell, smooth as such halos are.
        const float halo = rho0 + 0.08f * cn::fbm(x / 150, y / 150, seed + 6, 3);
        Light e = Light{1.0f, 0.28f, 0.3f} *
                  (0.011f * smoothstep(0.9f, 1.08f, halo) * smoothstep(1.5f, 1.05f, halo));
        // Thin gas just beyond the limb, so the shell's edge fades rather than stops.
        const float beyond = std::max(rho - 0.98f, 0.0f);
        e += Oxygen * (0.03f * smoothstep(0.88f, 0.98f, rho) * std::exp(-beyond / 0.07f) *
                       (0.4f + 1.2f * clamp01(0.5f + cn::fbm(x / 45, y / 45, seed + 10, 2))));
        if (rho >= 1.09f)
            return e;
        // Path lengths through the wall. The outer surface is soft too, its
        // radius spread over a range, so the limb fades instead of ending.
        float outer = 0;
        for (const float q : {0.95f, 0.99f, 1.03f, 1.07f})
            outer += 0.25f * std::sqrt(std::max(q * q - rho * rho, 0.0f));
        // The inner surface is soft: its radius is spread over a range.
        float inner = 0;
        for (const float q : {Inner - 0.12f, Inner - 0.04f, Inner + 0.04f, Inner + 0.12f})
            inner += 0.25f * std::sqrt(std::max(q * q - rho * rho, 0.0f));
        const float path = smoothstep(1.09f, 0.93f, rho) * (outer - inner + 0.02f);
        const float h = 0.5f * (outer + inner);
        const float m = 0.6f * mottle(u, v, -h) + 0.4f * mottle(u, v, h);
        // Brighter on one side and in broad patches across the shell.
        // The limb itself is bright in some stretches and faint in others.
        const float around = smoothstep(0.6f, 0.95f, rho) *
                             (0.8f * clamp01(0.5f + 1.3f * cn::fbm(c * 2.2f, s * 2.2f, seed + 14, 2)) - 0.4f);
        // Bites out of the limb, a few tens of pixels across, where the wall is thin.
        const float bites = 1.0f - 0.75f * smoothstep(0.78f, 0.98f, rho) *
                                       smoothstep(0.05f, -0.3f, cn::fbm(x / 45, y / 45, seed + 15, 2));
        const float patches = bites *
            (0.55f + 0.7f * clamp01(0.5f + cn::fbm(x / 170, y / 170, seed + 4, 2)) + 0.25f * u) *
            (1.0f + around);
        // The finest grain: small knots, in clusters, and faint filaments
        // between them, a few pixels across and round rather than drawn out.
        const cn::Cells g = cn::worley(x / 6.5f, y / 6.5f, seed + 11);
        const float own = float((g.id * 0x9E3779B1u) >> 24) * (1.0f / 255.0f);
        const float cluster = smoothstep(-0.2f, 0.4f, cn::fbm(x / 45, y / 45, seed + 12, 2));
        const float knot = own > 0.6f ? smoothstep(0.6f, 0.05f, g.f1) * (own - 0.4f) : 0.0f;
        // The faint filaments fade out at the limb, where they would stand
        // out from the edge as fur.
        const float strand = smoothstep(0.22f, 0.0f, g.f2 - g.f1) * smoothstep(1.02f, 0.85f, rho);
        const float fine = 1.0f + 0.12f * cn::fbm(x / 3, y / 3, seed + 5, 2) +
                           (0.9f * knot + 0.15f * strand - 0.12f) * (0.3f + 0.7f * cluster);
        // The densest knots are paler, the hollows a deeper green; across the
        // shell the gas leans greener in some patches and bluer in others, and
        // is paler towards the middle.
        const float tint = cn::fbm(x / 210, y / 210, seed + 13, 2);
        const Light base = mix(mix(Oxygen, Light{0.22f, 0.85f, 0.58f}, clamp01(1.3f * tint)),
                               Light{0.3f, 0.68f, 1.0f}, clamp01(-1.2f * tint));
        const Light colour = mix(mix(mix(base, cp::OxygenTeal, clamp01(0.8f - m)),
                                     Light{0.6f, 0.92f, 1.0f}, clamp01(0.3f * (m - 1.0f))),
                                 Light{0.62f, 0.9f, 0.95f}, 0.5f * smoothstep(0.65f, 0.15f, rho));
        return e + colour * (0.13f * path * m * patches * fine);
    });
    addCentralStar(light, Cx + 4, Cy + 2, 60.0f, cp::HotWhite, 0.3f, 26.0f);
}

void paintSpirograph(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 4.5f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 960, Cy = 540;
    const Orientation o(0.38f, 0.25f);
    constexpr float A = 380, B = 300, C = 330;
    // Dents in the outline as seen from here, the same all along a line of
    // sight, so they are not averaged away.
    auto outline = [&](float x, float y) {
        const float dx = x - Cx, dy = y - Cy;
        const float ir = 1.0f / (std::hypot(dx, dy) + 1.0f);
        return 0.05f * cn::fbm(dx * ir * 2.2f, dy * ir * 2.2f, seed + 14, 2);
    };
    // The rim's strength and width change around it, and it breaks in a few
    // places. Both depend only on the direction seen from the star, so they are
    // worked out once per line of sight.
    struct Rim
    {
        float x = -1, y = -1, dent = 0, strength = 0, width = 0;
    };
    Rim rim;
    auto rimAt = [&](float x, float y) -> const Rim & {
        if (x != rim.x || y != rim.y) {
            const float dx = x - Cx, dy = y - Cy;
            const float ir = 1.0f / (std::hypot(dx, dy) + 1.0f);
            const float c = dx * ir, s = dy * ir;
            rim = {
                x, y, outline(x, y),
                0.08f + 1.25f * smoothstep(-0.42f, 0.3f, cn::fbm(c * 2.4f, s * 2.4f, seed + 15, 3)),
                0.05f +
                    0.13f * clamp01(0.5f + 1.2f * cn::fbm(c * 1.9f + 3, s * 1.9f, seed + 16, 2))};
        }
        return rim;
    };
    auto field = [&](float x, float y, float z) {
        const Vec3 p = o.toObject(x - Cx, y - Cy, z);
        const float s0 =
            std::sqrt((p.x / A) * (p.x / A) + (p.y / B) * (p.y / B) + (p.z / C) * (p.z / C));
        if (s0 > 1.45f)
            return core::Medium{};
        const Rim &r = rimAt(x, y);
        const float s = s0 + 0.05f * cn::fbm(p.x / 220, p.y / 220, p.z / 220, seed + 1, 2);
        // The rim is ragged at two scales and lies further out on one side.
        const float edge = 1.0f + 0.065f * cn::fbm(p.x / 210, p.y / 210, p.z / 210, seed + 2, 2) +
                           0.035f * cn::fbm(p.x / 45, p.y / 45, p.z / 45, seed + 10, 2) +
                           0.05f * (p.x / A) - 0.03f * (p.y / B) + r.dent;
        // A thin red-orange skin at the rim over a thicker yellow-green layer
        // and a blue-green interior: seen through, each brightens at its limb.
        // The red skin is seen mostly edge-on, so its caps facing us are faint.
        const float red = smoothstep(edge - 0.03f - r.width, edge - 0.03f, s) *
                          smoothstep(edge + 0.025f, edge - 0.03f, s) *
                          (0.1f + 0.9f * smoothstep(0.7f, 0.3f, std::fabs(z) / C)) * r.strength;
        const float yellow =
            smoothstep(edge - 0.34f, edge - 0.14f, s) * smoothstep(edge - 0.03f, edge - 0.12f, s);
        const float oxygen =
            smoothstep(edge - 0.16f, edge - 0.5f, s) * (0.55f + 0.45f * smoothstep(0.1f, 0.55f, s));
        const float heart = std::exp(-(s / 0.13f) * (s / 0.13f));
        const float clumps =
            0.6f + 0.8f * clamp01(0.5f + cn::fbm(p.x / 70, p.y / 70, p.z / 70, seed + 11, 2));
        // Thinner gas in broad patches darkens the blue-green glow.
        const float thin = 0.35f + 0.9f * clamp01(0.55f + 1.2f * cn::fbm(p.x / 120, p.y / 120,
                                                                         p.z / 120, seed + 17, 2));
        Light e = Light{1.0f, 0.24f, 0.1f} * (0.00042f * red * clumps);
        e += Light{1.0f, 0.72f, 0.28f} * (0.00016f * yellow * clumps);
        e += Light{0.12f, 0.75f, 0.95f} * (0.00022f * oxygen * thin);
        e += Light{1.0f, 0.9f, 0.6f} * (0.0012f * heart);
        // A faint halo beyond the rim, patchy and fading out.
        e += Light{1.0f, 0.32f, 0.25f} *
             (0.000025f * smoothstep(1.42f, edge, s) * smoothstep(edge - 0.1f, edge + 0.05f, s) *
              (0.4f + clumps));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 580), 0, int(Cx + 580), 1080};
    core::renderVolume(gas, box, 3, -1.45f * C, 1.45f * C, 40, field, seed + 3);

    // The fine structure, at full resolution. Face-on the shell shows a soft
    // mottle and a faint net of winding filaments, drawn on its near and far
    // surfaces so that it crowds and strengthens towards the limb, where the
    // line of sight runs along the wall. Near the limb, short strands run
    // outwards, slanted both ways so that they cross.
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        const cn::Offset w = cn::warp(x / 150, y / 150, seed + 4, 3);
        const float dx = x - Cx + 10 * w.x, dy = y - Cy + 10 * w.y;
        const float u0 = (dx * o.ca + dy * o.sa) / A, v0 = (-dx * o.sa + dy * o.ca) / B;
        const float edge = 1.0f + outline(x, y) + 0.05f * u0 - 0.03f * v0;
        const float u = u0 / edge, v = v0 / edge;
        const float rho = std::hypot(u, v);
        const float rr = std::min(rho, 0.975f);
        const float depth = std::sqrt(1.0f - rr * rr);
        // How much longer the line of sight through the wall is than face-on.
        const float limb = std::min(1.0f / (depth + 0.12f), 3.5f);

        auto net = [&](float z, std::uint32_t salt) {
            const float bend = 0.25f * cn::fbm(u * 3, v * 3, z * 3, salt + 1, 2);
            const float n = cn::ridged(u * 10 + bend, v * 10 - bend, z * 10, salt, 3, 0.6f);
            return n * n;
        };
        const float front = net(-depth, seed + 20), back = net(depth, seed + 22);
        // A second, finer net winds through the first.
        const float fine = cn::ridged(u * 23 + 0.4f * w.x, v * 23, depth * 23, seed + 24, 2, 0.5f);
        const float lattice = 0.6f * front + 0.4f * back + 0.35f * fine * fine * fine;

        const float theta = std::atan2(v, u);
        // Bent on a scale of a few tens of pixels, so that no strand is straight.
        const float kink = 0.03f * cn::fbm(x / 40, y / 40, seed + 7, 2);
        auto strands = [&](float slant, std::uint32_t salt) {
            const float t = theta + slant * rho + 0.05f * w.y + kink;
            const float n =
                cn::ridged(30.0f * std::cos(t), 30.0f * std::sin(t), 3.0f * rho, salt, 2, 0.5f);
            return n * n * n;
        };
        const float patchA = smoothstep(-0.1f, 0.45f, cn::fbm(x / 50, y / 50, seed + 12, 2));
        const float patchB = smoothstep(-0.1f, 0.45f, cn::fbm(x / 50, y / 50, seed + 13, 2));
        const float fibres = strands(0.4f, seed + 5) * patchA + strands(-0.35f, seed + 6) * patchB;
        const float outer = smoothstep(0.55f, 0.85f, rho) * smoothstep(1.0f, 0.9f, rho);

        // Contrast grows with the path length through the wall.
        const float netGain = (0.3f + 0.5f * limb) * smoothstep(1.06f, 0.95f, rho);
        const float mottle = 0.16f * cn::fbm(x / 28, y / 28, seed + 8, 3);
        return 1.0f + mottle + netGain * (lattice - 0.25f) + 0.6f * outer * (fibres - 0.1f) +
               0.08f * cn::fbm(x / 2.5f, y / 2.5f, seed + 9, 2);
    });
    addCentralStar(light, Cx + 3, Cy - 2, 45.0f, cp::WarmWhite, 0.4f, 36.0f);
}

void paintMedusa(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    shellparts::addFieldStars(scene, 5000, 4.0f);
    const std::uint32_t seed = scene.seed();

    constexpr float Cx = 1010, Cy = 560, R = 360;
    // Direction of the crescent's bright middle (south-west); the far side of
    // the shell is all but missing.
    constexpr float Facing = 0.75f;
    // Where the shell is faintest, above and a little left of the star.
    constexpr float TopHorn = -1.75f;
    // The red gas as a whole, so the crescent reads at a glance.
    constexpr float Lift = 1.6f;
    // How much of the arc shows at angle phi: a lopsided sector, cut unevenly.
    auto presence = [&](float c, float s) {
        const float along = c * std::cos(Facing) + s * std::sin(Facing);
        const float cut = along + 0.28f * cn::fbm(c * 1.6f + 4, s * 1.6f, seed + 1, 3) +
                          0.12f * (s * std::cos(Facing) - c * std::sin(Facing));
        // Beyond the horns a few faint wisps close the shell.
        const float wisps =
            0.3f * smoothstep(0.05f, 0.5f, cn::fbm(c * 3.0f, s * 3.0f - 2, seed + 16, 2));
        // The top horn is not bare: faint, patchy gas trails over it.
        const float overTop = c * std::cos(TopHorn) + s * std::sin(TopHorn);
        const float trail = 0.4f * gauss((1.0f - overTop) / 0.3f) *
                            smoothstep(-0.15f, 0.35f, cn::fbm(c * 4.0f - 5, s * 4.0f, seed + 42, 2));
        return std::max(smoothstep(-0.95f, 0.15f, cut), std::max(wisps, trail));
    };
    // Along the arc the gas comes in brighter and fainter stretches, and in
    // two places it all but breaks.
    auto stretches = [&](float c, float s) {
        const float phi = std::atan2(s, c);
        const float wobble = 0.12f * cn::fbm(c * 2.0f + 9, s * 2.0f, seed + 20, 2);
        const float gaps = 1.0f - 0.6f * gauss((phi + wobble - 0.2f) / 0.13f) -
                           0.85f * gauss((phi + wobble - 1.95f) / 0.08f);
        return gaps * (0.45f +
                       1.25f * smoothstep(-0.3f, 0.35f, cn::fbm(c * 2.3f, s * 2.3f, seed + 19, 2)));
    };
    auto radiusAt = [&](float c, float s) {
        // An egg rather than a circle, dented and bulging at two scales.
        const float egg = 1.0f + 0.08f * (c * c - s * s) + 0.06f * c * s;
        return R * egg *
               (1.0f + 0.3f * cn::fbm(c * 1.1f + 3, s * 1.1f, seed + 2, 2) +
                0.1f * cn::fbm(c * 2.6f, s * 2.6f + 7, seed + 15, 2) +
                0.05f * (c * std::cos(Facing) + s * std::sin(Facing)));
    };

    // The broad glow of the shell: a thick wall, brightest on the crescent,
    // and a faint blue-green haze filling it.
    auto field = [&](float x, float y, float z) {
        const float dx = x - Cx, dy = y - Cy;
        const float r = std::sqrt(dx * dx + dy * dy + z * z);
        if (r > 1.9f * R)
            return core::Medium{};
        const float ir = 1.0f / (r + 1e-3f);
        const float c = dx * ir, s = dy * ir;
        const float shellR = radiusAt(c, s);
        const float wall = gauss((r / shellR - 0.96f) / (0.07f + 0.04f * std::fabs(z) * ir));
        const float clumps =
            0.3f + clamp01(0.5f + 1.2f * cn::fbm(dx / 90, dy / 90, z / 90, seed + 4, 3));
        // Seen face-on the wall is thin, so the crescent shows mostly at its limb.
        const float edgeOn = 0.15f + 0.85f * smoothstep(0.7f, 0.3f, std::fabs(z) * ir);
        Light e = cp::Rose * (0.00005f * wall * presence(c, s) * stretches(c, s) * clumps * edgeOn);
        // The haze hugs the inner side of the crescent, in puffs parted by
        // thinner lanes.
        const float inside = smoothstep(1.0f, 0.6f, r / shellR) * (0.25f + presence(c, s));
        const float puffs =
            clamp01(0.3f + 1.2f * cn::fbm(dx / 140, dy / 140, z / 140, seed + 3, 3));
        const float lanes =
            0.15f +
            0.85f * smoothstep(-0.25f, 0.25f, cn::fbm(dx / 55, dy / 55, z / 55, seed + 21, 2));
        e += Light{0.2f, 0.75f, 0.72f} * (0.00013f * inside * puffs * puffs * lanes);
        return core::Medium{e, 0.0f};
    };
    // Seen as a whole the crescent is brightest in the lower right, round the
    // knot, and fades to a dimmer, patchier glow round the top and the left.
    auto arcGain = [&](float x, float y) {
        const float dx = x - Cx, dy = y - Cy;
        const float ir = 1.0f / (std::hypot(dx, dy) + 1.0f);
        const float toward = (dx * std::cos(Facing + 0.1f) + dy * std::sin(Facing + 0.1f)) * ir;
        const float lit = smoothstep(-0.35f, 0.9f, toward);
        const float patchy = clamp01(0.35f + 1.4f * cn::fbm(x / 75, y / 75, seed + 41, 2));
        return (0.25f + 0.55f * patchy) * (1.0f - lit) + 1.6f * lit;
    };
    const core::Box box{int(Cx - 620), 0, int(Cx + 620), 1080};
    core::FloatCanvas gas;
    core::renderVolume(gas, box, 5, -1.6f * R, 1.6f * R, 28, field, seed + 5);
    // The gas is clumpy at 5-30 px and torn by holes, finer than the volume's
    // grid holds, so even where no strands show the wall is never a smooth
    // glow. The blue-green haze stays soft.
    shellparts::paintBox(light, box, [&](float x, float y) {
        const Light g = gas.at(int(x), int(y));
        const float red = std::max(g.r - g.g, 0.0f);
        if (red <= 0.0f)
            return g;
        const float big = clamp01(0.45f + 1.1f * cn::fbm(x / 26, y / 26, seed + 36, 2));
        const float mid = 0.55f + 0.9f * clamp01(0.5f + cn::fbm(x / 10, y / 10, seed + 37, 2));
        const float grain = 0.8f + 0.4f * clamp01(0.5f + cn::fbm(x / 4.5f, y / 4.5f, seed + 38, 2));
        const float holes = smoothstep(-0.35f, 0.1f, cn::fbm(x / 48, y / 48, seed + 39, 2));
        const float clumps = (0.15f + big) * mid * grain * (0.1f + 0.9f * holes);
        const float gain = arcGain(x, y);
        return g + Light{1.0f, 0.3f, 0.36f} *
                       (red * (Lift * ((2.1f * clumps - 0.9f) * gain + gain) - 1.0f));
    });

    // The filaments themselves, at full resolution. Each family of strands is
    // the set of lines where a bent radial coordinate is whole: the bend wanders
    // along the arc and with depth, slowly, so the strands roughly follow the
    // crescent, drift towards and away from each other and cross those of the
    // other families. A strand is broken into pieces a few tens of pixels long;
    // along each it swells, thins and fades, a fuzzy cord rather than a line.
    struct Strands
    {
        float spacing, bend, along;
        std::uint32_t salt;
    };
    auto strandsOf = [&](const Strands &f, float c, float s, float depth, float twist) {
        const float n = depth / f.spacing * (1.0f + 0.15f * twist) +
                        f.bend * cn::fbm(c * f.along + depth / 250, s * f.along - depth / 300,
                                         f.salt, 2) +
                        0.25f * cn::fbm(c * 5 + depth / 90, s * 5 - depth / 110, f.salt + 6, 2) +
                        0.35f * twist;
        const float i = std::floor(n);
        const std::uint32_t h = cn::hash(int(i), 17, f.salt);
        const float own = float(h >> 8) * (1.0f / 16777216.0f);
        const float own2 = float(h & 0xFFu) * (1.0f / 255.0f);
        if (own <= 0.3f)
            return 0.0f;
        // Along the arc each strand breaks every few tens of pixels and fades
        // in and out gradually; the draw is on the unit circle so it has no
        // seam where the angle wraps.
        const float oc = c + 3.7f * own, os = s - 2.9f * own;
        const float pieces = smoothstep(-0.1f, 0.4f, cn::fbm(oc * 5, os * 5, f.salt + 4, 2));
        if (pieces <= 0.0f)
            return 0.0f;
        const float swell = clamp01(0.5f + cn::fbm(oc * 18, os * 18, f.salt + 5, 2));
        const float width = (0.24f + 0.1f * own2) * (0.75f + 0.5f * swell);
        // Knots along the strand, each strand its own.
        const float beads =
            0.25f + 1.5f * clamp01(0.5f + 1.3f * cn::fbm(oc * 40, os * 40, f.salt + 7, 2));
        const float strength = smoothstep(0.3f, 0.9f, own) * pieces * (0.4f + 0.9f * swell) * beads;
        const float wind = 0.3f * cn::fbm(c * 7, s * 7, f.salt + 3, 2);
        // Zero at the lane's edges, so neighbouring lanes with other draws
        // meet without a seam.
        const float lane0 = n - i - 0.5f;
        const float taper = std::max(1.0f - 4.0f * lane0 * lane0, 0.0f);
        const float fringe = std::min(2.0f * width, 0.4f);
        float sum = 0;
        for (const float ply : {-0.5f, 0.5f}) {
            const float lane = lane0 + ply * wind;
            sum += 0.12f * gauss(lane / width) + 0.38f * gauss(lane / fringe);
        }
        return strength * taper * sum;
    };
    constexpr float RedRolloff = 0.15f;
    constexpr float CordGain = 0.6f;
    const Strands Main[3] = {{13.0f, 4.0f, 1.5f, seed + 9},
                             {10.0f, -4.5f, 1.7f, seed + 10},
                             {17.0f, 3.0f, 2.2f, seed + 17}};
    const Strands Cords{27.0f, 3.5f, 1.6f, seed + 44};
    shellparts::paintBox(light, box, [&](float x, float y) {
        const float dx0 = x - Cx, dy0 = y - Cy;
        const float r0 = std::hypot(dx0, dy0);
        if (r0 > 1.9f * R)
            return Light{};
        // Faint winding wisps in the haze, strongest where it is thickest.
        Light haze{};
        if (r0 < 1.05f * R) {
            const cn::Offset hw = cn::warp(x / 160, y / 160, seed + 23, 2);
            const float wisp = cn::ridged(x / 60 + 1.2f * hw.x, y / 60 + 1.2f * hw.y, seed + 22, 3);
            const float patch = clamp01(0.4f + 1.3f * cn::fbm(x / 180, y / 180, seed + 24, 2));
            haze = Light{0.16f, 0.8f, 0.72f} *
                   (0.004f * smoothstep(1.0f, 0.6f, r0 / R) * patch * wisp * wisp * wisp * wisp);
        }
        if (r0 < 0.25f * R)
            return haze;
        const cn::Offset w = cn::warp(x / 130, y / 130, seed + 6, 3);
        const float dx = dx0 + 30 * w.x, dy = dy0 + 30 * w.y;
        const float r = std::hypot(dx, dy);
        const float c = dx / r, s = dy / r;
        const float shown = presence(c, s);
        if (shown <= 0.0f)
            return haze;
        const float shellR = radiusAt(c, s);
        // Thick and bright in the crescent's middle, thin towards its horns,
        // with one knotted stretch brighter still.
        const float along = c * std::cos(Facing) + s * std::sin(Facing);
        const float thick =
            0.06f + 0.1f * smoothstep(-0.3f, 0.9f, along) *
                        (0.5f + clamp01(0.5f + cn::fbm(c * 2.5f, s * 2.5f, seed + 7, 2)));
        const float knotAt = c * std::cos(Facing + 0.55f) + s * std::sin(Facing + 0.55f);
        const float knotted = gauss((1.0f - knotAt) / 0.05f);
        const float bright = 0.45f + 0.65f * smoothstep(-0.4f, 0.8f, along) + 1.2f * knotted;
        // Frayed at 20-40 px, so the front's edge is never a clean curve.
        const float d = (r / shellR - 1.0f) / thick + 0.45f * cn::fbm(x / 28, y / 28, seed + 18, 2);
        // Red at the shock front, sharper outside than in; the blue-green
        // strands lie further in.
        const float envelope = gauss(d * (d > 0 ? 1.483f : 0.775f));
        const float inner = gauss(d + 1.7f);
        const float gain = arcGain(x, y);
        const float k = shown * bright * stretches(c, s) * gain;
        if ((envelope + inner) * k < 0.0015f)
            return haze;
        const float twist = cn::fbm(x / 120, y / 120, seed + 8, 3);
        // The strands follow the outline's broad bends but only part of its
        // smaller ones, so they do not all wave in step.
        const float depth = std::hypot(dx0 + 12 * w.x, dy0 + 12 * w.y) - shellR;
        float braid = 0;
        for (const Strands &f : Main)
            braid += strandsOf(f, c, s, depth, twist);
        // In the knot the strands wind tightly about each other, some running
        // slantwise across the arc. The knot lies well away from the angle's
        // wrap, so the distance along the arc is continuous there.
        float knotBraid = 0;
        if (knotted > 0.02f) {
            // Broken every couple of tens of pixels, so no strand of the knot
            // runs on beside its neighbours as a set of nested curves.
            const float broken = smoothstep(-0.25f, 0.45f, cn::fbm(x / 30, y / 30, seed + 40, 2));
            braid *= 1.0f - 0.7f * std::min(3.0f * knotted, 1.0f) * (1.0f - broken);
            const float arc = shellR * std::atan2(s, c);
            knotBraid = strandsOf({10.0f, 2.2f, 6.0f, seed + 25}, c, s, depth, 2 * twist) +
                        strandsOf({12.0f, -2.0f, 6.5f, seed + 26}, c, s,
                                  0.88f * depth + 0.48f * arc, -twist) +
                        strandsOf({11.0f, 1.6f, 5.5f, seed + 28}, c, s, 0.9f * depth - 0.44f * arc,
                                  twist);
            knotBraid *= broken;
        }
        // A few tendrils reaching outwards, beyond the main strands: soft,
        // a few pixels wide, where a smooth noise crosses zero.
        const float t = gauss(cn::fbm(24.0f * c, 24.0f * s, r / 70 + twist, seed + 14, 2) / 0.12f) *
                        smoothstep(0.0f, 1.0f, d) *
                        smoothstep(0.2f, 0.6f, cn::fbm(c * 5, s * 5, seed + 15, 2));
        // The gas itself is clumpy at 30, 12 and 5 px and torn by dark holes;
        // the strands are denser gas within it, so they brighten with it.
        const float big = clamp01(0.45f + 1.1f * cn::fbm(x / 30 + 0.6f * w.x, y / 30, seed + 30, 2));
        const float mid = 0.55f + 0.9f * clamp01(0.5f + cn::fbm(x / 12, y / 12, seed + 31, 2));
        const float grain = 0.75f + 0.5f * clamp01(0.5f + cn::fbm(x / 5, y / 5, seed + 32, 2));
        const float holes = smoothstep(-0.4f, 0.05f, cn::fbm(x / 55, y / 55, seed + 33, 2));
        const float clumps = (0.2f + big) * mid * grain * (0.15f + 0.85f * holes);
        // Beads along the strands.
        const float beads = clamp01(0.45f + 1.3f * cn::fbm(x / 22, y / 22, seed + 11, 3));
        // The strands are knotty, brightening and thinning every few pixels.
        const float knotty = 0.35f + 1.3f * clamp01(0.5f + cn::fbm(x / 7, y / 7, seed + 29, 2));
        const float redRaw = (braid + 0.4f * t * t) * (0.35f + 0.9f * beads) * knotty;
        // The strands are denser gas within the clumps: they brighten the gas
        // they run through and fade with it, soft-saturating so that none
        // stands out as a glossy flick.
        const float red = redRaw / (redRaw + 2.5f) * (0.1f + 0.9f * holes) * (0.4f + 0.6f * big);
        // Blue-green [O III] glow in soft patches along the inner edge, with
        // a few strands of it.
        const float oxyPatch =
            clamp01(0.5f + 1.4f * cn::fbm(x / 40, y / 40, seed + 34, 2)) * (0.6f + 0.4f * mid);
        const float teal = (0.4f * strandsOf({13.0f, 1.5f, 2.5f, seed + 27}, c, s, depth, -twist) *
                                (0.3f + beads) +
                            0.5f * oxyPatch * oxyPatch) *
                           inner;
        // Where they cross most thickly the strands tangle, in broken knots
        // rather than whole loops.
        const float tangle =
            knotted > 0.02f
                ? cn::ridged(x / 14 + 1.5f * w.y, y / 14 - 1.5f * w.x, seed + 12, 2) *
                      smoothstep(-0.1f, 0.3f, cn::fbm(x / 20, y / 20, seed + 35, 2))
                : 0.0f;
        const float knot = knotted * gauss((d + 0.3f) / 1.1f) *
                           (knotBraid + 0.6f * tangle * tangle * tangle * braid) * (0.3f + beads) *
                           knotty * (0.3f + 0.7f * clumps) * (1.0f + 0.6f * clumps);
        const float knotSoft = knot * 1.5f / (knot + 1.5f) * 1.4f;
        // Where the knot and the densest clumps pile up the glow rolls off, so
        // the brightest clumps stay a faint object's rather than a blown patch.
        const float gasRed = Lift * 0.032f * clumps * (0.35f + 5.0f * red) * envelope * k;
        const float knotRed = 0.1f * knotSoft;
        // In the bright part of the arc some of the strands show as cords,
        // less broken by the clumps than the gas around them.
        const float cordsShow =
            smoothstep(0.7f, 1.3f, gain) *
            smoothstep(-0.2f, 0.2f, cn::fbm(x / 110, y / 110, seed + 43, 2));
        float cordRed = 0;
        if (cordsShow > 0.0f) {
            // Broader than the braid's strands, so they read as soft cords
            // a few pixels wide rather than as fine lines.
            const float cord = strandsOf(Cords, c, s, depth, 0.7f * twist) * knotty;
            cordRed = CordGain * cordsShow * cord / (cord + 1.5f) * (0.3f + 0.7f * holes) *
                      (0.5f + 0.5f * mid) * envelope * k;
        }
        const float rolloff = 1.0f / (1.0f + (gasRed + knotRed + cordRed) / RedRolloff);
        return haze +
               (cp::Rose * (Lift * 0.008f * red * envelope * k) +
                Light{1.0f, 0.3f, 0.36f} * (gasRed + cordRed) +
                Light{1.0f, 0.38f, 0.42f} * knotRed) *
                   rolloff +
               Light{0.12f, 0.85f, 0.72f} * (0.02f * teal * k);
    });
    addCentralStar(light, Cx - 55, Cy + 30, 3.5f, cp::HotWhite);
}

} // namespace painted
