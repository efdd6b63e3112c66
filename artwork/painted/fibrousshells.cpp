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
