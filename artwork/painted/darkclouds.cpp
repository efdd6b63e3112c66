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

#include <algorithm>
#include <cmath>
#include <vector>

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

// One value per pixel, for fields a painter reads at neighbouring pixels.
class PixelMap
{
public:
    PixelMap() : m_values(std::size_t(Scene::Width) * Scene::Height) {}

    void set(int px, int py, float value) { m_values[std::size_t(py) * Scene::Width + px] = value; }
    float at(int px, int py) const
    {
        px = std::clamp(px, 0, Scene::Width - 1);
        py = std::clamp(py, 0, Scene::Height - 1);
        return m_values[std::size_t(py) * Scene::Width + px];
    }

private:
    std::vector<float> m_values;
};

// A unit vector; z points towards the viewer.
struct Direction
{
    float x, y, z;
};

// How a dust surface meets the light at a pixel. The dust is taken as
// rounded, like a column of radius `rounding` seen side on, so its normal
// turns sideways at the outline; the bump map tilts it further, so knots and
// folds light up on the side facing the light and shade the other.
struct SurfaceLight
{
    float lit;    // cosine of the light on the surface, 0 when it faces away
    float facing; // how much the nearest outline faces the light, in the sky
};

SurfaceLight lightSurface(const PixelMap &distance, const PixelMap &bumps, int px, int py,
                          float rounding, float bumpiness, Direction light)
{
    const float d = distance.at(px, py);
    float gx = distance.at(px + 2, py) - distance.at(px - 2, py);
    float gy = distance.at(px, py + 2) - distance.at(px, py - 2);
    const float g = std::hypot(gx, gy);
    if (g > 0) {
        gx /= g;
        gy /= g;
    }
    const float s = clamp01(1.0f + std::min(d, 0.0f) / rounding);
    float nx = gx * s, ny = gy * s, nz = std::sqrt(std::max(0.0f, 1.0f - s * s));
    nx -= bumpiness * (bumps.at(px + 1, py) - bumps.at(px - 1, py));
    ny -= bumpiness * (bumps.at(px, py + 1) - bumps.at(px, py - 1));
    const float n = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float sky = std::hypot(light.x, light.y);
    return {std::max(0.0f, (nx * light.x + ny * light.y + nz * light.z) / n),
            sky > 0 ? std::max(0.0f, (gx * light.x + gy * light.y) / sky) : 0.0f};
}

// The horse's head and neck, facing left, with its muzzle lowered. The neck
// is short and broad, and its back slopes down into the cloud it rises from.
float horse(float x, float y)
{
    float d = taperedCapsule(x, y, 0.07f, -0.03f, 0.075f, 0.18f, 0.32f, 0.18f); // neck
    d = smin(d, circle(x, y, 0.04f, -0.08f, 0.075f), 0.03f);                  // skull
    d = smin(d, taperedCapsule(x, y, 0.0f, -0.05f, 0.062f, -0.115f, 0.035f, 0.047f),
             0.03f);                                          // muzzle
    d = smin(d, circle(x, y, 0.025f, 0.005f, 0.055f), 0.03f); // jaw
    d = smin(d, taperedCapsule(x, y, 0.06f, -0.13f, 0.024f, 0.072f, -0.165f, 0.012f), 0.02f); // ear
    d = smin(d, circle(x, y, 0.15f, 0.07f, 0.06f), 0.05f); // mane
    // The throat: a notch between the jaw and the neck.
    return std::max(d, -circle(x, y, -0.025f, 0.09f, 0.04f));
}

} // namespace

void paintHorsehead(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    // Stars behind the cloud; the dust dims them with the glow.
    fieldStars(light, seed + 11, 7000, 5.0f);

    core::CoarseField head(Scene::Width, Scene::Height, 3);
    // The head a little larger than the neck it grows from.
    head.fill([&](float u, float v) {
        constexpr float Scale = 1.12f;
        return Scale * horse(0.06f + (u - 0.06f) / Scale, 0.2f + (v - 0.26f) / Scale);
    });
    // The cloud bank's upper edge, rising a little to the right.
    auto bankEdge = [&](float x) {
        return 0.262f + 0.04f * x + 0.045f * core::noise::fbm(x * 2.2f, 3.7f, seed + 3, 4) +
               0.03f * core::noise::fbm(x * 7, 1.1f, seed + 14, 3) -
               0.1f * square(clamp01(0.2f + core::noise::fbm(x * 4, 2.3f, seed + 18, 3)));
    };

    // The dust: its outline warped at four scales, bitten into by notches
    // and raised in bumps, and a bump map of knots and folds that both
    // roughens the outline and shades the surface.
    PixelMap dist, bumps;
    eachPixel([&](int px, int py, float u, float v) {
        const float coarse = std::min(head.sample(u, v), bankEdge(u) - v);
        if (coarse > 0.12f) {
            dist.set(px, py, coarse);
            bumps.set(px, py, 0.0f);
            return;
        }
        const core::noise::Offset b = core::noise::warp(u * 3, v * 3, seed + 7, 3);
        const core::noise::Offset m = core::noise::warp(u * 10, v * 10, seed + 8, 3);
        const core::noise::Offset f = core::noise::warp(u * 34, v * 34, seed + 9, 2);
        const float x = u + 0.024f * b.x + 0.01f * m.x + 0.003f * f.x;
        const float y = v + 0.024f * b.y + 0.01f * m.y + 0.003f * f.y;
        const float knots = 0.6f * core::noise::billow(x * 9, y * 9, seed + 12, 3) +
                            0.4f * core::noise::billow(x * 32, y * 32, seed + 13, 3);
        // The bank's top is heaped into lumps that overhang in places.
        const float bank = bankEdge(x) - y + 0.035f * core::noise::fbm(x * 9, y * 6, seed + 24, 3) +
                           0.012f * core::noise::fbm(x * 26, y * 20, seed + 25, 3);
        const float d =
            smin(head.sample(x, y), bank, 0.05f) -
            0.012f * core::noise::fbm(x * 7, y * 7, seed + 19, 3) -
            0.006f * core::noise::fbm(x * 20, y * 20, seed + 10, 4) +
            0.008f * smoothstep(0.1f, 0.5f, core::noise::fbm(x * 26, y * 26, seed + 26, 3)) -
            0.003f * smoothstep(0.15f, 0.55f, core::noise::fbm(x * 48, y * 48, seed + 27, 2)) +
            0.003f * core::noise::fbm(u * 70, v * 70, seed + 17, 3) +
            0.0015f * core::noise::fbm(u * 220, v * 220, seed + 28, 2);
        dist.set(px, py, d);
        bumps.set(px, py, knots);
    });

    const core::Light hydrogen = mix(core::palette::HydrogenRed, core::palette::Rose, 0.2f);
    const core::Light dustRed{0.7f, 0.3f, 0.2f};
    const core::Light rimColour = mix(hydrogen, core::palette::WarmWhite, 0.3f);
    // Sigma Orionis, out of the frame above, lights the cloud from behind.
    constexpr Direction Sun{-0.22f, -0.8f, -0.56f};
    const int octaves = core::noise::octavesFor(400.0f, 3.0f);
    eachPixel([&](int px, int py, float u, float v) {
        // The curtain: glowing hydrogen streaming up off the cloud towards
        // the star. It is brightest along the ionisation front just above
        // the cloud and fades upwards; faint striations of uneven spacing
        // and length rise from the front and die out at different heights.
        const float above = std::max(0.0f, bankEdge(u) - v);
        const float front = std::exp(-above / 0.05f) *
                            (0.6f + 0.4f * core::noise::fbm(u * 9, 0.5f, seed + 32, 3));
        const float profile = 0.5f + 0.55f * std::exp(-above / 0.3f) + 0.45f * front;
        const core::noise::Offset cw = core::noise::warp(u * 2.5f, v * 1.2f, seed + 1, 3);
        const core::noise::Offset sw = core::noise::warp(u * 9, v * 3, seed + 33, 2);
        const float xs = u + 0.03f * cw.x + 0.008f * sw.x;
        const float strength =
            smoothstep(-0.2f, 0.5f, core::noise::fbm(u * 2.6f, v * 1.1f, seed + 2, 3));
        const float reach =
            0.06f + 0.4f * smoothstep(-0.4f, 0.6f, core::noise::fbm(xs * 11, 0.3f, seed + 34, 3));
        const float rise = std::exp(-above / reach);
        const float broad = core::noise::ridged(xs * 15, v * 3.5f, seed + 4, 3);
        const float thin = core::noise::ridged(xs * 44 + 0.4f * cw.y, v * 7, seed + 5, 3);
        const float mottle = core::noise::fbm(u * 4, v * 4, seed + 6, octaves - 1) +
                             0.5f * core::noise::fbm(u * 13, v * 11, seed + 35, 4);
        const float streaks = (0.8f * broad * broad + 0.2f * thin * thin) * rise;
        core::Light c = hydrogen * (0.085f * profile * std::exp(0.6f * mottle) *
                                        (0.78f + (0.12f + 0.8f * strength) * streaks) +
                                    0.003f);

        const float d = dist.at(px, py);
        if (d < 0.04f) {
            const float knots = bumps.at(px, py);
            const float depth = std::max(-d, 0.0f);
            // The bank is a heap of clumps, thin between them so the glow
            // shows through in patches; the head is denser and more even.
            // Below the bank's edge the neck's base thins into the same clumps.
            const float inBank =
                std::max(smoothstep(-0.04f, 0.04f, head.sample(u, v) - (bankEdge(u) - v)),
                         smoothstep(0.0f, 0.09f, v - bankEdge(u)));
            const float clumps = core::noise::fbm(u * 5, v * 5, seed + 29, octaves - 1);
            const float thickness =
                lerp(0.5f + 0.9f * knots,
                     std::exp(2.2f * clumps - 0.3f) * (0.4f + 0.8f * knots) *
                         (1.0f + 0.35f * core::noise::fbm(u * 110, v * 110, seed + 31, 3)),
                     inBank);
            // The outline is sharp in places and fades softly in others.
            const float softness =
                0.02f +
                0.06f * smoothstep(-0.1f, 0.5f, core::noise::fbm(u * 8, v * 8, seed + 30, 3));
            const float body = 3.2f * std::sqrt(depth / softness) * thickness;
            const float t =
                std::exp(-body - 0.35f * smoothstep(0.015f, -0.002f, d) * (0.5f + knots));
            const SurfaceLight s = lightSurface(dist, bumps, px, py, 0.022f, 6.0f, Sun);
            const float patches =
                smoothstep(-0.3f, 0.5f, core::noise::fbm(u * 6, v * 6, seed + 15, 3));
            const float broken =
                square(smoothstep(-0.1f, 0.45f, core::noise::fbm(u * 18, v * 18, seed + 20, 3)));
            // Light filters into the dust from its lit side, unevenly.
            const float inner = std::exp(-depth / 0.02f) * s.facing * knots * knots * broken;
            // The bank's clumps catch the curtain's light on their tops.
            const float lumpGlow = inBank * smoothstep(-0.3f, 0.5f, clumps + 0.3f * knots) *
                                   (0.3f + 0.7f * std::exp(-depth / 0.08f)) * (0.3f + knots);
            c = c * t + dustRed * (0.06f * inner * (1.0f - t)) +
                dustRed * ((1.0f - t) * (0.02f * (0.3f + knots) * (0.4f + 0.6f * patches) *
                                             (0.25f + 0.75f * std::exp(-depth / 0.05f)) +
                                         0.07f * lumpGlow)) +
                rimColour *
                    (1.3f * (1.0f - std::exp(-body)) * std::exp(-depth / 0.003f) * s.facing *
                     s.facing * lerp(0.6f + 0.4f * broken, broken, inBank) * (0.4f + patches) *
                     (0.35f + 0.5f * knots + 0.8f * s.lit) * (1.7f - 0.7f * inBank));
            light.dim(px, py, t);
        }
        // A small reflection nebula lit by a star near the cloud's face,
        // veiled in places by dust in front of it.
        const float r = std::hypot(u + 0.6f, v - 0.38f);
        if (r < 0.45f) {
            const float veil =
                std::exp(-1.6f * clamp01(0.2f + core::noise::fbm(u * 9, v * 9, seed + 21, 4)));
            const float fan = 0.6f * std::exp(-r / 0.045f) + 0.4f * std::exp(-r / 0.12f);
            c += mix(core::palette::Reflection, core::palette::SkyBlue, 0.3f) *
                 (0.12f * fan * veil *
                  clamp01(0.6f + 0.8f * core::noise::fbm(u * 14, v * 14, seed + 22, 3)));
        }
        light.add(px, py, c);
    });

    // Foreground stars, in front of the dust.
    fieldStars(light, seed + 16, 500, 1.5f);
    addCentralStar(light, Scene::toX(-0.6f), Scene::toY(0.38f), 12.0f, core::palette::HotWhite);
    // The bright star above the curtain, the only one with spikes, in a
    // soft halo of its own.
    light.addGaussian(Scene::toX(-0.28f), Scene::toY(-0.4f), 30.0f,
                      core::Light::fromColourIndex(-0.25f) * 0.01f);
    addCentralStar(light, Scene::toX(-0.28f), Scene::toY(-0.4f), 160.0f,
                   core::Light::fromColourIndex(-0.25f), 0.4f, 30.0f, 0.35f);
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

// One point of a column's spine, with the column's half-width there.
struct Node
{
    float u, v, r;
};

// Three columns rising from the lower left, unlike each other: the left one
// tallest and broadest, pinched and swollen along its length under a broad
// head; the middle one slender, leaning its own way, its top split in two;
// the right one short and stubby. Then the knots and fingers that break up
// their heads and flanks.
constexpr Node LeftColumn[] = {{-0.72f, 0.62f, 0.21f},  {-0.6f, 0.42f, 0.15f},
                               {-0.53f, 0.26f, 0.098f}, {-0.48f, 0.12f, 0.118f},
                               {-0.45f, -0.01f, 0.08f}, {-0.43f, -0.1f, 0.086f},
                               {-0.4f, -0.2f, 0.108f},  {-0.37f, -0.3f, 0.112f}};
constexpr Node MiddleColumn[] = {{-0.02f, 0.62f, 0.12f}, {0.03f, 0.43f, 0.072f},
                                 {0.05f, 0.3f, 0.047f},  {0.07f, 0.19f, 0.06f},
                                 {0.09f, 0.08f, 0.044f}, {0.1f, 0.0f, 0.05f}};
// The two prongs of the middle column's top, either side of a notch.
constexpr Node MiddleProngs[][2] = {{{0.095f, 0.0f, 0.04f}, {0.072f, -0.095f, 0.03f}},
                                    {{0.112f, 0.0f, 0.036f}, {0.148f, -0.078f, 0.025f}}};
constexpr Node RightColumn[] = {
    {0.52f, 0.62f, 0.125f}, {0.54f, 0.46f, 0.09f}, {0.55f, 0.35f, 0.072f}, {0.545f, 0.28f, 0.078f}};
constexpr Node Finger[] = {{-0.41f, -0.37f, 0.03f}, {-0.44f, -0.425f, 0.014f}};
constexpr Node Knots[] = {{-0.36f, -0.36f, 0.06f}, {-0.47f, -0.3f, 0.05f}, {-0.3f, -0.335f, 0.05f},
                          {-0.55f, 0.2f, 0.06f},   {-0.41f, 0.05f, 0.04f}, {0.045f, 0.05f, 0.026f},
                          {0.6f, 0.25f, 0.03f},    {0.0f, 0.32f, 0.045f},  {0.5f, 0.32f, 0.035f}};
constexpr Node Mounds[] = {{-0.78f, 0.5f, 0.2f}, {-0.5f, 0.58f, 0.16f}, {-0.22f, 0.62f, 0.12f},
                           {0.06f, 0.62f, 0.1f}, {0.52f, 0.64f, 0.08f}, {-0.9f, 0.42f, 0.16f}};

// The columns' tops, where they burn and boil off.
constexpr Node Tops[] = {LeftColumn[7], MiddleProngs[0][1], MiddleProngs[1][1], RightColumn[3]};

float spineDistance(const Node *nodes, int count, float x, float y)
{
    float d = 1e9f;
    for (int i = 0; i + 1 < count; ++i)
        d = smin(d,
                 taperedCapsule(x, y, nodes[i].u, nodes[i].v, nodes[i].r, nodes[i + 1].u,
                                nodes[i + 1].v, nodes[i + 1].r),
                 0.03f);
    return d;
}

float creationDistance(float x, float y, std::uint32_t seed)
{
    float d = std::min({spineDistance(LeftColumn, 8, x, y), spineDistance(MiddleColumn, 6, x, y),
                        spineDistance(RightColumn, 4, x, y)});
    // A tight blend, so the notch between the prongs stays open.
    for (const auto &prong : MiddleProngs)
        d = smin(d, spineDistance(prong, 2, x, y), 0.008f);
    d = smin(d, spineDistance(Finger, 2, x, y), 0.02f);
    for (const Node &k : Knots)
        d = smin(d, circle(x, y, k.u, k.v, k.r), 0.025f);
    // The mass they rise from: heaped at the lower left, lumpy and overhung
    // on top, falling away to the right, so the other two rise from below
    // the frame; the columns flare broadly into it rather than standing on it.
    float mass = lerp(0.3f, 0.62f, smoothstep(-0.55f, -0.05f, x)) + 0.05f * x +
                 0.06f * core::noise::fbm(x * 1.7f, 0.6f, seed + 24, 4) +
                 0.06f * core::noise::fbm(x * 3.5f, y * 3, seed + 32, 4) -
                 0.05f * core::noise::billow(x * 5, y * 4, seed + 33, 3) - y;
    for (const Node &m : Mounds)
        mass = smin(mass, circle(x, y, m.u, m.v, m.r), 0.07f);
    // The flanks bulge and pinch at scales between the nodes' spacing and
    // the outline's finer warp.
    d += 0.022f * core::noise::fbm(x * 4.5f, y * 4.5f, seed + 34, 3);
    return smin(d, mass, 0.11f);
}

// How near (u, v) lies to a column's top, 1 at the top and 0 beyond reach.
float nearTop(float u, float v, float reach = 0.2f)
{
    float best = 0.0f;
    for (const Node &t : Tops)
        best = std::max(best, smoothstep(reach, 0.05f, std::hypot(u - t.u, v - t.v)));
    return best;
}

// The axis the columns lean along near u: the left one leans most.
float columnTilt(float u)
{
    return 0.22f - 0.25f * u;
}

} // namespace

void paintPillars(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 4500, 5.0f, 0.4f);
    addCentralStar(light, Scene::toX(0.62f), Scene::toY(-0.34f), 60.0f,
                   core::Light::fromColourIndex(0.3f), 0.5f, 32.0f, 0.4f);
    addCentralStar(light, Scene::toX(-0.74f), Scene::toY(-0.12f), 25.0f,
                   core::Light::fromColourIndex(-0.1f));

    const core::Light teal{0.22f, 0.66f, 0.64f};
    const core::Light gold{1.0f, 0.7f, 0.36f};
    const core::Light dustBrown{0.62f, 0.3f, 0.12f};
    const core::Light litOrange{1.0f, 0.5f, 0.16f};
    const core::Light capGlow{1.0f, 0.8f, 0.5f};
    const core::Light paleGold{1.0f, 0.86f, 0.58f};
    const core::Light frontGreen{0.8f, 1.0f, 0.78f};
    // The clusters above, a little to the left and in front, light them.
    constexpr Direction Clusters{-0.35f, -0.85f, 0.38f};

    core::CoarseField shape(Scene::Width, Scene::Height, 3);
    shape.fill([&](float u, float v) { return creationDistance(u, v, seed); });
    // Coordinates across and along the columns' lean at (u, v).
    auto columnFrame = [](float u, float v) {
        const float tilt = columnTilt(u);
        const float c = std::cos(tilt), s = std::sin(tilt);
        return core::noise::Offset{u * c + v * s, u * s - v * c};
    };

    // The glow's direction in the sky, for the gas streaming off the tops.
    const float skyLight = std::hypot(Clusters.x, Clusters.y);
    const float lx = Clusters.x / skyLight, ly = Clusters.y / skyLight;

    // The dust's outline, warped at several scales, and a bump map that
    // shades its surface: folds and ribs drawn out along the columns, as
    // the light eroding them from above leaves them, over rounder knots.
    PixelMap dist, bumps, roughness;
    eachPixel([&](int px, int py, float u, float v) {
        const float coarse = shape.sample(u, v);
        if (coarse > 0.14f) {
            dist.set(px, py, coarse);
            bumps.set(px, py, 0.0f);
            roughness.set(px, py, 0.0f);
            return;
        }
        const core::noise::Offset b = core::noise::warp(u * 2.5f, v * 2.5f, seed + 22, 3);
        const core::noise::Offset m = core::noise::warp(u * 8, v * 8, seed + 20, 3);
        const float x = u + 0.03f * b.x + 0.008f * m.x, y = v + 0.03f * b.y + 0.008f * m.y;
        const core::noise::Offset f = columnFrame(x, y);
        const float folds = core::noise::fbm(f.x * 9, f.y * 2.5f, seed + 40, 3);
        const float ribs = core::noise::ridged(f.x * 18 + 0.6f * m.x, f.y * 11, seed + 41, 3);
        const float fine = core::noise::fbm(x * 60 + 0.4f * m.y, y * 60, seed + 42, 2);
        const float lumps = core::noise::fbm(x * 6, y * 6, seed + 14, 2);
        // The dust is rough only in places: over most of its surface the
        // fine folds fade out, leaving a few broad, soft lumps, and its
        // outline frays only there.
        const float rough =
            smoothstep(-0.15f, 0.45f, core::noise::fbm(x * 3.5f, y * 3.5f, seed + 70, 3));
        const float d =
            shape.sample(x, y) - 0.02f * core::noise::fbm(x * 6, y * 6, seed + 21, 3) -
            0.012f * folds - 0.006f * ribs * ribs -
            0.007f * core::noise::fbm(x * 16, y * 16, seed + 23, 3) +
            (0.3f + 0.7f * rough) * (0.002f * core::noise::fbm(u * 60, v * 60, seed + 25, 3) +
                                     0.0025f * core::noise::fbm(u * 150, v * 150, seed + 26, 2));
        // Near the tops the dust is knotted into lumps and short fingers
        // that point at the clusters, with sharp outlines.
        const float tip = nearTop(u, v, 0.25f);
        float lumpsAtTop = 0.0f;
        if (tip > 0) {
            const float along = x * lx + y * ly, across = y * lx - x * ly;
            const float fingers = core::noise::fbm(across * 45, along * 14, seed + 55, 2);
            const float knobs = core::noise::fbm(x * 16, y * 16, seed + 56, 2);
            lumpsAtTop = tip * (0.009f * smoothstep(0.05f, 0.5f, fingers) +
                                0.008f * smoothstep(0.05f, 0.45f, knobs));
        }
        roughness.set(px, py, rough);
        dist.set(px, py, d - lumpsAtTop);
        bumps.set(px, py,
                  9.0f * lumpsAtTop + 0.45f * lumps + 0.3f * folds +
                      0.25f * core::noise::fbm(x * 12, y * 12, seed + 71, 2) +
                      rough * (0.1f * ribs + 0.05f * fine +
                               0.12f * core::noise::billow(x * 20, y * 20, seed + 16, 3)));
    });

    // Knots of denser dust on the lit faces, a few large among many small.
    // Light enters each at its sunward edge, which stays crisp, and fades
    // into it towards the shadow side; the dust just behind a knot lies in
    // its shade. Both are carried down the rows, one step towards the light
    // per row, so a knot's light falls off over its own length.
    PixelMap knotHeight, knotFade, knotLit, knotShade;
    eachPixel([&](int px, int py, float u, float v) {
        // Knots only inside the dust, so the sky casts no shade on it.
        if (dist.at(px, py) > 0.002f) {
            knotHeight.set(px, py, 0.0f);
            knotFade.set(px, py, 0.0f);
            return;
        }
        const core::noise::Offset kw = core::noise::warp(u * 20, v * 20, seed + 49, 2);
        const float large =
            smoothstep(0.08f, 0.38f,
                       core::noise::fbm(u * 13 + 0.5f * kw.x, v * 13 + 0.5f * kw.y, seed + 59, 3));
        const float small =
            smoothstep(0.0f, 0.4f,
                       core::noise::fbm(u * 40 + 0.7f * kw.x, v * 40 + 0.7f * kw.y, seed + 50, 3) +
                           0.35f * core::noise::fbm(u * 110, v * 110, seed + 30, 2) +
                           0.3f * bumps.at(px, py) - 0.25f * large) *
            roughness.at(px, py);
        knotHeight.set(px, py,
                       std::max(large, small) * smoothstep(0.002f, -0.002f, dist.at(px, py)));
        // Light reaches further into the large knots.
        knotFade.set(px, py, lerp(0.7f, 0.85f, smoothstep(-0.2f, 0.2f, large - small)));
    });
    const float perRow = lx / -ly; // sideways step of one row towards the light
    eachPixel([&](int px, int py, float, float) {
        const float h = knotHeight.at(px, py);
        if (py == 0) {
            knotLit.set(px, py, h);
            knotShade.set(px, py, 0.0f);
            return;
        }
        const float sx = float(px) + perRow;
        const int x0 = int(std::floor(sx));
        const float f = sx - float(x0);
        auto above = [&](const PixelMap &m) {
            return lerp(m.at(x0, py - 1), m.at(x0 + 1, py - 1), f);
        };
        const float hAbove = above(knotHeight);
        knotLit.set(px, py, h * lerp(1.0f, knotFade.at(px, py) * above(knotLit), hAbove));
        knotShade.set(px, py, std::max(hAbove, 0.85f * above(knotShade)) * (1.0f - h));
    });

    // A step of about 35 px towards the light, to tell which faces see it.
    const int towardsX = int(std::lround(35.0f * lx)), towardsY = int(std::lround(35.0f * ly));
    const int octaves = core::noise::octavesFor(300.0f, 3.0f);
    eachPixel([&](int px, int py, float u, float v) {
        // The glow behind: teal high up, gold lower down, mottled, with
        // faint veils.
        const core::noise::Offset w = core::noise::warp(u * 3, v * 3, seed + 1, 3);
        const float x = u + 0.05f * w.x, y = v + 0.05f * w.y;
        const float mottle = core::noise::fbm(x * 4, y * 4, seed + 2, octaves - 2);
        const float veils = core::noise::ridged(x * 7, y * 7, seed + 6, 4);
        const float warmth =
            clamp01(0.28f + 0.8f * v + 0.35f * core::noise::fbm(x * 2, y * 2, seed + 3, 3));
        core::Light c = mix(teal, gold, warmth) *
                        (0.05f * std::exp(1.1f * mottle) * (0.85f + 0.25f * veils * veils));

        const float d = dist.at(px, py);
        if (d < 0.1f) {
            const float knots = bumps.at(px, py);
            const float depth = std::max(-d, 0.0f);
            const SurfaceLight s = lightSurface(dist, bumps, px, py, 0.016f, 4.5f, Clusters);
            // Higher up is nearer the clusters; the tops facing them are
            // being boiled off into glowing gas.
            const float height = smoothstep(0.75f, -0.3f, v);
            // The upper rims and most of all the tips burn brightest; the
            // columns below stay dark.
            const float upper = height * height * height;
            const float tipness = nearTop(u, v, 0.22f);
            const float crown = std::max(smoothstep(0.3f, -0.3f, v), tipness);
            // Averaged over two reaches, so a knot's shadow on the face has a soft edge.
            const float open =
                0.5f * (smoothstep(-0.03f, 0.03f, dist.at(px + towardsX, py + towardsY)) +
                        smoothstep(-0.03f, 0.03f, dist.at(px + towardsX / 2, py + towardsY / 2)));
            // The front is patchy along the outline at two scales: long dim
            // stretches and short gaps.
            const float stretches =
                smoothstep(-0.35f, 0.25f, core::noise::fbm(u * 4.5f, v * 4.5f, seed + 18, 3));
            const float cap =
                open * (0.12f + 0.88f * height * height) * (0.15f + 0.85f * stretches);
            // Further over the top the face still sees the clusters, dimmer.
            const float brow =
                smoothstep(-0.03f, 0.03f, dist.at(px + 2 * towardsX, py + 2 * towardsY)) * height *
                height;
            const float patches =
                smoothstep(-0.35f, 0.45f, core::noise::fbm(u * 5, v * 5, seed + 7, 4));
            const float broken =
                smoothstep(-0.25f, 0.35f, core::noise::fbm(u * 16, v * 16, seed + 17, 3)) *
                stretches;
            const core::noise::Offset f = columnFrame(u, v);
            // Lumps of denser gas, 10-40 px, on the lit caps: shaded softly,
            // brighter on the side facing the clusters.
            float lump = 0.0f, lumpLit = 0.0f, globule = 0.0f, globuleLit = 0.0f;
            if (crown > 0 && d < 0.01f && depth < 0.06f) {
                const core::noise::Offset lw = core::noise::warp(u * 14, v * 14, seed + 73, 2);
                auto lumpAt = [&](float x, float y) {
                    return smoothstep(-0.5f, 0.7f,
                                      core::noise::fbm(x * 30 + 0.6f * lw.x, y * 30 + 0.6f * lw.y,
                                                       seed + 74, 2) +
                                          0.4f * core::noise::fbm(x * 70, y * 70, seed + 75, 2));
                };
                lump = lumpAt(u, v);
                lumpLit = std::clamp(lump - lumpAt(u + 0.008f * lx, v + 0.008f * ly), -0.3f, 0.3f);
                // Small dark globules and fingers of dust standing in front of
                // the bright front, lit only at their sunward edge.
                auto globuleAt = [&](float x, float y) {
                    return smoothstep(0.45f, 0.75f,
                                      core::noise::fbm(x * 85 + 1.2f * lw.y, y * 85 + 1.2f * lw.x,
                                                       seed + 76, 2)) *
                           smoothstep(0.15f, 0.5f, core::noise::fbm(u * 9, v * 9, seed + 77, 2));
                };
                const float nearFront = crown * std::exp(-depth / 0.008f);
                globule = globuleAt(u, v) * nearFront;
                globuleLit = std::max(
                    globule - globuleAt(u + 0.003f * lx, v + 0.003f * ly) * nearFront, 0.0f);
            }
            // The dust is streaky along the columns and thin in patches,
            // where the glow behind shows through; deep inside it is opaque.
            // Even deep inside, the columns are no solid wall: the dust
            // thins in clumps and hollows, where a little glow shows.
            float density = 1.0f, thin = 0.0f, hollows = 0.0f;
            if (d < 0) {
                density = std::exp(0.9f * core::noise::fbm(f.x * 5, f.y * 3.5f, seed + 43, 3));
                thin =
                    smoothstep(-0.1f, 0.45f, core::noise::fbm(f.x * 7 + 3, f.y * 4, seed + 44, 3)) *
                    std::exp(-depth / 0.07f) * (1.0f - cap);
                hollows = smoothstep(
                    -0.2f, 0.5f, core::noise::fbm(u * 4.5f + 0.3f * knots, v * 4.5f, seed + 52, 4));
            }
            // The dust thins out over its edge rather than ending at it:
            // crisp where a front faces the clusters, ragged and up to tens
            // of px deep low on the flanks and on the shadowed side, where
            // the glow behind shows through it.
            const float sunward = smoothstep(0.3f, 0.95f, s.facing);
            float thickening = 1.0f, fringeDepth = depth;
            if (d > -0.05f) {
                const float width = lerp(
                    0.005f + 0.035f * smoothstep(-0.5f, 0.4f,
                                                 core::noise::fbm(u * 5 + 7, v * 5, seed + 90, 3)),
                    0.0012f, sunward * crown);
                // Wavy fibres drawn out along the columns, and small tatters.
                const core::noise::Offset fw = core::noise::warp(u * 18, v * 18, seed + 93, 2);
                const float fray =
                    core::noise::fbm(f.x * 110 + 1.5f * fw.x, f.y * 40 + 1.5f * fw.y, seed + 91, 3) +
                    0.6f * core::noise::fbm(u * 90, v * 90, seed + 92, 2);
                fringeDepth = std::max(0.0f, depth + 0.8f * width * fray - std::max(d, 0.0f));
                thickening = square(smoothstep(0.0f, width, fringeDepth));
            }
            const float body =
                thickening *
                std::min(3.6f * std::sqrt(fringeDepth / 0.015f) * (0.7f + 0.6f * knots) *
                             lerp(density, 1.0f, cap) * (1.0f - 0.8f * thin),
                         lerp(5.5f, 1.3f, hollows * (1.0f - cap)) + 1.5f * std::max(knots, 0.0f));
            float tau = body + 0.12f * smoothstep(0.006f, -0.002f, d);
            // Dark dust; its lit faces turn orange and show every fold.
            const float sunlit =
                s.lit * std::sqrt(s.lit) * (0.3f + 0.7f * height) * clamp01(0.45f + 1.3f * knots);
            // The lit band reaches unevenly deep into the dust, and is
            // streaked along the columns across its width.
            const float reach =
                0.002f +
                0.007f * smoothstep(-0.4f, 0.5f, core::noise::fbm(u * 6, v * 6, seed + 53, 3));
            const float streaks = smoothstep(
                -0.45f, 0.5f, core::noise::fbm(f.x * 34, f.y * 7 + 0.5f * knots, seed + 54, 3));
            const float band = std::exp(-depth / reach) * (0.25f + 0.75f * streaks);
            // A faint mottle of lighter and darker dust, 20-80 px, so the
            // columns read as dusty volumes.
            const float mottleDust =
                d < 0 ? 0.4f + 1.4f * smoothstep(-0.5f, 0.5f,
                                                  core::noise::fbm(u * 16 + 0.4f * knots, v * 16,
                                                                   seed + 78, 3) +
                                                      0.4f * core::noise::fbm(u * 38, v * 38,
                                                                              seed + 79, 2))
                      : 1.0f;
            const core::Light surface =
                dustBrown * (mottleDust * 0.03f * (0.3f + patches) * clamp01(0.6f + 1.2f * knots) *
                             (0.25f + 0.5f * thin + 1.0f * hollows) / std::sqrt(density)) +
                litOrange * (0.012f * sunlit * (0.3f + 0.9f * patches) *
                             (0.08f + 0.92f * std::exp(-depth / 0.03f))) +
                // Knots and ridges inside catch a little light on their
                // sunward faces, and stay dim.
                mix(dustBrown, litOrange, 0.5f) *
                    (0.04f * smoothstep(0.25f, 0.7f, s.lit) * clamp01(0.3f + 1.5f * knots) *
                     (0.7f + 0.4f * lump + 1.2f * lumpLit) *
                     (0.3f + 0.7f * height) * (0.3f + 0.7f * std::exp(-depth / 0.1f)));
            // The lit faces are glowing gas themselves, not dust in sunlight.
            const float shine = sunlit * s.facing * s.facing * open * band *
                                (0.3f + 0.9f * patches) * (0.15f + 0.85f * upper) *
                                smoothstep(0.003f, -0.003f, d);
            // Light scattered through the thin dust at the outline, brightest
            // on the side facing the clusters.
            const float edge = 1.0f - std::exp(-body);
            const float glowEdge = edge * std::exp(-depth / 0.008f) *
                                   (0.02f + 0.98f * s.facing * s.facing * s.facing) *
                                   (0.05f + 0.95f * crown * crown) * (0.2f + 0.8f * broken);
            // Near the tips, the sides of small fingers lit end-on catch the
            // front too, but not the broad faces turned away from the light.
            float endOn = 0.0f;
            if (tipness > 0) {
                const float gx = dist.at(px + 2, py) - dist.at(px - 2, py);
                const float gy = dist.at(px, py + 2) - dist.at(px, py - 2);
                const float g = std::hypot(gx, gy);
                const float towards = g > 0 ? (gx * lx + gy * ly) / g : 0.0f;
                // A shred of dust a few px across is lit through, whichever way it faces.
                const float ox = g > 0 ? gx / g : 0.0f, oy = g > 0 ? gy / g : 0.0f;
                const float shred = smoothstep(
                    -0.004f, 0.0f,
                    dist.at(px - int(std::lround(10 * ox)), py - int(std::lround(10 * oy))));
                endOn = open * tipness * std::max(smoothstep(-0.2f, 0.4f, towards), shred);
            }
            // The ionisation front: a thin band just inside the outline,
            // spilling a little further out than in, so no dark seam
            // separates it from the glow outside.
            const float rim = std::exp(-square((d + 0.002f) / (d > -0.002f ? 0.0042f : 0.0024f))) *
                              std::max(sunward * sunward, 0.6f * endOn) *
                              (0.01f + 0.99f * crown * crown) * (1.0f + 1.2f * tipness) *
                              (0.3f + 0.7f * broken) * clamp01(0.7f + 0.6f * knots) *
                              (0.45f + 0.55f * s.lit) * (0.3f + patches);
            // The caps: ionised gas over the whole lit face, brightest at the
            // front facing the clusters and fading over the top, with knots
            // of denser gas in it. The front's depth varies, so it is no
            // even band.
            float skin = 0.0f, sparks = 0.0f;
            if ((cap > 0 || brow > 0) && d < 0.02f) {
                // Deep inside, the nearest outline's facing jumps across the
                // column's axis; how open the face is to the light does not.
                const float facing = lerp(s.facing, open, smoothstep(0.002f, 0.012f, depth));
                // Only the tips burn deep; on the flanks the front is a thin skin.
                const float tip = nearTop(u, v);
                const float front =
                    0.002f +
                    (0.004f + 0.02f * tip) *
                        smoothstep(-0.4f, 0.5f, core::noise::fbm(u * 9, v * 9, seed + 51, 3));
                // A long, faint tail behind the front, so it fades into the
                // dust rather than ending at an edge.
                const float face = cap * (0.65f * std::exp(-depth / front) +
                                          0.35f * std::exp(-depth / (4 * front))) +
                                   0.3f * brow * tip * std::exp(-depth / 0.04f);
                // Each knot's brightness differs, and the densest burn
                // brightest at their sunward edges.
                const float knot = knotHeight.at(px, py), entered = knotLit.at(px, py);
                const float strength =
                    0.15f + 1.3f * square(smoothstep(
                                       -0.3f, 0.4f,
                                       0.7f * core::noise::fbm(u * 24, v * 24, seed + 60, 2) +
                                           0.5f * core::noise::fbm(u * 55, v * 55, seed + 61, 2)));
                skin = face * std::exp(-std::max(d, 0.0f) / 0.0015f) *
                       (0.035f + 0.03f * knot * strength + 7.0f * entered * entered * strength) *
                       (1.0f - 0.6f * knotShade.at(px, py)) * (0.4f + patches) *
                       (0.3f + 0.7f * s.lit * std::sqrt(s.lit)) * (0.35f + 0.9f * facing) *
                       (0.4f + 0.9f * lump + 1.8f * lumpLit);
                sparks = smoothstep(0.4f, 1.0f, entered * strength) * face * (0.3f + 0.7f * s.lit);
            }
            // Gas evaporating off the lit tops: a faint, mottled haze,
            // brightest at the tip and gone within a short way, with a few
            // broken streamers reaching further.
            float wisp = 0.0f;
            const float source =
                d > 0 ? smoothstep(0.02f, -0.02f, dist.at(px - 2 * towardsX, py - 2 * towardsY))
                      : 0.0f;
            const float tipHaze = source > 0 ? nearTop(u, v, 0.3f) : 0.0f;
            if (tipHaze > 0) {
                const core::noise::Offset ww = core::noise::warp(u * 6, v * 6, seed + 29, 3);
                const float mottle = smoothstep(
                    -0.5f, 0.6f,
                    core::noise::fbm(u * 22 + 0.6f * ww.x, v * 22 + 0.6f * ww.y, seed + 8, 3));
                const float along = u * lx + v * ly, across = v * lx - u * ly;
                // Strongly warped, so no two streamers run side by side.
                const float streamer = core::noise::ridged(across * 16 + 2.5f * ww.x,
                                                           along * 4 + 1.5f * ww.y, seed + 57, 2);
                const float few =
                    smoothstep(0.2f, 0.55f, core::noise::fbm(u * 5, v * 5, seed + 46, 2)) *
                    smoothstep(-0.1f, 0.4f, core::noise::fbm(across * 8, along * 14, seed + 58, 2));
                wisp = source * tipHaze * height *
                       ((0.35f + 0.65f * mottle) * std::exp(-d / 0.012f) +
                        0.35f * std::pow(streamer, 6.0f) * few * std::exp(-d / 0.045f)) *
                       (0.4f + patches);
                tau += 0.1f * wisp;
            }
            // Behind the front the light bleeds a short way into the dust,
            // deepest at the tips. Past the outline's own width, the face's
            // openness to the light decides, as the nearest outline's facing
            // flips from knot to knot.
            const float inward = lerp(std::max(s.facing * s.facing, 0.6f * endOn), 1.0f,
                                      smoothstep(0.001f, 0.006f, depth)) *
                                 open;
            const float bleed =
                smoothstep(0.004f, -0.001f, d) * std::exp(-depth / (0.005f + 0.009f * tipness)) *
                inward * (0.3f + 0.7f * smoothstep(0.05f, 0.75f, s.lit)) *
                (0.1f * upper + 0.9f * tipness) *
                // Denser lumps hold the light back, softly.
                (0.2f +
                 0.8f * smoothstep(-0.4f, 0.35f,
                                   core::noise::fbm(u * 14, v * 14, seed + 72, 3) - 0.6f * knots)) *
                (0.5f + 0.5f * broken) * (0.6f + 0.4f * patches) *
                (0.5f + 0.7f * lump + 1.5f * lumpLit);
            const float t = std::exp(-tau);
            // Whiter where brighter: the gas is hot enough to burn out.
            const float front = 30.0f * rim + 5.0f * bleed + 9.0f * skin +
                                4.0f * sparks * clamp01(8.0f * skin) + 1.5f * shine;
            const float glow =
                front * (1.0f - 0.7f * globule + 1.5f * globuleLit * clamp01(2.0f * front));
            // Just outside a lit edge the gas glows softly, fading out into
            // the nebula; how far it reaches and how bright it is change
            // along the outline, so it traces no even band.
            float halo = 0.0f;
            if (d > 0) {
                const float reach = core::noise::fbm(u * 9 + 3, v * 9, seed + 94, 3);
                halo = smoothstep(0.02f, -0.02f, dist.at(px - towardsX, py - towardsY)) *
                       std::exp(-d / (0.022f + 0.018f * reach)) * (0.1f + 0.9f * upper) *
                       (1.0f + 2.5f * tipness) * (0.3f + 0.7f * stretches) *
                       (0.1f + 0.9f * sunward) * (0.2f + 0.8f * smoothstep(-0.45f, 0.35f, reach));
            }
            // Faint glow stays gold, so dim knots read as lit gas, not grey.
            const core::Light glowColour = mix(mix(gold, paleGold, clamp01(2.5f * glow)),
                                               frontGreen, clamp01(0.6f * glow - 0.1f));
            c = c * t + surface * (1.0f - t) + paleGold * (0.15f * glowEdge) + glowColour * glow +
                mix(capGlow, gold, 0.4f) * (0.12f * halo) +
                mix(paleGold, teal, 0.35f) * (0.9f * wisp) +
                capGlow * (0.1f * cap * open * height * std::exp(-std::max(d, 0.0f) / 0.01f) *
                           lerp(1.0f, sunward, smoothstep(0.0f, 0.004f, d)));
            light.dim(px, py, t);
        }
        // Lesser dust drifting across the foot of the columns.
        if (v > 0.12f) {
            const float drift =
                smoothstep(0.15f, 0.45f,
                           v + 0.15f * core::noise::fbm(u * 2.5f, v * 2.5f, seed + 47, 3)) *
                smoothstep(-0.35f, 0.4f, core::noise::fbm(u * 4, v * 5, seed + 48, 4));
            const float t = std::exp(-2.2f * drift);
            c = c * t + dustBrown * (0.004f * drift);
            light.dim(px, py, t);
        }
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
