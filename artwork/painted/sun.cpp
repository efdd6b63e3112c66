// SPDX-License-Identifier: MIT
// The Sun in extreme-ultraviolet light: a mottled disc, active regions with
// their loop arcades, a flare near the western limb and the corona beyond it.

#include "artwork/core/floatcanvas.h"
#include "artwork/core/noise.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/core/starimage.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <cmath>

namespace painted {

namespace {

namespace cn = core::noise;
using core::Light;
using core::shaping::clamp01;
using core::shaping::Pi;
using core::shaping::smoothstep;

constexpr float Cx = 960, Cy = 540;
constexpr float Radius = 464; // px
constexpr float Deg = Pi / 180.0f;

// The golden false colour of this passband: faint light is brown-orange,
// strong light turns gold and then white as the develop step rolls the
// channels off one after another.
constexpr Light Gold{1.0f, 0.56f, 0.17f};

struct Vec3
{
    float x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator*(Vec3 a, float k)
{
    return {a.x * k, a.y * k, a.z * k};
}
float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 normalised(Vec3 a)
{
    return a * (1.0f / std::sqrt(dot(a, a)));
}
Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A point on the unit sphere; the observer looks down the z axis, y points
// to the picture's bottom.
Vec3 onSphere(float lat, float lon)
{
    return {std::cos(lat) * std::sin(lon), -std::sin(lat), std::cos(lat) * std::cos(lon)};
}

struct ActiveRegion
{
    float lat, lon;   // degrees
    float size;       // degrees
    float strength;   // plage brightness
    float tilt;       // direction of the polarity line, degrees
    int loops;        // loops in its arcade
    float loopHeight; // tallest loop, in solar radii
};

constexpr ActiveRegion Regions[] = {
    {18, -32, 7, 0.9f, 20, 34, 0.1f},   {-14, 8, 8, 1.0f, -15, 40, 0.12f},
    {24, 30, 5, 0.7f, 10, 24, 0.08f},   {-22, -58, 6, 0.8f, 30, 30, 0.1f},
    {-6, 44, 4, 0.5f, -5, 16, 0.06f},   {30, -8, 4, 0.45f, 0, 14, 0.06f},
    {-30, 28, 5, 0.55f, 25, 18, 0.08f}, {14, 77, 6, 1.2f, 8, 40, 0.07f},
};
// The last region flares; it sits just inside the western limb.
constexpr int Flaring = 7;

float sphereDistance(Vec3 a, Vec3 b)
{
    return std::acos(std::clamp(dot(a, b), -1.0f, 1.0f));
}

// One loop of hot plasma between two footpoints, as a chain of soft dots
// so its brightness along the path does not depend on its width. A taper
// dims it towards b, for loops that reach out into the quiet Sun.
void addLoop(core::FloatCanvas &canvas, Vec3 a, Vec3 b, float height, float brightness, float width,
             float lean, float taper = 0.0f)
{
    const Vec3 side = normalised(cross(a, b));
    const float arc = sphereDistance(a, b);
    const float span = arc * (1 + 2 * height) * Radius;
    const int steps = std::max(8, int(span * 1.6f + height * 2.5f * Radius));
    const float peak = brightness * 0.4f / width * (span + height * 2 * Radius) / float(steps);
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const float arch = std::sin(Pi * t);
        const Vec3 base = normalised(a * (1 - t) + b * t);
        const Vec3 p = normalised(base + side * (lean * arc * arch)) * (1 + height * arch);
        if (p.z < 0 && p.x * p.x + p.y * p.y < 1)
            continue; // behind the disc
        // The legs are densest and brightest where they root in the plage;
        // the tops thin out.
        const float foot = 1.0f + 1.6f * std::exp(-arch * arch * 40.0f);
        const float fade = (1.0f - 0.6f * arch) * foot * (1.0f - taper * t);
        canvas.addGaussian(Cx + p.x * Radius, Cy + p.y * Radius, width, Gold * (peak * fade));
    }
}

// An arcade: loops side by side across the region's polarity line, their
// heights and leans changing smoothly along it, and a few long loops fanning
// out to the quiet Sun around.
void addArcade(core::FloatCanvas &canvas, core::Rng &rng, const ActiveRegion &region, float boost)
{
    const float size = region.size * Deg;
    const float c = std::cos(region.tilt * Deg), s = std::sin(region.tilt * Deg);
    const float lat = region.lat * Deg, lon = region.lon * Deg;
    auto at = [&](float along, float across) {
        return onSphere(lat + along * s + across * c, lon + along * c - across * s);
    };
    const float lean = float(rng.range(-0.3, 0.3));
    const float bend = float(rng.range(-0.5, 0.5));
    const float phase = float(rng.range(0.0, 6.28));
    const int count = region.loops * 2;
    for (int i = 0; i < count; ++i) {
        const float t = (float(i) + float(rng.uniform())) / float(count) * 2 - 1;
        const float along = t * size * 1.4f;
        const float across = bend * t * t * size;
        // Neighbouring loops are alike: their spans change smoothly along the arcade.
        const float half = size *
                           (0.55f + 0.25f * std::sin(3 * t + phase) + float(rng.normal()) * 0.06f) *
                           (1.1f - 0.4f * std::fabs(t));
        const float skew = float(rng.normal()) * 0.03f * size;
        const Vec3 a = at(along + skew, across - half);
        const Vec3 b = at(along - skew, across + half);
        const float height = region.loopHeight * (half / size) * float(rng.range(0.6, 1.4));
        const float core = std::exp(-t * t * 2.5f);
        // Heavy-tailed brightness: most loops are faint threads, a few stand out.
        const float u = float(rng.uniform());
        const float bright = boost * (0.006f + 0.2f * std::pow(u, 7.0f)) * (0.4f + core);
        // Leans differ loop to loop, so the arcade fans instead of stacking.
        addLoop(canvas, a, b, height, bright, float(rng.range(0.9, 1.9)),
                lean + float(rng.normal()) * 0.06f);
    }
    const int fans = region.loops + region.loops / 2;
    for (int i = 0; i < fans; ++i) {
        const float side = rng.uniform() < 0.5 ? 1.0f : -1.0f;
        const Vec3 a = at(float(rng.range(-0.8, 0.8)) * size, side * 0.4f * size);
        const float dir = float(rng.range(-1.3, 1.3));
        const float reach = size * float(rng.range(1.0, 3.2));
        const Vec3 b = at(reach * std::sin(dir), side * reach * std::cos(dir));
        const float u = float(rng.uniform());
        addLoop(canvas, a, b, reach * float(rng.range(0.15, 0.45)),
                (0.008f + 0.06f * u * u * u) * boost, float(rng.range(1.0, 2.2)),
                float(rng.normal()) * 0.12f, 0.85f);
    }
    // Small bright loops in every direction break up the arcade's outline.
    for (int i = 0; i < region.loops; ++i) {
        const float u = float(rng.normal()) * 0.6f * size, v = float(rng.normal()) * 0.5f * size;
        const float dir = float(rng.range(0.0, 2 * Pi));
        const float half = size * float(rng.range(0.1, 0.3));
        const Vec3 a = at(u + half * std::cos(dir), v + half * std::sin(dir));
        const Vec3 b = at(u - half * std::cos(dir), v - half * std::sin(dir));
        const float w = float(rng.uniform());
        addLoop(canvas, a, b, region.loopHeight * half / size, boost * (0.006f + 0.07f * w * w * w),
                float(rng.range(1.2, 2.2)), float(rng.normal()) * 0.2f);
    }
}

// Long, faint loops joining neighbouring regions.
void addInterconnections(core::FloatCanvas &canvas, core::Rng &rng)
{
    for (std::size_t i = 0; i < std::size(Regions); ++i) {
        for (std::size_t j = i + 1; j < std::size(Regions); ++j) {
            const Vec3 a = onSphere(Regions[i].lat * Deg, Regions[i].lon * Deg);
            const Vec3 b = onSphere(Regions[j].lat * Deg, Regions[j].lon * Deg);
            const float d = sphereDistance(a, b);
            if (d > 40 * Deg)
                continue;
            for (int k = 0; k < 4; ++k) {
                const Vec3 jitter{float(rng.normal()) * 0.03f, float(rng.normal()) * 0.03f,
                                  float(rng.normal()) * 0.03f};
                addLoop(canvas, normalised(a + jitter), normalised(b + jitter * -1.0f),
                        d * float(rng.range(0.25, 0.4)), float(rng.range(0.012, 0.025)),
                        float(rng.range(2.0, 3.0)), float(rng.normal()) * 0.1f, 0.3f);
            }
        }
    }
}

} // namespace

void paintSun(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();

    Vec3 centres[std::size(Regions)];
    for (std::size_t i = 0; i < std::size(Regions); ++i)
        centres[i] = onSphere(Regions[i].lat * Deg, Regions[i].lon * Deg);
    // A coronal hole: a large, darker patch near the north pole.
    const Vec3 hole = onSphere(62 * Deg, -20 * Deg);

    light.addEach([&](float px, float py) {
        const float x = (px - Cx) / Radius, y = (py - Cy) / Radius;
        const float r2 = x * x + y * y;
        const float r = std::sqrt(r2);
        float intensity = 0;
        Light corona;
        if (r > 0.9f) {
            // Optically thin corona: brightest just above the limb, where the
            // line of sight runs longest through it, and in streamers. The
            // streamers vary with direction only, so the disc centre is no
            // special point.
            const float ux = x / r, uy = y / r;
            const float streamers =
                0.55f + 0.8f * clamp01(0.5f + cn::fbm(ux * 2.6f, uy * 2.6f, seed + 7, 4) +
                                       0.3f * cn::fbm(ux * 9 + r, uy * 9, seed + 8, 3));
            const float h = std::max(r - 1.0f, 0.0f);
            // Fine rays keep the faint glow from being a smooth gradient, which
            // would show contours once quantised; it also pales as it fades.
            const float rays = 0.85f + 0.3f * cn::fbm(ux * 40 + r * 3, uy * 40, seed + 9, 3);
            const float glow = (0.05f * std::exp(-h / 0.02f) + 0.035f * std::exp(-h / 0.1f) +
                                0.008f * std::exp(-h / 0.4f) * rays) *
                               streamers * smoothstep(0.97f, 1.0f, r);
            corona = mix(Gold, Light{1.0f, 0.7f, 0.42f}, smoothstep(1.05f, 1.6f, r)) * glow;
        }
        if (r2 < 1.0f) {
            const float z = std::sqrt(1.0f - r2);
            const Vec3 p{x, y, z};
            // Noise on the sphere itself, in three dimensions: no seams.
            const cn::Offset w = cn::warp(x * 3 + z, y * 3 - z, seed + 1, 3);
            const float mottle =
                cn::fbm(x * 7 + w.x * 0.5f, y * 7 + w.y * 0.5f, z * 7, seed + 2, 5);
            const float network = cn::ridged(x * 22, y * 22, z * 22, seed + 3, 4);
            float surface = 0.07f * (1 + 0.7f * mottle) + 0.016f * network * network;

            const cn::Offset pw = cn::warp(x * 6, y * 6, seed + 6, 3);
            const Vec3 q = normalised(p + Vec3{pw.x * 0.04f, pw.y * 0.04f, 0});
            float plage = 0;
            for (std::size_t i = 0; i < std::size(Regions); ++i) {
                const float d = sphereDistance(q, centres[i]) / (Regions[i].size * Deg);
                // A hot core, then a wide diffuse glow fading into the quiet Sun.
                plage += Regions[i].strength *
                         (0.3f * std::exp(-d * d * 1.2f) + 0.25f * std::exp(-d * d * 6.0f) +
                          0.09f * std::exp(-d * 0.7f));
            }
            const float moss =
                0.55f + 0.9f * clamp01(0.5f + cn::fbm(x * 30, y * 30, z * 30, seed + 4, 3));
            surface += plage * moss;
            const float holeD =
                sphereDistance(p, hole) + 0.08f * cn::fbm(x * 5, y * 5, z * 5, seed + 5, 3);
            surface *= 1.0f - 0.7f * smoothstep(0.5f, 0.25f, holeD);
            // Limb brightening of the thin corona over the disc, and a soft edge.
            surface *= 0.8f + 0.5f * (1 - z) * (1 - z);
            intensity += surface * smoothstep(0.0f, 0.06f, z);
        }
        return Gold * intensity + corona;
    });

    // Loops on their own canvas, so a soft copy can add the glow around them.
    core::FloatCanvas loops;
    core::Rng rng(core::hash64(seed));
    for (std::size_t i = 0; i < std::size(Regions); ++i)
        addArcade(loops, rng, Regions[i], i == Flaring ? 2.2f : 1.0f);
    addInterconnections(loops, rng);
    light.addCanvas(loops);
    light.addCanvas(loops.blurred(4.0f), 0.6f);
    light.addCanvas(loops.blurred(16.0f), 0.9f);

    // The flare: a compact kernel far past white, and the glare it throws.
    const Vec3 flare = onSphere(15 * Deg, 76 * Deg);
    const float fx = Cx + flare.x * Radius, fy = Cy + flare.y * Radius;
    core::FloatCanvas glare;
    glare.addGaussian(fx, fy, 5.0f, Gold * 6.0f);
    glare.addGaussian(fx + 4, fy - 3, 2.5f, Light{1.0f, 0.9f, 0.7f} * 10.0f);
    glare.addGaussian(fx, fy, 18.0f, Gold * 1.2f);
    glare.addGaussian(fx, fy, 60.0f, Gold * 0.25f);
    light.addCanvas(glare);
    core::StarImage burst;
    burst.x = fx + 2;
    burst.y = fy - 1;
    burst.brightness = 60.0f;
    burst.colour = Light{1.0f, 0.8f, 0.5f};
    burst.spikes = 0.5f;
    burst.spikeLength = 55.0f;
    burst.spikeAngle = 0.78f;
    light.addStar(burst);

    scene.develop().softening = 0.03f;
}

} // namespace painted
