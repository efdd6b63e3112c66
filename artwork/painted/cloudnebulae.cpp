// SPDX-License-Identifier: MIT
// Large clouds of glowing gas: supernova remnant, star-forming regions and
// emission nebulae across rich star fields.

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

void richStars(Scene &scene, int count, float brightest, float blueShare = 0.3f)
{
    StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    style.range = 7.0f;
    style.blueShare = blueShare;
    scatterStars(scene.stars(), scene.rng(), style);
}

// Draws a branching lane of dust into a grid: a wandering stem that forks.
void dustBranch(Grid &grid, Rng &rng, float u, float v, float angle, float length, float width,
                int depth)
{
    const float step = 0.004f;
    const int steps = int(length / step);
    for (int i = 0; i < steps; ++i) {
        const float t = float(i) / float(steps);
        angle += rng.normal() * 0.06f;
        u += std::cos(angle) * step;
        v += std::sin(angle) * step;
        const float w = width * (1.0f - 0.6f * t);
        grid.splat(u, v, w, 0.12f);
        if (depth > 0 && rng.uniform() < 0.018f) {
            const float side = rng.uniform() < 0.5f ? -1.0f : 1.0f;
            dustBranch(grid, rng, u, v, angle + side * rng.range(0.5f, 1.1f),
                       length * (1 - t) * rng.range(0.35f, 0.7f), w * 0.65f, depth - 1);
        }
    }
}

} // namespace

void paintCrab(Scene &scene)
{
    richStars(scene, 2500, 2.0f);
    const uint32_t seed = scene.seed();
    constexpr Rgb Synchrotron{0.5f, 0.62f, 1.0f};
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 3, v * 3, seed + 1, 4);
        const float x = u + 0.05f * w.x, y = v + 0.05f * w.y;
        const float d = ellipse(x, y, 0, 0, 0.4f, 0.28f, -0.42f);
        const float inside = smoothstep(1.02f, 0.8f, d);
        // Blue-white synchrotron haze, densest at the pulsar.
        const float haze = (0.3f + 0.6f * std::exp(-d * d * 3)) * inside *
                           (0.8f + 0.35f * noise::fbm(x * 8, y * 8, seed + 2, 4));
        Rgb light = mix(Synchrotron, HotWhite, 0.25f) * (0.85f * haze);
        // A web of filaments: winding crests of warped noise, knotted together by
        // the borders of larger cells.
        const noise::Offset w2 = noise::warp(x * 7, y * 7, seed + 3, 4);
        const float crests = noise::ridged(x * 8 + w2.x * 1.2f, y * 8 + w2.y * 1.2f, seed + 9, 4);
        const noise::Cells big = noise::worley(x * 7 + w2.x, y * 7 + w2.y, seed + 4);
        const float patchy = clamp01(0.3f + 1.2f * noise::fbm(x * 6, y * 6, seed + 8, 3));
        const float web = std::pow(crests, 2.5f) * (0.5f + 0.8f * patchy) +
                          0.5f * std::exp(-(big.f2 - big.f1) * 8.0f) * (1.1f - patchy);
        const float strength =
            (0.3f + 0.8f * smoothstep(0.2f, 0.95f, d)) * smoothstep(1.05f, 0.85f, d);
        const float hue = clamp01(0.5f + 1.2f * noise::fbm(x * 5, y * 5, seed + 6, 3));
        const Rgb filament = mix(mix(HydrogenRed, NitrogenOrange, 0.6f),
                                 mix(Gold, Rgb{0.7f, 0.9f, 0.4f}, 0.3f), hue * 0.7f);
        light += filament *
                 (1.6f * web * strength * (0.6f + 0.6f * noise::fbm(x * 30, y * 30, seed + 7, 3)));
        return Gas{light, 0.15f * web * strength};
    });
    brightStar(scene.front(), -0.012f, 0.006f, HotWhite, 1.4f, 0.8f);
    brightStar(scene.front(), 0.008f, -0.004f, WarmWhite, 1.2f, 0.8f);
}

void paintNgc604(Scene &scene)
{
    const uint32_t seed = scene.seed();
    // The spiral arm runs diagonally: its stars crowd along it.
    auto arm = [](float u, float v) {
        const Point p = toFrame(u, v, 0, 0, -0.5f);
        return std::exp(-p.y * p.y / (0.09f * 0.09f));
    };
    StarFieldStyle style;
    style.count = 16000;
    style.brightest = 0.9f;
    style.range = 5.0f;
    style.blueShare = 0.4f;
    scatterStars(scene.stars(), scene.rng(), style,
                 [&](float u, float v) { return 0.15f + 0.85f * arm(u, v); });

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 4, v * 4, seed + 1, 4);
        const float x = u + 0.03f * w.x, y = v + 0.03f * w.y;
        // Unresolved starlight of the arm.
        Rgb light = mix(WarmWhite, Gold, 0.3f) *
                    (0.12f * arm(x, y) * (0.8f + 0.4f * noise::fbm(x * 6, y * 6, seed + 2, 4)));
        const float r = std::hypot(x - 0.02f, (y + 0.01f) * 1.15f);
        const float knot = smoothstep(0.36f, 0.05f, r);
        // Bubbles blown by the cluster: bright pink walls around bluer cavities.
        const noise::Offset w2 = noise::warp(x * 9, y * 9, seed + 3, 3);
        const noise::Cells c = noise::worley(x * 7 + w2.x * 0.6f, y * 7 + w2.y * 0.6f, seed + 4);
        const float walls = std::exp(-(c.f2 - c.f1) * 5.0f);
        const float cavity = smoothstep(0.1f, 0.5f, c.f1);
        const float clumps = clamp01(0.5f + noise::fbm(x * 18, y * 18, seed + 5, 4));
        light += Rose * (1.3f * knot * (0.25f + 0.9f * walls) * (0.5f + clumps));
        light +=
            mix(SkyBlue, HotWhite, 0.3f) * (0.6f * knot * knot * cavity * (0.6f + 0.5f * clumps));
        // Dust cuts across the knot and the arm.
        const float lanes = noise::ridged(x * 5 + 3, y * 5, seed + 6, 4);
        const float tau = 2.2f * std::pow(lanes, 3.0f) * (0.4f + 0.8f * arm(x, y) + knot) *
                          clamp01(0.5f + noise::fbm(x * 3, y * 3, seed + 7, 3));
        light = light * std::exp(-tau);
        return Gas{light, tau};
    });
    scatterCluster(scene.front(), scene.rng(), 0.03f, 0.0f, 0.14f, 130, 3.0f);
}

void paintFlame(Scene &scene)
{
    richStars(scene, 5000, 2.0f);
    const uint32_t seed = scene.seed();
    Grid dust(Scene::Width, Scene::Height, 4);
    Rng &rng = scene.rng();
    // A trunk of dust up the middle, forking towards the top like a flame's tongues.
    dustBranch(dust, rng, 0.05f, 0.62f, -Pi * 0.5f - 0.08f, 0.75f, 0.05f, 2);
    for (int i = 0; i < 3; ++i) {
        const float v = rng.range(0.0f, 0.3f);
        const float side = i % 2 == 0 ? -1.0f : 1.0f;
        dustBranch(dust, rng, 0.03f, v, -Pi * 0.5f + side * rng.range(0.7f, 1.1f),
                   rng.range(0.2f, 0.35f), 0.03f, 1);
    }
    // A broad lane across the lower part.
    dustBranch(dust, rng, -0.9f, 0.3f, -0.08f, 1.9f, 0.05f, 1);

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 3, v * 3, seed + 1, 4);
        const float x = u + 0.04f * w.x, y = v + 0.04f * w.y;
        const float r = std::hypot(x * 0.9f, y);
        const float glow = std::exp(-r * r / 0.2f) *
                           (0.6f + 0.6f * clamp01(0.5f + noise::fbm(x * 6, y * 6, seed + 2, 5)));
        const float hot = std::exp(-r * r / 0.04f);
        Rgb light = mix(NitrogenOrange, Gold, 0.5f + 0.4f * hot) * (1.8f * glow + 0.8f * hot);
        const float lace = noise::fbm(x * 14, y * 14, seed + 3, 4);
        const float tau = dust.sample(x, y) * (0.9f + 0.8f * lace) +
                          0.6f * smoothstep(0.1f, 0.6f, noise::fbm(x * 5, y * 5, seed + 4, 5));
        // Thin dust reddens the light at the lanes' edges before it hides it.
        light = Rgb{light.r * std::exp(-tau * 0.7f), light.g * std::exp(-tau * 1.1f),
                    light.b * std::exp(-tau * 1.4f)};
        light += HydrogenRed * (0.05f * std::exp(-r / 0.5f));
        return Gas{light, tau};
    });
    // The bright star that lights the nebula, just off to the side.
    brightStar(scene.front(), 0.62f, -0.32f, mix(HotWhite, SkyBlue, 0.4f), 9.0f, 2.6f, 0.3f);
}

void paintLagoon(Scene &scene)
{
    richStars(scene, 14000, 2.2f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 2.5f, v * 2.5f, seed + 1, 5);
        const float x = u + 0.06f * w.x, y = v + 0.06f * w.y;
        const float d = ellipse(x, y, 0.05f, 0.0f, 0.75f, 0.38f, -0.12f);
        const float cloud = std::exp(-d * d * 1.6f) *
                            (0.55f + 0.7f * clamp01(0.5f + noise::fbm(x * 5, y * 5, seed + 2, 6)));
        // The brightest knot lies west of the lagoon.
        const float core =
            std::exp(-(std::pow(x - 0.28f, 2.0f) + std::pow(y + 0.02f, 2.0f)) / 0.006f);
        Rgb light = mix(HydrogenRed, Rose, 0.5f) * (1.1f * cloud) +
                    mix(Rose, WarmWhite, 0.5f) * (1.5f * core);
        // The lagoon: a dark, winding lane across the glow.
        const float laneAxis = y - (0.1f - 0.18f * x + 0.06f * std::sin(x * 5));
        const float lane = bump(laneAxis + 0.02f * noise::fbm(x * 8, y * 8, seed + 3, 4), 0.045f) *
                           smoothstep(0.6f, 0.0f, std::fabs(x + 0.05f));
        const float patches =
            smoothstep(0.15f, 0.55f, noise::fbm(x * 4 + 7, y * 4, seed + 4, 5)) * cloud;
        const float tau = 2.2f * lane + 1.6f * patches;
        light = light * std::exp(-tau);
        return Gas{light, tau};
    });
    scatterCluster(scene.front(), scene.rng(), -0.3f, 0.05f, 0.2f, 70, 3.0f);
    brightStar(scene.front(), 0.27f, -0.02f, HotWhite, 5.0f, 1.6f, 0.25f);
}

void paintCalifornia(Scene &scene)
{
    richStars(scene, 18000, 2.6f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 2, v * 2, seed + 1, 5);
        const float x = u + 0.05f * w.x, y = v + 0.05f * w.y;
        // The ridge: a long, gently curved band; its upper edge is sharp, the
        // glow trails off below it.
        const float ridge = 0.06f - 0.12f * x + 0.12f * x * x;
        const float offset = y - ridge;
        const float profile = offset < 0 ? bump(offset, 0.05f) : std::exp(-offset / 0.18f);
        const float extent = smoothstep(1.0f, 0.55f, std::fabs(x + 0.03f));
        const float striations = noise::fbm(x * 3, y * 22, seed + 2, 4);
        const float lumps = clamp01(0.5f + noise::fbm(x * 6, y * 6, seed + 3, 5));
        Rgb light = HydrogenRed *
                    (1.2f * profile * extent * (0.45f + 0.7f * lumps) * (0.8f + 0.4f * striations));
        light += Rose * (0.5f * bump(offset + 0.01f, 0.015f) * extent * lumps);
        light += HydrogenRed * (0.04f * (0.5f + noise::fbm(x * 2, y * 2, seed + 4, 3)));
        return Gas{light, 0.3f * std::max(0.0f, noise::fbm(x * 4, y * 4, seed + 5, 4))};
    });
    brightStar(scene.front(), 0.05f, 0.38f, mix(HotWhite, SkyBlue, 0.4f), 6.0f, 2.0f);
}

void paintRosette(Scene &scene)
{
    richStars(scene, 12000, 2.2f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 3, v * 3, seed + 1, 5);
        const float x = u + 0.07f * w.x, y = v + 0.07f * w.y;
        const float r = std::hypot(x, y);
        // A thick ring with a dark, ragged hole blown out by the cluster.
        const float ragged = 0.05f * noise::fbm(x * 8, y * 8, seed + 6, 4);
        const float ring = smoothstep(0.07f, 0.23f, r + ragged) *
                           std::exp(-std::pow(std::max(0.0f, r - 0.24f) / 0.17f, 2.0f));
        const float petals = 0.5f + 0.8f * clamp01(0.5f + noise::fbm(x * 6, y * 6, seed + 2, 6));
        Rgb light = mix(HydrogenRed, Rose, 0.3f) * (1.3f * ring * petals);
        light += mix(Rose, Gold, 0.3f) * (0.3f * bump(r - 0.17f, 0.05f) * petals);
        // Thin wisps left inside the hole.
        const float wisps = std::pow(noise::ridged(x * 6, y * 6, seed + 7, 3), 3.0f);
        light +=
            mix(HydrogenRed, Rose, 0.4f) * ((0.05f + 0.25f * wisps) * smoothstep(0.2f, 0.0f, r));
        // Dust lanes and dark globules, mostly along the inner rim.
        const float lanes = smoothstep(0.6f, 0.95f, noise::ridged(x * 4, y * 4, seed + 3, 3)) +
                            smoothstep(0.2f, 0.6f, noise::fbm(x * 5, y * 5, seed + 5, 5));
        const float tau =
            2.0f * lanes * ring * clamp01(0.4f + noise::fbm(x * 4, y * 4, seed + 4, 3));
        light = light * std::exp(-tau);
        return Gas{light, tau};
    });
    scatterCluster(scene.front(), scene.rng(), 0.0f, 0.0f, 0.2f, 70, 3.5f);
}

} // namespace painted
