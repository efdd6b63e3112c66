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
using core::shaping::bump;
using core::shaping::clamp01;
using core::shaping::smoothstep;
using shellparts::Orientation;
using shellparts::Vec3;

constexpr float Tau = 6.2831853f;

} // namespace

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
        if (s0 > 1.4f)
            return core::Medium{};
        const float s = s0 + 0.05f * cn::fbm(p.x / 220, p.y / 220, p.z / 220, seed + 1, 2);
        // The rim is ragged at two scales and lies further out on one side.
        const float edge = 1.0f + 0.065f * cn::fbm(p.x / 210, p.y / 210, p.z / 210, seed + 2, 2) +
                           0.035f * cn::fbm(p.x / 45, p.y / 45, p.z / 45, seed + 10, 2) +
                           0.05f * (p.x / A) - 0.03f * (p.y / B);
        // A thin red-orange skin at the rim over a thicker yellow-green layer
        // and a blue-green interior: seen through, each brightens at its limb.
        // The red skin is seen mostly edge-on, so its caps facing us are faint.
        const float red = smoothstep(edge - 0.12f, edge - 0.03f, s) *
                          smoothstep(edge + 0.02f, edge - 0.03f, s) *
                          (0.1f + 0.9f * smoothstep(0.7f, 0.3f, std::fabs(z) / C));
        const float yellow = smoothstep(edge - 0.34f, edge - 0.14f, s) * smoothstep(edge - 0.03f, edge - 0.12f, s);
        const float oxygen = smoothstep(edge - 0.1f, edge - 0.5f, s) * (0.55f + 0.45f * smoothstep(0.1f, 0.55f, s));
        const float heart = std::exp(-(s / 0.13f) * (s / 0.13f));
        const float clumps = 0.6f + 0.8f * clamp01(0.5f + cn::fbm(p.x / 70, p.y / 70, p.z / 70, seed + 11, 2));
        Light e = Light{1.0f, 0.24f, 0.1f} * (0.0006f * red * clumps);
        e += Light{0.8f, 0.9f, 0.3f} * (0.00012f * yellow * clumps);
        e += Light{0.12f, 0.75f, 0.95f} * (0.00022f * oxygen);
        e += Light{1.0f, 0.9f, 0.6f} * (0.0012f * heart);
        // A faint halo beyond the rim.
        e += Light{1.0f, 0.35f, 0.25f} * (0.00005f * smoothstep(1.35f, edge, s));
        return core::Medium{e, 0.0f};
    };
    core::FloatCanvas gas;
    const core::Box box{int(Cx - 560), 0, int(Cx + 560), 1080};
    core::renderVolume(gas, box, 3, -1.4f * C, 1.4f * C, 40, field, seed + 3);

    // The fine strands run outwards from the star, slanted a little one way or
    // the other so that two families cross, each strong in its own patches.
    // Ridged noise sampled round a circle in noise space is seamless in angle
    // and stretched along the radius.
    shellparts::addDetailed(light, gas, box, [&](float x, float y) {
        const cn::Offset w = cn::warp(x / 140, y / 140, seed + 4, 3);
        const float dx = x - Cx + 9 * w.x, dy = y - Cy + 9 * w.y;
        const float u = dx * o.ca + dy * o.sa, v = -dx * o.sa + dy * o.ca;
        const float rho = std::hypot(u / A, v / B);
        const float theta = std::atan2(v / B, u / A);
        auto strands = [&](float cycles, float slant, float outward, std::uint32_t salt) {
            const float t = theta + slant * rho + 0.06f * w.y;
            return cn::ridged(cycles * std::cos(t), cycles * std::sin(t), outward * rho, salt, 3, 0.45f);
        };
        // Each family is broken into lengths by its own patches.
        const float a = strands(21.0f, 0.65f, 3.6f, seed + 5) *
                        (0.3f + 0.7f * smoothstep(-0.5f, 0.3f, cn::fbm(x / 45, y / 45, seed + 12, 2)));
        const float b = strands(18.0f, -0.6f, 3.2f, seed + 6) *
                        (0.3f + 0.7f * smoothstep(-0.5f, 0.3f, cn::fbm(x / 45, y / 45, seed + 13, 2)));
        const float mixAB = smoothstep(-0.45f, 0.45f, cn::fbm(x / 110, y / 110, seed + 7, 3));
        const float weave = a * (0.35f + 0.9f * mixAB) + b * (1.25f - 0.9f * mixAB);
        const float shown = smoothstep(0.1f, 0.45f, rho) * smoothstep(1.1f, 0.97f, rho);
        const float depth = 0.45f + 0.55f * smoothstep(-0.5f, 0.4f, cn::fbm(x / 80, y / 80, seed + 8, 2));
        return 1.0f + shown * depth * (2.4f * weave - 0.75f) + 0.1f * cn::fbm(x / 2.5f, y / 2.5f, seed + 9, 2);
    });
    addCentralStar(light, Cx + 3, Cy - 2, 45.0f, cp::WarmWhite, 0.4f, 36.0f);
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
