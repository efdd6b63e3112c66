// SPDX-License-Identifier: MIT
// Dark dust seen against glowing gas: silhouettes and rim-lit columns.

#include "artwork/core/coarsefield.h"
#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/shaping.h"
#include "artwork/painted/bipolarlayers.h"
#include "artwork/painted/centralstar.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <cmath>

namespace painted {

namespace {

using namespace core::shaping;

// Calls f(px, py, u, v) for every pixel, with u, v its centre in picture
// coordinates (origin at the centre, height 1).
template <typename F> void eachPixel(F &&f)
{
    for (int py = 0; py < Scene::Height; ++py) {
        for (int px = 0; px < Scene::Width; ++px)
            f(px, py, (float(px) + 0.5f - 0.5f * Scene::Width) / Scene::Height,
              (float(py) + 0.5f) / Scene::Height - 0.5f);
    }
}

// Distance to a disc.
float circle(float x, float y, float cx, float cy, float r)
{
    return std::hypot(x - cx, y - cy) - r;
}

// Distance to a capsule whose radius runs from ra at a to rb at b.
float taperedCapsule(float x, float y, float ax, float ay, float ra, float bx, float by, float rb)
{
    const float dx = bx - ax, dy = by - ay;
    const float t = clamp01(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(x - ax - t * dx, y - ay - t * dy) - lerp(ra, rb, t);
}

// The horse's head and neck, facing left, with its muzzle lowered.
float horse(float x, float y)
{
    float d = taperedCapsule(x, y, 0.14f, 0.34f, 0.1f, 0.07f, -0.03f, 0.07f); // neck
    d = smin(d, circle(x, y, 0.04f, -0.08f, 0.075f), 0.03f);                  // skull
    d = smin(d, taperedCapsule(x, y, 0.0f, -0.05f, 0.062f, -0.115f, 0.035f, 0.047f),
             0.03f);                                          // muzzle
    d = smin(d, circle(x, y, 0.025f, 0.005f, 0.055f), 0.03f); // jaw
    d = smin(d, taperedCapsule(x, y, 0.06f, -0.13f, 0.024f, 0.072f, -0.165f, 0.012f), 0.02f); // ear
    d = smin(d, circle(x, y, 0.15f, 0.07f, 0.06f), 0.05f); // mane
    // The throat: a notch between the jaw and the neck.
    return std::max(d, -circle(x, y, -0.01f, 0.1f, 0.045f));
}

} // namespace

void paintHorsehead(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 7000, 5.0f);

    const core::Light hydrogen = mix(core::palette::HydrogenRed, core::palette::Rose, 0.2f);
    const core::Light dustRed{0.7f, 0.3f, 0.2f};
    const int octaves = core::noise::octavesFor(400.0f, 3.0f);
    eachPixel([&](int px, int py, float u, float v) {
        // The curtain: glowing hydrogen combed into vertical striations
        // whose strength comes and goes across the picture.
        const float strength =
            smoothstep(-0.4f, 0.5f, core::noise::fbm(u * 2.2f, v * 0.8f, seed + 2, 3));
        const float combed = core::noise::fbm(u * 24, v * 2.2f, seed + 4, 4) +
                             0.5f * core::noise::fbm(u * 70, v * 6, seed + 5, 3);
        const float mottle = core::noise::fbm(u * 5, v * 5, seed + 6, octaves - 1);
        const float front = std::exp(-std::max(0.0f, 0.28f - v) / 0.5f);
        core::Light c =
            hydrogen *
            (0.09f * front * std::exp(0.9f * mottle) * (1.0f + 0.45f * strength * combed) + 0.004f);

        // Dust: the cloud and the head rising from it, its outline
        // warped at three scales so nothing reads as a cut-out.
        const core::noise::Offset b = core::noise::warp(u * 4, v * 4, seed + 7, 3);
        const core::noise::Offset w = core::noise::warp(u * 12, v * 12, seed + 8, 3);
        const float x = u + 0.025f * b.x + 0.012f * w.x, y = v + 0.025f * b.y + 0.012f * w.y;
        const float edge = 0.26f + 0.03f * x +
                           0.08f * core::noise::fbm(x * 2.5f, 0.5f, seed + 3, 5) +
                           0.03f * core::noise::fbm(x * 10, y * 6, seed + 9, 3);
        const float fine = core::noise::fbm(u * 90, v * 90, seed + 10, 3);
        const float d = smin(horse(x, y), edge - y, 0.07f) + 0.005f * fine;
        const float depth = std::max(-d, 0.0f);
        const float lumps = core::noise::fbm(x * 16, y * 16, seed + 12, octaves - 2);
        // A rounded cloud's chord through the line of sight; thin at the edge.
        const float tau = 32.0f * std::sqrt(depth * 0.06f) * (0.75f + 0.6f * lumps) +
                          0.7f * smoothstep(0.04f, -0.01f, d) * clamp01(0.6f + lumps);
        const float t = std::exp(-tau);
        c = c * t;
        // The dust glows dull red where the curtain lights it, most at
        // its rim and on the head's brow, less deep in the cloud.
        const float rim = std::exp(-square((d + 0.004f) / 0.008f)) *
                          clamp01(0.4f + 1.2f * (lumps + 0.3f * strength));
        const float brow = smoothstep(0.3f, -0.15f, y);
        c += dustRed * ((1.0f - t) * 0.022f * clamp01(0.45f + 1.2f * lumps) *
                        (0.3f + 0.7f * std::exp(-depth / 0.05f)));
        c += mix(hydrogen, core::palette::WarmWhite, 0.2f) * (0.06f * rim * (0.3f + 0.7f * brow));
        // A small blue reflection nebula lit by a star in the cloud.
        const float refl = std::hypot(u + 0.6f, v - 0.38f);
        c += mix(core::palette::Reflection, core::palette::HotWhite, 0.3f) *
             (0.05f * std::exp(-refl / 0.07f) * clamp01(0.7f + 0.6f * lumps));
        light.dim(px, py, t);
        light.add(px, py, c);
    });
    addCentralStar(light, Scene::toX(-0.6f), Scene::toY(0.38f), 12.0f, core::palette::HotWhite);
    // The bright star above the curtain, the only one with spikes.
    addCentralStar(light, Scene::toX(-0.28f), Scene::toY(-0.4f), 160.0f,
                   core::Light::fromColourIndex(-0.25f), 0.5f, 50.0f, 0.35f);
}

namespace {

struct Column
{
    float baseU, baseV, baseWidth;
    float topU, topV, topWidth;
    float headWidth;
    float bend; // sideways bow of the column's middle
};

// Columns of dust standing on a dusty ridge along the bottom of the picture.
struct ColumnSet
{
    const Column *columns;
    int count;
    float ground;      // the ridge's height at u = 0
    float groundSlope; // its rise per unit of u
};

float columnDistance(const ColumnSet &set, float x, float y, uint32_t seed)
{
    // Lumpy outlines: warp the coordinates at a few scales.
    const core::noise::Offset b = core::noise::warp(x * 2, y * 2, seed + 22, 3);
    const core::noise::Offset w = core::noise::warp(x * 6, y * 6, seed + 20, 4);
    const core::noise::Offset f = core::noise::warp(x * 16, y * 16, seed + 21, 2);
    const float px = x + 0.045f * b.x + 0.03f * w.x + 0.007f * f.x;
    const float py = y + 0.03f * b.y + 0.03f * w.y + 0.007f * f.y;
    float d = 1e9f;
    for (int i = 0; i < set.count; ++i) {
        const Column &c = set.columns[i];
        const float t = clamp01((c.baseV - py) / (c.baseV - c.topV));
        const float bow = c.bend * std::sin(Pi * t);
        // The width swells and narrows along the column.
        const float swell = 1.0f + 0.4f * core::noise::fbm(t * 4.0f, float(i) * 7.3f, seed + 23, 3);
        float e = taperedCapsule(px - bow, py, c.baseU, c.baseV, c.baseWidth * swell, c.topU,
                                 c.topV, c.topWidth * swell);
        e = smin(
            e,
            circle(px, py, c.topU + 0.2f * c.headWidth, c.topV + c.headWidth * 0.5f, c.headWidth),
            0.04f);
        // A smaller lump beside the head, so no top is a plain round cap.
        e = smin(e,
                 circle(px, py, c.topU + 0.95f * c.headWidth, c.topV + 0.45f * c.headWidth,
                        0.55f * c.headWidth),
                 0.03f);
        d = std::min(d, e);
    }
    const float ground =
        set.ground + 0.06f * core::noise::fbm(x * 3, 0.0f, seed + 24, 4) + set.groundSlope * x - py;
    return smin(d, ground, 0.05f);
}

// How dust columns look at a point: their opacity, their warm skin and their
// rims, lit from the direction (lightU, lightV).
struct Lighting
{
    float tau;
    float skin; // glow of the sunlit outer layer
    float rim;  // the bright edge facing the light
    float haze; // gas boiling off the lit side, just outside
};

Lighting lightColumns(const core::CoarseField &shape, float u, float v, float lightU, float lightV,
                      float lumps, float patchiness, float fine = 0.0f)
{
    const float d = shape.sample(u, v) + fine;
    // How open the point is to the light: the distance field a little way
    // towards the light tells whether the surface lies just there. Unlike a
    // normal, this has no seam along a column's axis.
    const float near = shape.sample(u + lightU * 0.02f, v + lightV * 0.02f);
    const float far = shape.sample(u + lightU * 0.05f, v + lightV * 0.05f);
    const float lit =
        0.6f * smoothstep(-0.015f, 0.015f, near) + 0.4f * smoothstep(-0.015f, 0.015f, far);
    const float inside = smoothstep(0.012f, -0.025f, d);
    Lighting l;
    l.tau = inside * (2.0f + 1.2f * lumps + 2.0f * smoothstep(0.0f, -0.08f, d)) +
            0.4f * smoothstep(0.03f, 0.0f, d);
    l.skin = inside * clamp01(0.4f + 1.0f * lumps) * (0.35f + 0.65f * lit) *
             std::exp(std::min(d, 0.0f) / 0.1f);
    l.rim =
        bump(d + 0.006f, 0.011f) * lit * lit * clamp01(0.15f + 1.3f * (0.5f + lumps)) * patchiness;
    l.haze = std::exp(-std::max(d, 0.0f) / 0.035f) * lit * (1 - inside);
    return l;
}

// Three columns rising from the lower left, the tallest first, unevenly
// spaced and of unequal girth, standing on a dark ridge.
constexpr Column CreationColumns[] = {
    {-0.48f, 0.66f, 0.24f, -0.2f, -0.36f, 0.075f, 0.07f, -0.08f},
    {0.1f, 0.66f, 0.16f, 0.2f, 0.0f, 0.045f, 0.05f, 0.05f},
    {0.54f, 0.66f, 0.1f, 0.6f, 0.25f, 0.03f, 0.034f, -0.03f},
};

} // namespace

void paintPillars(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 4500, 5.0f, 0.4f);
    addCentralStar(light, Scene::toX(0.62f), Scene::toY(-0.34f), 60.0f,
                   core::Light::fromColourIndex(0.3f), 0.6f, 50.0f, 0.4f);
    addCentralStar(light, Scene::toX(-0.74f), Scene::toY(-0.12f), 25.0f,
                   core::Light::fromColourIndex(-0.1f));

    const core::Light teal{0.22f, 0.66f, 0.64f};
    const core::Light gold{1.0f, 0.7f, 0.36f};
    const core::Light pillarBrown{0.75f, 0.42f, 0.22f};
    const core::Light rimGold{1.0f, 0.8f, 0.55f};
    // The light comes from the clusters above, a little to the right.
    constexpr float LightU = 0.24f, LightV = -0.97f;

    const ColumnSet set{CreationColumns, 3, 0.44f, 0.12f};
    core::CoarseField shape(Scene::Width, Scene::Height, 3);
    shape.fill([&](float u, float v) { return columnDistance(set, u, v, seed); });

    const int octaves = core::noise::octavesFor(300.0f, 3.0f);
    eachPixel([&](int px, int py, float u, float v) {
        // The glow behind: teal high up, gold lower down, mottled.
        const core::noise::Offset w = core::noise::warp(u * 3, v * 3, seed + 1, 3);
        const float x = u + 0.05f * w.x, y = v + 0.05f * w.y;
        const float mottle = core::noise::fbm(x * 4, y * 4, seed + 2, octaves - 2);
        const float warmth =
            clamp01(0.4f + 0.9f * v + 0.35f * core::noise::fbm(x * 2, y * 2, seed + 3, 3));
        core::Light glow = mix(teal, gold, warmth) * (0.05f * std::exp(1.1f * mottle));

        // Edges rough down to a few pixels.
        const float fine = core::noise::fbm(u * 70, v * 70, seed + 4, 4);
        const float d = shape.sample(u, v) + 0.007f * fine;
        const float near = shape.sample(u + LightU * 0.02f, v + LightV * 0.02f);
        const float far = shape.sample(u + LightU * 0.06f, v + LightV * 0.06f);
        const float lit =
            0.6f * smoothstep(-0.012f, 0.012f, near) + 0.4f * smoothstep(-0.012f, 0.012f, far);
        // Dust: the chord of a rounded column through the line of sight.
        const float depth = std::max(-d, 0.0f);
        const float lumps = core::noise::fbm(u * 14, v * 14, seed + 5, octaves - 1);
        const float chord = 2.0f * std::sqrt(depth * 0.1f);
        const float tau = 70.0f * chord * (0.8f + 0.5f * lumps) + 0.6f * smoothstep(0.03f, 0.0f, d);
        core::Light c = glow * std::exp(-tau);
        // The sunlit skin, uneven, and the pillars' own dull glow inside.
        const float patches =
            smoothstep(-0.35f, 0.45f, core::noise::fbm(u * 5, v * 5, seed + 7, 4));
        const float skin = (depth > 0 ? 1.0f : 0.0f) * std::exp(-depth / 0.03f) *
                           clamp01(0.35f + 0.9f * lumps + 0.3f) * (0.3f + 0.7f * lit);
        const float inner = (1.0f - std::exp(-tau)) * clamp01(0.6f + 0.8f * lumps);
        // Deeper in, light still filters through from the lit side.
        const float lee = smoothstep(-0.09f, 0.0f, near);
        // Knobbly surface detail down to a few pixels.
        const float knobs = core::noise::billow(u * 60, v * 60, seed + 14, 3);
        const float surface = 0.5f + 1.0f * knobs;
        c += pillarBrown * surface *
             (0.1f * skin * (0.4f + patches) +
              0.035f * inner * clamp01(0.45f + 0.9f * lumps) * (0.25f + 0.75f * lee));
        const float rim = std::exp(-square((d + 0.004f) / 0.009f)) * lit * lit *
                          (0.15f + 1.6f * patches * patches) * clamp01(0.7f + lumps);
        c += mix(rimGold, core::palette::WarmWhite, 0.3f) * (0.2f * rim * (0.6f + 0.8f * knobs));
        // Gas streaming off the lit tops towards the light, in wisps.
        if (d > 0) {
            const float along = u * LightU + v * LightV, across = u * -LightV + v * LightU;
            const float streaks =
                clamp01(0.5f + core::noise::fbm(along * 8, across * 60, seed + 8, 4));
            c += mix(rimGold, teal, 0.3f) * (0.07f * std::exp(-d / 0.025f) * lit * lit * streaks *
                                             streaks * streaks * patches);
        }
        light.dim(px, py, std::exp(-tau));
        light.add(px, py, c);
    });
}

namespace {

// Dust rising from the lower right: one tall, leaning column and a short
// one, pointing up at the clusters that erode them, on a broken ridge.
constexpr Column CarinaColumns[] = {
    {0.3f, 0.62f, 0.16f, 0.12f, 0.0f, 0.035f, 0.04f, 0.05f},
    {-0.42f, 0.6f, 0.08f, -0.47f, 0.3f, 0.028f, 0.03f, -0.02f},
};

} // namespace

void paintCarina(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 12000, 6.0f, 0.45f);

    const ColumnSet set{CarinaColumns, 2, 0.34f, -0.12f};
    core::CoarseField shape(Scene::Width, Scene::Height, 3);
    shape.fill([&](float u, float v) { return columnDistance(set, u, v, seed); });

    const core::Light orange = mix(core::palette::NitrogenOrange, core::palette::Gold, 0.25f);
    const core::Light teal = core::palette::OxygenTeal;
    const int octaves = core::noise::octavesFor(500.0f, 3.0f);
    eachPixel([&](int px, int py, float u, float v) {
        const core::noise::Offset w = core::noise::warp(u * 2.5f, v * 2.5f, seed + 1, 4);
        const float x = u + 0.06f * w.x, y = v + 0.06f * w.y;
        const float big = core::noise::fbm(x * 2.2f, y * 2.2f, seed + 2, octaves - 2);
        const float wisps = core::noise::ridged(x * 6, y * 6, seed + 7, 5);
        const float brightness = std::pow(clamp01(0.5f + 0.9f * big + 0.3f * wisps * wisps), 1.4f);
        // Oxygen glows teal near the hot clusters above, hydrogen and
        // sulphur orange in the cooler gas.
        const float tealness =
            clamp01(0.3f + 0.8f * core::noise::fbm(x * 1.6f + 4, y * 1.6f, seed + 4, 4) - 0.8f * y);
        core::Light c = mix(orange, teal, tealness) * (0.11f * brightness + 0.004f);
        // Dark lanes drift across the glow, thickest in a broad V.
        const float lane = std::exp(-square((std::fabs(u + 0.05f) * 0.6f - (v + 0.05f)) / 0.12f));
        const float patches =
            smoothstep(0.1f, 0.55f, core::noise::fbm(x * 3 + 11, y * 3, seed + 8, 6) + 0.3f * lane);
        const float lumps = core::noise::fbm(u * 14, v * 14, seed + 5, 5);
        const float patchiness =
            smoothstep(-0.3f, 0.4f, core::noise::fbm(u * 5, v * 5, seed + 9, 3));
        const float fine = 0.006f * core::noise::fbm(u * 80, v * 80, seed + 10, 3) +
                           0.03f * core::noise::fbm(u * 7, v * 7, seed + 13, 3);
        const Lighting l = lightColumns(shape, u, v, -0.35f, -0.94f, lumps, patchiness, fine);
        const float tau = 1.3f * l.tau + 2.2f * patches;
        const float t = std::exp(-tau);
        c = c * t;
        c += orange * (0.045f * l.skin * (0.3f + patches)) +
             core::palette::DustBrown * (0.012f * (1.0f - t) * clamp01(0.5f + lumps));
        c += mix(core::palette::Gold, core::palette::WarmWhite, 0.4f) *
             (0.09f * l.rim + 0.015f * l.haze);
        light.dim(px, py, t);
        light.add(px, py, c);
    });

    core::Rng rng(seed + 12);
    // A young cluster of hot blue stars above the dust.
    for (int i = 0; i < 45; ++i) {
        core::StarImage star;
        star.x = Scene::toX(-0.45f) + float(rng.normal() * 60.0);
        star.y = Scene::toY(-0.27f) + float(rng.normal() * 45.0);
        star.brightness = float(4.0 * std::pow(10.0, -0.4 * rng.range(0.0, 4.0)));
        star.colour = core::Light::fromColourIndex(float(rng.range(-0.3, 0.0)));
        light.addStar(star);
    }
    // The brightest, Eta Carinae, orange-white in its own small glow; one
    // other bright star has faint spikes too.
    light.addGaussian(Scene::toX(0.36f), Scene::toY(-0.22f), 7.0f, core::Light{0.6f, 0.35f, 0.2f});
    addCentralStar(light, Scene::toX(0.36f), Scene::toY(-0.22f), 300.0f,
                   core::Light::fromColourIndex(0.6f), 0.6f, 50.0f, 0.5f);
    addCentralStar(light, Scene::toX(-0.5f), Scene::toY(-0.3f), 90.0f,
                   core::Light::fromColourIndex(-0.25f), 0.4f, 50.0f, 0.5f);
}

} // namespace painted
