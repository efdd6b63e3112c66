// SPDX-License-Identifier: MIT
// Dark dust seen against glowing gas: silhouettes and rim-lit columns.

#include "artwork/painted/grid.h"
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
    float d = taperedCapsule(x, y, 0.14f, 0.34f, 0.1f, 0.07f, -0.03f, 0.07f);              // neck
    d = smin(d, circle(x, y, 0.04f, -0.08f, 0.075f), 0.03f);                               // skull
    d = smin(d, taperedCapsule(x, y, 0.0f, -0.05f, 0.058f, -0.14f, 0.05f, 0.038f), 0.03f); // muzzle
    d = smin(d, circle(x, y, 0.025f, 0.005f, 0.055f), 0.03f);                              // jaw
    d = smin(d, taperedCapsule(x, y, 0.06f, -0.13f, 0.022f, 0.075f, -0.175f, 0.008f), 0.02f); // ear
    d = smin(d, circle(x, y, 0.15f, 0.07f, 0.06f), 0.05f); // mane
    // The throat: a notch between the jaw and the neck.
    return std::max(d, -circle(x, y, -0.01f, 0.1f, 0.045f));
}

} // namespace

void paintHorsehead(Scene &scene)
{
    StarFieldStyle style;
    style.count = 6000;
    style.brightest = 2.2f;
    style.range = 7.0f;
    scatterStars(scene.stars(), scene.rng(), style);
    const uint32_t seed = scene.seed();

    auto cloud = [&](float x, float y) {
        const float edge = 0.27f + 0.06f * noise::fbm(x * 3, 0.5f, seed + 3, 5) +
                           0.02f * noise::fbm(x * 12, y * 6, seed + 7, 3);
        return smin(horse(x, y), edge - y, 0.05f);
    };

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 10, v * 10, seed + 1, 4);
        const float x = u + 0.01f * w.x, y = v + 0.01f * w.y;
        // The curtain: glowing hydrogen in vertical streaks, brightest just
        // above the dark cloud's front.
        const float streaks = 0.65f + 0.45f * noise::fbm(u * 22, v * 2.5f, seed + 4, 5);
        const float patches = clamp01(0.55f + 0.7f * noise::fbm(u * 3, v * 3, seed + 5, 5));
        const float front = std::exp(-std::max(0.0f, 0.3f - v) / 0.45f);
        Rgb light = mix(HydrogenRed, Rose, 0.25f) * (1.5f * front * streaks * patches + 0.12f);
        const float d = cloud(x, y);
        const float lumps = noise::fbm(x * 14, y * 14, seed + 6, 4);
        const float dust = smoothstep(0.012f, -0.012f, d + 0.006f * lumps);
        const float tau = 5.0f * dust;
        light = light * std::exp(-tau);
        // The cloud's surface, lit by the same stars, glows faintly at its rim.
        light += Rose * (0.35f * bump(d - 0.004f, 0.008f) * (0.6f + 0.5f * lumps));
        const float depth = clamp01(-d / 0.15f);
        light += mix(DustBrown, HydrogenRed, 0.3f) *
                 (0.07f * dust * (1 - depth) * clamp01(0.5f + lumps));
        // A small bluish reflection nebula in the dark cloud.
        const float refl = std::hypot(u + 0.6f, v - 0.38f);
        light += mix(Reflection, HotWhite, 0.3f) *
                 (0.6f * std::exp(-refl / 0.06f) * (0.7f + 0.4f * lumps));
        return Gas{light, tau};
    });
    brightStar(scene.front(), -0.6f, 0.38f, HotWhite, 2.0f, 1.2f);
    brightStar(scene.front(), -0.28f, -0.4f, mix(HotWhite, SkyBlue, 0.3f), 10.0f, 2.8f, 0.3f);
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
    const noise::Offset b = noise::warp(x * 2, y * 2, seed + 22, 3);
    const noise::Offset w = noise::warp(x * 6, y * 6, seed + 20, 4);
    const noise::Offset f = noise::warp(x * 16, y * 16, seed + 21, 2);
    const float px = x + 0.03f * b.x + 0.022f * w.x + 0.005f * f.x;
    const float py = y + 0.02f * b.y + 0.022f * w.y + 0.005f * f.y;
    float d = 1e9f;
    for (int i = 0; i < set.count; ++i) {
        const Column &c = set.columns[i];
        const float t = clamp01((c.baseV - py) / (c.baseV - c.topV));
        const float bow = c.bend * std::sin(Pi * t);
        // The width swells and narrows along the column.
        const float swell = 1.0f + 0.25f * noise::fbm(t * 4.0f, float(i) * 7.3f, seed + 23, 3);
        float e = taperedCapsule(px - bow, py, c.baseU, c.baseV, c.baseWidth * swell, c.topU,
                                 c.topV, c.topWidth * swell);
        e = smin(
            e,
            circle(px, py, c.topU + 0.2f * c.headWidth, c.topV + c.headWidth * 0.5f, c.headWidth),
            0.04f);
        d = std::min(d, e);
    }
    const float ground =
        set.ground + 0.06f * noise::fbm(x * 3, 0.0f, seed + 24, 4) + set.groundSlope * x - py;
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

Lighting lightColumns(const Grid &shape, float u, float v, float lightU, float lightV, float lumps,
                      float patchiness)
{
    const float d = shape.sample(u, v);
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

// Three columns rising from the lower left, the tallest first.
constexpr Column CreationColumns[] = {
    {-0.52f, 0.64f, 0.17f, -0.2f, -0.34f, 0.06f, 0.075f, -0.05f},
    {0.0f, 0.64f, 0.11f, 0.13f, -0.01f, 0.045f, 0.06f, 0.03f},
    {0.42f, 0.64f, 0.075f, 0.5f, 0.22f, 0.03f, 0.04f, -0.02f},
};

} // namespace

void paintPillars(Scene &scene)
{
    StarFieldStyle style;
    style.count = 1500;
    style.brightest = 2.0f;
    scatterStars(scene.stars(), scene.rng(), style);
    const uint32_t seed = scene.seed();
    constexpr Rgb Teal{0.2f, 0.62f, 0.66f};
    constexpr Rgb RimGold{1.0f, 0.72f, 0.42f};
    constexpr Rgb PillarBrown{0.7f, 0.38f, 0.2f};

    // The columns' outline is costly to evaluate, and its normals are needed
    // too: tabulate the distance once on a coarse grid.
    const ColumnSet set{CreationColumns, 3, 0.5f, 0.12f};
    Grid shape(Scene::Width, Scene::Height, 3);
    shape.fill([&](float u, float v) { return columnDistance(set, u, v, seed); });

    scene.gas().fill([&](float u, float v) {
        // Teal glow above, turning gold-brown lower down, all of it mottled.
        const noise::Offset w = noise::warp(u * 3, v * 3, seed + 1, 4);
        const float x = u + 0.05f * w.x, y = v + 0.05f * w.y;
        const float mottle = clamp01(0.55f + 0.8f * noise::fbm(x * 4, y * 4, seed + 2, 6));
        const float wisps = noise::fbm(x * 3 + 0.6f * mottle, y * 12, seed + 5, 5);
        const float warmth =
            clamp01(0.45f + 0.9f * v + 0.4f * noise::fbm(x * 2, y * 2, seed + 3, 3));
        Rgb light =
            mix(Teal, mix(Gold, DustBrown, 0.4f), warmth) * (0.5f + 0.5f * mottle + 0.2f * wisps);

        const float lumps = noise::fbm(u * 12, v * 12, seed + 4, 5) +
                            0.4f * noise::billow(u * 30, v * 30, seed + 6, 3) - 0.2f;
        const float patchiness = smoothstep(-0.3f, 0.3f, noise::fbm(u * 4, v * 4, seed + 7, 3));
        const Lighting l =
            lightColumns(shape, u, v, 0.24f, -0.97f, lumps, 0.4f + 0.6f * patchiness);
        light = light * std::exp(-l.tau);
        const float skyward = clamp01(0.6f - 1.0f * v);
        light += PillarBrown * (0.8f * l.skin * (1 + 0.6f * skyward));
        light += mix(RimGold, WarmWhite, 0.35f) * (1.8f * l.rim);
        light += RimGold * (0.3f * l.haze);
        return Gas{light, l.tau};
    });
    brightStar(scene.front(), 0.55f, -0.32f, WarmWhite, 3.0f, 1.4f, 0.25f);
    brightStar(scene.front(), -0.7f, -0.1f, HotWhite, 1.8f, 1.1f, 0.25f);
}

namespace {

// Dark columns in the lower field, pointing up at the clusters that erode them.
constexpr Column CarinaColumns[] = {
    {-0.62f, 0.62f, 0.09f, -0.5f, 0.02f, 0.035f, 0.04f, 0.03f},
    {-0.1f, 0.62f, 0.07f, -0.02f, 0.16f, 0.03f, 0.035f, -0.02f},
    {0.55f, 0.62f, 0.06f, 0.5f, 0.24f, 0.025f, 0.03f, 0.02f},
};

} // namespace

void paintCarina(Scene &scene)
{
    StarFieldStyle style;
    style.count = 9000;
    style.brightest = 2.5f;
    style.range = 7.0f;
    style.blueShare = 0.4f;
    scatterStars(scene.stars(), scene.rng(), style);
    const uint32_t seed = scene.seed();

    const ColumnSet set{CarinaColumns, 3, 0.46f, -0.04f};
    Grid shape(Scene::Width, Scene::Height, 3);
    shape.fill([&](float u, float v) { return columnDistance(set, u, v, seed); });

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 2.5f, v * 2.5f, seed + 1, 5);
        const float x = u + 0.06f * w.x, y = v + 0.06f * w.y;
        const float big = noise::fbm(x * 2.2f, y * 2.2f, seed + 2, 6);
        const float detail = noise::fbm(x * 9, y * 9, seed + 3, 4);
        const float wisps = noise::ridged(x * 5, y * 5, seed + 7, 4);
        const float brightness =
            std::pow(clamp01(0.5f + 0.9f * big + 0.25f * detail + 0.2f * wisps * wisps), 1.5f);
        // Oxygen glows teal near the hot clusters in the upper part, hydrogen and
        // sulphur orange in the cooler gas.
        const float teal =
            clamp01(0.35f + 0.8f * noise::fbm(x * 1.6f + 4, y * 1.6f, seed + 4, 4) - 0.7f * y);
        Rgb light = mix(mix(NitrogenOrange, Gold, 0.25f), OxygenTeal, teal) * (1.4f * brightness);
        // Dark dust patches drift across the glow.
        const float patches = smoothstep(0.2f, 0.6f, noise::fbm(x * 3 + 11, y * 3, seed + 8, 5));
        const float lumps = noise::fbm(u * 14, v * 14, seed + 5, 5);
        const float patchiness = smoothstep(-0.2f, 0.4f, noise::fbm(u * 4, v * 4, seed + 9, 3));
        const Lighting l = lightColumns(shape, u, v, 0.32f, -0.95f, lumps, patchiness);
        const float tau = l.tau + 1.8f * patches;
        light = light * std::exp(-tau);
        light += mix(NitrogenOrange, Gold, 0.3f) * (0.35f * l.skin);
        light += mix(Gold, WarmWhite, 0.4f) * (1.5f * l.rim + 0.3f * l.haze);
        return Gas{light, tau};
    });
    Rng &rng = scene.rng();
    // Massive, brilliant stars scattered through the upper field.
    brightStar(scene.front(), 0.22f, -0.12f, mix(WarmWhite, Gold, 0.4f), 10.0f, 2.8f, 0.35f);
    for (int i = 0; i < 9; ++i)
        brightStar(scene.front(), rng.range(-0.8f, 0.8f), rng.range(-0.45f, 0.2f),
                   mix(HotWhite, SkyBlue, rng.uniform() * 0.5f), rng.range(2.0f, 5.0f),
                   rng.range(1.0f, 1.8f), 0.25f);
    scatterCluster(scene.front(), rng, -0.35f, -0.25f, 0.12f, 60, 3.0f);
}

} // namespace painted
