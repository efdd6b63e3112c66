// SPDX-License-Identifier: MIT
// Bipolar nebulae: lobes blown out on both sides of a dusty waist.

#include "artwork/painted/noise.h"
#include "artwork/painted/palette.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"
#include "artwork/painted/shapes.h"
#include "artwork/painted/starfield.h"

#include <cmath>

namespace painted {

namespace {

using namespace shape;
using namespace palette;

// A lobe wall seen edge-on: brightest where the line of sight grazes the wall
// at |across| == halfWidth, with a dimmer fill inside.
float lobeWall(float across, float halfWidth, float wall)
{
    return bump(std::fabs(across) - halfWidth, wall);
}

float lobeFill(float across, float halfWidth)
{
    return smoothstep(halfWidth * 1.05f, halfWidth * 0.3f, std::fabs(across));
}

} // namespace

void paintRedSpider(Scene &scene)
{
    backgroundStars(scene, 3500, 2.2f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 6, v * 6, seed + 1, 3);
        const Point p = toFrame(u + 0.01f * w.x, v + 0.01f * w.y, 0, 0, -0.9f);
        const float along = std::fabs(p.x);
        const float t = along / 0.44f;
        // Lobes like long flasks: pinched at the waist, closed at the ends, their
        // walls rippling like waves.
        const float ripple = 0.014f * noise::fbm(p.x * 9, p.y > 0 ? 0.0f : 5.0f, seed + 3, 3) *
                             smoothstep(0.03f, 0.2f, along);
        const float across = p.y + ripple;
        const float tc = std::min(t, 1.0f);
        const float half =
            0.008f + 0.1f * std::pow(std::sin(Pi * tc * 0.92f), 0.6f) * std::pow(tc, 0.25f);
        const float extent = smoothstep(1.08f, 0.85f, t);
        const float clumps = 0.45f + 0.9f * clamp01(0.5f + noise::fbm(u * 22, v * 22, seed + 2, 5));
        const float wall = lobeWall(across, half, 0.014f + 0.012f * t);
        Rgb light = mix(NitrogenOrange, HydrogenRed, 0.3f) * (0.8f * wall * extent * clumps);
        light += mix(NitrogenOrange, Gold, 0.5f) *
                 (0.35f * wall * extent * clumps * clumps * smoothstep(0.5f, 0.1f, t));
        light += mix(Rose, SkyBlue, 0.4f) * (0.1f * lobeFill(across, half) * extent * clumps);
        // The caps of the lobes, where the flow ran into older gas.
        light += HydrogenRed *
                 (0.3f * bump(t - 0.98f, 0.06f) * lobeFill(across, half * 1.6f + 0.02f) * clumps);
        // Wider, fainter outer lobes.
        const float outerHalf = 0.03f + 0.17f * std::pow(std::min(t * 0.8f, 1.1f), 0.7f);
        light += HydrogenRed * (0.1f * lobeWall(p.y, outerHalf, 0.03f) *
                                smoothstep(1.3f, 0.6f, t * 0.8f) * clumps);
        const float r = std::hypot(u, v);
        light += mix(Gold, WarmWhite, 0.5f) *
                 (1.6f * std::exp(-r / 0.01f) + 0.3f * std::exp(-r / 0.04f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0, 0, WarmWhite, 3.0f, 1.2f);
}

void paintButterfly(Scene &scene)
{
    backgroundStars(scene, 3000, 2.0f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 4, v * 4, seed + 1, 4);
        const Point p = toFrame(u + 0.025f * w.x, v + 0.025f * w.y, 0, 0, -0.22f);
        const float along = std::fabs(p.x);
        const float side = p.x > 0 ? 1.0f : 1.12f; // the eastern wing is the larger
        const float reach = 0.6f * side;
        // Broad wings flare out from a narrow waist and round off at their tips.
        const float half = (0.04f + 0.37f * std::pow(along, 1.05f)) * side;
        const float across = std::fabs(p.y) / half;
        const float tip = smoothstep(reach, reach * 0.55f, along);
        const float wing = std::exp(-std::pow(across, 3.0f)) * tip;
        // Streaks radiate from the centre: noise in angle and log radius.
        const float r = std::hypot(p.x, p.y);
        const float angle = std::atan2(p.y, along + 0.01f);
        const float streaks = noise::fbm(
            angle * 9, std::log(r + 0.02f) * 2.5f + (p.x > 0 ? 0.0f : 9.0f), seed + 2, 5);
        const float clumps = noise::fbm(u * 10, v * 10, seed + 3, 5);
        const float texture = clamp01(0.6f + 0.5f * streaks + 0.35f * clumps);
        Rgb light =
            mix(HotWhite, SkyBlue, 0.3f + 0.3f * clamp01(along / reach)) * (1.1f * wing * texture);
        // Rusty walls outline the wings.
        const float wall = bump(across - 0.95f, 0.28f) * tip;
        light += mix(NitrogenOrange, DustBrown, 0.35f) *
                 (0.55f * wall * clamp01(0.5f + clumps + 0.4f * streaks));
        light += mix(WarmWhite, Gold, 0.3f) *
                 (1.1f * std::exp(-along / 0.06f) * std::exp(-std::fabs(p.y) / 0.07f) * texture);
        // A thick lane of dust girdles the waist.
        const float laneNoise = noise::fbm(p.y * 10, p.x * 10, seed + 4, 4);
        const float lane = bump(p.x + 0.02f * laneNoise - 0.015f, 0.05f) * bump(p.y, 0.2f);
        const float tau = 4.5f * lane * (0.8f + 0.5f * laneNoise);
        light = light * std::exp(-tau);
        light += mix(DustBrown, NitrogenOrange, 0.3f) * (0.3f * lane * (0.6f + 0.6f * laneNoise));
        return Gas{light, tau};
    });
}

void paintHourglass(Scene &scene)
{
    backgroundStars(scene, 2500, 2.0f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 8, v * 8, seed + 1, 3);
        const float x = u + 0.012f * w.x, y = v + 0.012f * w.y;
        const float knots = 0.55f + 0.8f * clamp01(0.5f + noise::fbm(x * 26, y * 26, seed + 2, 4));
        Rgb light;
        // Two hourglasses, one inside the other: the outer pink, the inner teal.
        struct Glass
        {
            float length, width, wall;
            Rgb colour;
            float brightness, fill;
        };
        const Glass glasses[] = {{0.4f, 0.16f, 0.012f, Rose, 0.8f, 0.08f},
                                 {0.3f, 0.105f, 0.01f, OxygenTeal, 0.6f, 0.25f}};
        for (const Glass &g : glasses) {
            const float t = std::fabs(y) / g.length;
            if (t > 1.2f)
                continue;
            const float half =
                0.012f + g.width * std::pow(std::sin(Pi * 0.5f * std::min(t, 1.0f) * 1.15f), 0.8f);
            // A thin glowing surface of revolution: limb-brightened towards its
            // edges, softly filled between them.
            const float q = std::fabs(x) / half;
            const float surface = q < 1 ? 1.0f / std::sqrt(std::max(1.0f - q * q, 0.06f)) : 0.0f;
            const float edge = smoothstep(1.0f + g.wall / half * 2, 1.0f, q);
            light += g.colour *
                     (g.fill * g.brightness * surface * edge * smoothstep(1.1f, 0.85f, t) * knots);
            light += g.colour * (0.6f * g.brightness * lobeWall(x, half, g.wall) *
                                 smoothstep(1.15f, 0.9f, t) * knots);
            // The lobes' open rims seen slightly from above: nested rings.
            for (float k : {0.55f, 0.85f}) {
                const float ry = g.length * k;
                const float rh = 0.012f + g.width * std::pow(std::sin(Pi * 0.5f * k * 1.15f), 0.8f);
                for (float s : {-1.0f, 1.0f}) {
                    const float d = ellipse(x, y, 0, s * ry, rh, rh * 0.28f, 0.0f);
                    light += g.colour * (0.25f * g.brightness * bump(d - 1, 0.2f) * knots * knots);
                }
            }
        }
        // The eye: a small bright ring around the star.
        const float eye = ellipse(x, y, 0.002f, 0, 0.032f, 0.02f, 0.2f);
        light += mix(Rose, WarmWhite, 0.5f) * (0.9f * bump(eye - 1, 0.25f));
        light += OxygenTeal * (0.3f * smoothstep(1.0f, 0.2f, eye));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0.008f, 0.003f, WarmWhite, 3.0f, 1.1f);
}

void paintMinkowski29(Scene &scene)
{
    backgroundStars(scene, 2500, 2.0f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 7, v * 7, seed + 1, 3);
        const Point p = toFrame(u + 0.008f * w.x, v + 0.008f * w.y, 0, 0, Pi * 0.5f - 0.05f);
        const float along = std::fabs(p.x);
        const float t = along / 0.44f;
        // Long, narrow, jet-like lobes pinched to a point at the waist.
        const float half =
            0.006f + 0.06f * std::pow(std::min(t, 1.0f), 0.55f) * (1 - 0.35f * t * t);
        const float extent = smoothstep(1.1f, 0.75f, t);
        const float knots =
            0.45f + 0.9f * clamp01(0.5f + noise::fbm(p.x * 25, p.y * 40, seed + 2, 4));
        const float blueness = smoothstep(0.15f, 0.9f, t);
        Rgb wallColour = mix(NitrogenOrange, SkyBlue, blueness * 0.8f);
        Rgb light = wallColour * (0.7f * lobeWall(p.y, half, 0.008f + 0.008f * t) * extent * knots);
        light +=
            mix(NitrogenOrange, SkyBlue, 0.6f) * (0.25f * lobeFill(p.y, half) * extent * knots);
        // Knots along the jet axis.
        light += SkyBlue * (0.25f * bump(p.y, 0.01f) * extent * knots * knots);
        const float r = std::hypot(u, v);
        light += mix(Gold, WarmWhite, 0.5f) *
                 (1.5f * std::exp(-r / 0.008f) + 0.35f * std::exp(-r / 0.035f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0, 0, WarmWhite, 3.0f, 1.0f);
}

void paintHomunculus(Scene &scene)
{
    backgroundStars(scene, 3000, 2.0f);
    const uint32_t seed = scene.seed();
    constexpr Rgb GreyBrown{0.8f, 0.64f, 0.52f};
    constexpr Rgb RustBrown{0.85f, 0.48f, 0.32f};
    constexpr float Axis = 0.72f; // the lobes point to the upper left and lower right
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 6, v * 6, seed + 1, 3);
        const float x = u + 0.01f * w.x, y = v + 0.01f * w.y;
        const Point p = toFrame(x, y, 0, 0, Axis);
        Rgb light;
        // Billowing, cauliflower-like lobes: bright puffs between darker folds.
        const noise::Offset w2 = noise::warp(x * 14, y * 14, seed + 3, 3);
        const float billow = noise::billow(x * 16 + 0.3f * w2.x, y * 16 + 0.3f * w2.y, seed + 2, 5);
        const float folds = noise::fbm(x * 7, y * 7, seed + 6, 4);
        const float texture = 0.35f + 1.2f * billow * (0.75f + 0.5f * folds);
        const Rgb tint =
            mix(GreyBrown, RustBrown, clamp01(0.5f + 1.2f * noise::fbm(x * 4, y * 4, seed + 8, 3)));
        for (float s : {-1.0f, 1.0f}) {
            const float wobble = 0.1f * noise::fbm(x * 7, y * 7, seed + 7, 4);
            const float d = ellipse(p.x, p.y, s * 0.2f, 0, 0.215f, 0.18f, 0) + wobble;
            // Dust scatters the star's light: brightest near the star, with a
            // brighter limb where the line of sight grazes the lobe's wall.
            const float along = clamp01(s * p.x / 0.42f);
            const float body = smoothstep(1.03f, 0.93f, d) *
                               (0.55f + 0.45f * (1 - along) + 0.35f * smoothstep(0.7f, 1.0f, d));
            // The lobe facing us is brighter.
            const float near = s > 0 ? 1.0f : 0.75f;
            light += tint * (1.3f * near * body * texture);
            light += mix(SkyBlue, Rose, 0.5f) * (0.08f * bump(d - 1.0f, 0.05f));
        }
        // A thin equatorial skirt of radial streaks.
        const float r = std::hypot(p.x, p.y);
        const float streaks =
            clamp01(0.3f + 1.2f * noise::fbm(std::atan2(p.y, std::fabs(p.x) + 0.02f) * 10, r * 4,
                                             seed + 4, 3));
        light += mix(GreyBrown, HotWhite, 0.5f) *
                 (1.1f * bump(p.x, 0.008f + 0.012f * r) * smoothstep(0.36f, 0.05f, r) * streaks);
        // Faint red shreds of older ejecta around the whole nebula.
        light += NitrogenOrange * (0.06f * bump(r - 0.42f, 0.08f) *
                                   clamp01(noise::fbm(x * 12, y * 12, seed + 5, 4) + 0.2f));
        light += WarmWhite * (2.5f * std::exp(-r / 0.008f) + 0.6f * std::exp(-r / 0.04f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0, 0, WarmWhite, 8.0f, 2.2f, 0.35f);
}

void paintBoomerang(Scene &scene)
{
    backgroundStars(scene, 2000, 1.8f);
    const uint32_t seed = scene.seed();
    constexpr Rgb BlueGrey{0.55f, 0.66f, 0.85f};
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 5, v * 5, seed + 1, 3);
        const Point p = toFrame(u + 0.012f * w.x, v + 0.012f * w.y, 0, 0, -0.18f);
        const float r = std::hypot(p.x, p.y);
        const float angle = std::atan2(std::fabs(p.y), std::fabs(p.x));
        // Reflected light in two cones; faint arcs ripple through them.
        const float cone = smoothstep(0.66f, 0.36f, angle) * smoothstep(0.62f, 0.25f, r);
        const float arcs =
            0.85f + 0.15f * std::sin(r * 90 + 6 * noise::fbm(p.x * 8, p.y * 8, seed + 2, 3));
        const float texture = 0.6f + 0.5f * noise::fbm(p.x * 14, p.y * 14, seed + 3, 4);
        const float edgeGlow = 0.6f + 0.5f * bump(angle - 0.45f, 0.12f);
        Rgb light = BlueGrey * (1.6f * cone * arcs * texture * edgeGlow * std::exp(-r / 0.24f));
        // Larger, fainter outer lobes of the same light.
        const float outer = smoothstep(0.9f, 0.45f, angle) * smoothstep(0.8f, 0.3f, r);
        light += BlueGrey * (0.12f * outer * texture + 0.08f * std::exp(-r / 0.25f));
        // A dark band of dust across the middle.
        const float band =
            bump(p.x + 0.01f * noise::fbm(p.y * 12, 0, seed + 4, 3), 0.035f) * bump(p.y, 0.12f);
        const float tau = 3.0f * band;
        light = light * std::exp(-tau);
        light += WarmWhite * (0.35f * std::exp(-r / 0.01f) * std::exp(-tau * 0.5f));
        return Gas{light, tau};
    });
}

} // namespace painted
