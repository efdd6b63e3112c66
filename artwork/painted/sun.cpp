// SPDX-License-Identifier: MIT
#include "artwork/painted/noise.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"
#include "artwork/painted/shapes.h"

#include <cmath>
#include <vector>

namespace painted {

namespace {

using namespace shape;

constexpr float Radius = 0.43f; // the disc's radius in picture heights
constexpr float Deg = Pi / 180.0f;

// Extreme-ultraviolet light in the golden-orange false colour of solar
// imagery: faint emission is brown-orange, strong emission turns gold and
// then white as the channels saturate one after another.
constexpr Rgb Gold{1.0f, 0.5f, 0.14f};

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
    float lat, lon; // degrees
    float size;     // degrees
    float strength; // plage brightness
    float tilt;     // direction of the magnetic axis, degrees
    int loops;
    float loopHeight; // typical loop height in solar radii
};

constexpr ActiveRegion Regions[] = {
    {18, -32, 7, 1.6f, 20, 46, 0.09f}, {-14, 8, 8, 1.8f, -15, 55, 0.11f},
    {24, 30, 5, 1.2f, 10, 30, 0.07f},  {-22, -58, 6, 1.4f, 30, 40, 0.1f},
    {-6, 44, 4, 0.9f, -5, 20, 0.06f},  {30, -8, 4, 0.8f, 0, 18, 0.05f},
    {-30, 28, 5, 1.0f, 25, 24, 0.08f},
};

// The flaring region sits just inside the western limb so its loop arcade
// stands out against the dark sky.
constexpr float FlareLat = 14 * Deg;
constexpr float FlareLon = 77 * Deg;

float sphereDistance(Vec3 a, Vec3 b)
{
    return std::acos(std::clamp(dot(a, b), -1.0f, 1.0f));
}

void drawLoop(Canvas &canvas, Vec3 a, Vec3 b, float height, float brightness, float width,
              float lean)
{
    const Vec3 side = normalised(cross(a, b));
    const float span = sphereDistance(a, b) * (1 + height) * Scene::toPixels(Radius);
    const int steps = std::max(8, int(span * 1.4f + height * 900));
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const float arch = std::sin(Pi * t);
        const Vec3 base = normalised(a * (1 - t) + b * t);
        const Vec3 p = normalised(base + side * (lean * arch)) * (1 + height * arch);
        const float projected = p.x * p.x + p.y * p.y;
        if (p.z < 0 && projected < 1)
            continue; // behind the disc
        // Loops fade towards their tops, where the hot plasma thins out.
        const float fade = 1.0f - 0.45f * arch;
        canvas.splat(Scene::toX(p.x * Radius), Scene::toY(p.y * Radius), width,
                     Gold * (brightness * fade));
    }
}

void drawRegionLoops(Canvas &canvas, Rng &rng, const ActiveRegion &region)
{
    // Loops follow the field of a magnetic dipole: nested arches between a
    // leading and a following polarity, all leaning the same way, and a few
    // tall loops fanning out to the surroundings.
    const float size = region.size * Deg;
    const float c = std::cos(region.tilt * Deg), s = std::sin(region.tilt * Deg);
    const float lat = region.lat * Deg, lon = region.lon * Deg;
    const float lean = rng.range(-0.35f, 0.35f);
    auto at = [&](float along, float across) {
        return onSphere(lat + along * s + across * c, lon + along * c - across * s);
    };
    for (int i = 0; i < region.loops; ++i) {
        const float across = rng.normal() * 0.35f * size;
        const float jitter = 0.06f * size;
        if (rng.uniform() < 0.85f) {
            const float d = size * rng.range(0.2f, 1.1f);
            const Vec3 a = at(d + rng.normal() * jitter, across + rng.normal() * jitter);
            const Vec3 b = at(-d + rng.normal() * jitter, across * 1.25f + rng.normal() * jitter);
            const float height = region.loopHeight * (d / size) * rng.range(0.8f, 1.2f);
            drawLoop(canvas, a, b, height, rng.range(0.04f, 0.1f), rng.range(0.8f, 1.5f),
                     lean + rng.normal() * 0.05f);
        } else {
            const float side = rng.uniform() < 0.5f ? 1.0f : -1.0f;
            const Vec3 a = at(side * 0.6f * size, across);
            const float dir = rng.range(-0.8f, 0.8f);
            const float reach = size * rng.range(2.0f, 3.5f);
            const Vec3 b = at(side * reach * std::cos(dir), reach * std::sin(dir));
            drawLoop(canvas, a, b, region.loopHeight * rng.range(1.3f, 2.0f),
                     rng.range(0.03f, 0.06f), rng.range(1.0f, 1.8f), lean * 0.5f);
        }
    }
}

void drawFlareArcade(Canvas &canvas, Rng &rng)
{
    // Post-flare loops in a row along a neutral line that runs towards the
    // limb, so at the limb the loops stand up as arches against the sky.
    const int count = 60;
    for (int i = 0; i < count; ++i) {
        const float t = (float(i) + rng.uniform()) / float(count) - 0.5f;
        const float latC = FlareLat + t * 1.5f * Deg;
        const float lonC = FlareLon + t * 10 * Deg;
        const float half = rng.range(3.0f, 5.5f) * Deg;
        const Vec3 a = onSphere(latC - half, lonC + rng.normal() * 0.4f * Deg);
        const Vec3 b = onSphere(latC + half, lonC + rng.normal() * 0.4f * Deg);
        const float centreWeight = std::exp(-t * t * 10);
        drawLoop(canvas, a, b, rng.range(0.05f, 0.08f) * (0.6f + 0.4f * half / (4 * Deg)),
                 (0.1f + 0.22f * centreWeight) * rng.range(0.7f, 1.2f), rng.range(0.9f, 1.6f),
                 rng.range(-0.1f, 0.1f));
    }
}

} // namespace

void paintSun(Scene &scene)
{
    const uint32_t seed = scene.seed();
    const Vec3 flare = onSphere(FlareLat, FlareLon);
    const float flareX = flare.x * Radius, flareY = flare.y * Radius;

    std::vector<Vec3> centres;
    for (const ActiveRegion &r : Regions)
        centres.push_back(onSphere(r.lat * Deg, r.lon * Deg));
    // A coronal hole: a large, darker patch near the north pole.
    const Vec3 hole = onSphere(62 * Deg, -20 * Deg);

    scene.gas().fill([&](float u, float v) {
        const float x = u / Radius, y = v / Radius;
        const float r = std::sqrt(x * x + y * y);
        float intensity = 0;

        // Hot, optically thin corona: brightest along the limb, where the line
        // of sight runs longest through it, then fading with height.
        const float angle = std::atan2(y, x);
        const float streamers =
            0.65f + 0.7f * clamp01(0.5f + noise::fbm(std::cos(angle) * 3.0f + r * 0.8f,
                                                     std::sin(angle) * 3.0f, seed + 7, 4));
        const float height = std::max(r - 1, 0.0f);
        intensity += (0.45f * shell(r, 1.0f, 1.05f) + 0.3f * std::exp(-height / 0.09f) +
                      0.08f * std::exp(-height / 0.35f)) *
                     streamers;

        if (r < 1.0f) {
            const float z = std::sqrt(1 - r * r);
            const Vec3 p{x, y, z};
            const float lon = std::atan2(x, z);
            const float lat = std::asin(std::clamp(y, -1.0f, 1.0f));
            const noise::Offset w = noise::warp(lon * 4, lat * 4, seed + 1, 3);
            const float mottle =
                noise::fbm(lon * 9 + w.x * 0.6f, lat * 9 + w.y * 0.6f, seed + 2, 6);
            const float network = noise::ridged(lon * 14, lat * 14, seed + 3, 3);
            float surface = 0.36f * (1 + 0.75f * mottle) + 0.3f * network * network;

            float plage = 0;
            const noise::Offset pw = noise::warp(lon * 7, lat * 7, seed + 6, 3);
            const Vec3 q = normalised(p + Vec3{pw.x * 0.05f, pw.y * 0.05f, 0});
            for (size_t i = 0; i < centres.size(); ++i) {
                const float d = sphereDistance(q, centres[i]) / (Regions[i].size * Deg);
                plage += Regions[i].strength * std::exp(-d * d * 0.9f);
            }
            const float grain =
                0.6f + 0.5f * clamp01(0.5f + noise::fbm(lon * 30, lat * 30, seed + 4, 3));
            surface += plage * grain;

            const float holeD = sphereDistance(p, hole);
            surface *=
                1.0f - 0.6f * smoothstep(0.55f, 0.25f,
                                         holeD + 0.08f * noise::fbm(lon * 5, lat * 5, seed + 5, 3));

            // The disc's edge is soft: the surface fades as it turns away.
            intensity += surface * smoothstep(0.0f, 0.12f, z);
        }

        // Glare from the flare spills over the limb.
        const float fd = std::hypot(u - flareX, v - flareY);
        intensity += 10.0f * std::exp(-fd * fd / (0.011f * 0.011f)) +
                     1.6f * std::exp(-fd / 0.025f) + 0.4f * std::exp(-fd / 0.1f);

        return Gas{Gold * intensity, 0};
    });

    Rng &rng = scene.rng();
    for (const ActiveRegion &region : Regions)
        drawRegionLoops(scene.front(), rng, region);
    drawFlareArcade(scene.front(), rng);
}

} // namespace painted
