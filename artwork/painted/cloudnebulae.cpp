// SPDX-License-Identifier: MIT
// Large clouds of glowing gas: supernova remnant, star-forming regions and
// emission nebulae across rich star fields. Each is a volume integrated on a
// coarse grid of rays, carved at full resolution by fine 2-D detail and dust,
// over a star field drawn first so the gas and its dust cover it.

#include "artwork/core/floatcanvas.h"
#include "artwork/core/light.h"
#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/core/starfield.h"
#include "artwork/core/starimage.h"
#include "artwork/core/volume.h"
#include "artwork/painted/centralstar.h"
#include "artwork/painted/cloudvolume.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

namespace painted {

namespace {

using core::Box;
using core::Light;
using core::Medium;
using core::Ray;
using namespace core::shaping;
namespace noise = core::noise;
namespace pal = core::palette;

constexpr Box WholeFrame{0, 0, Scene::Width, Scene::Height};

// A dense background field; density(x, y) in [0, 1] thins it.
template <typename Density>
void fieldStars(core::FloatCanvas &light, std::uint64_t seed, int count, float brightest,
                float blueShare, Density density)
{
    core::Rng rng(seed);
    core::StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    style.range = 9.0f;
    style.blueShare = blueShare;
    core::scatterStars(light, rng, style, density);
}

void fieldStars(core::FloatCanvas &light, std::uint64_t seed, int count, float brightest)
{
    fieldStars(light, seed, count, brightest, 0.3f, [](float, float) { return 1.0f; });
}

struct ClusterStyle
{
    float x, y;       // centre, pixels
    float rx, ry;     // spread (standard deviation), pixels
    int count;        // members
    float brightest;  // brightness of the brightest member
    int spiked;       // how many of the brightest get diffraction spikes
    float spikeAngle; // radians
};

// A young cluster: hot blue-white stars crowded towards a centre, few bright,
// many faint; only the brightest one or two carry short, faint spikes.
void youngCluster(core::FloatCanvas &light, std::uint64_t seed, const ClusterStyle &style)
{
    core::Rng rng(seed);
    std::vector<core::StarImage> stars;
    for (int i = 0; i < style.count; ++i) {
        core::StarImage s;
        s.x = style.x + float(rng.normal()) * style.rx;
        s.y = style.y + float(rng.normal()) * style.ry;
        // Counts rise steeply towards faint members.
        const float m = 6.0f * float(std::pow(rng.uniform(), 0.6));
        s.brightness = style.brightest * std::pow(10.0f, -0.4f * m);
        s.colour = Light::fromColourIndex(rng.uniform() < 0.85 ? float(rng.range(-0.3, 0.05))
                                                               : float(rng.range(0.4, 1.4)));
        stars.push_back(s);
    }
    std::sort(stars.begin(), stars.end(), [](const core::StarImage &a, const core::StarImage &b) {
        return a.brightness > b.brightness;
    });
    for (int i = 0; i < int(stars.size()); ++i) {
        if (i < style.spiked) {
            stars[i].spikes = 0.5f;
            stars[i].spikeLength = 48.0f - 10.0f * float(i);
            stars[i].spikeAngle = style.spikeAngle;
        }
        light.addStar(stars[i]);
    }
}

// A mottling in about [0, 1] with features from `largest` px down to `finest` px.
float mottle(float x, float y, float largest, std::uint32_t seed, float finest = 2.0f)
{
    return clamp01(0.5f + 0.8f * noise::fbm(x / largest, y / largest, seed,
                                            noise::octavesFor(largest, finest)));
}

// Winding strands in [0, 1], warped so they bend and braid rather than run in
// one direction.
float strands(float x, float y, float largest, float bend, std::uint32_t seed, float finest = 2.5f)
{
    const noise::Offset w = noise::warp(x / (largest * 1.7f), y / (largest * 1.7f), seed, 2);
    return noise::ridged(x / largest + bend * w.x, y / largest + bend * w.y, seed + 1,
                         noise::octavesFor(largest, finest));
}

Light sampleGrid(const core::FloatCanvas &grid, float gx, float gy)
{
    gx -= 0.5f;
    gy -= 0.5f;
    const int i = std::clamp(int(std::floor(gx)), 0, grid.width() - 2);
    const int j = std::clamp(int(std::floor(gy)), 0, grid.height() - 2);
    const float fx = clamp01(gx - float(i)), fy = clamp01(gy - float(j));
    return grid.at(i, j) * ((1 - fx) * (1 - fy)) + grid.at(i + 1, j) * (fx * (1 - fy)) +
           grid.at(i, j + 1) * ((1 - fx) * fy) + grid.at(i + 1, j + 1) * (fx * fy);
}

// The smooth parts of a picture's 2-D structure, evaluated once per cell of
// `cell` px and read back bilinearly with sampleGrid(map, x / cell, y / cell);
// only the finest octaves then need computing at every pixel.
template <typename F> core::FloatCanvas coarseMap(int cell, F &&f)
{
    core::FloatCanvas map(Scene::Width / cell + 2, Scene::Height / cell + 2);
    for (int j = 0; j < map.height(); ++j) {
        for (int i = 0; i < map.width(); ++i)
            map.set(i, j, f((float(i) + 0.5f) * float(cell), (float(j) + 0.5f) * float(cell)));
    }
    return map;
}

// Dust that reddens the light it lets through: blue is absorbed most.
Light reddened(const Light &light, float tau)
{
    return {light.r * std::exp(-0.75f * tau), light.g * std::exp(-tau),
            light.b * std::exp(-1.3f * tau)};
}

} // namespace

void paintRosette(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();
    fieldStars(light, seed + 1, 24000, 7.0f);

    const float cx = 985.0f, cy = 535.0f, radius = 440.0f;
    auto field = [&](float x, float y, float z) {
        const float px = (x - cx) / radius, py = (y - cy) / radius, pz = z / radius;
        const float planar = std::hypot(px, py);
        if (planar > 1.45f)
            return Medium{};
        const float big = 0.28f * noise::fbm(px * 1.3f, py * 1.3f, pz * 1.3f, seed + 2, 2) +
                          0.1f * noise::fbm(px * 3.5f, py * 3.5f, pz * 3.5f, seed + 16, 2);
        // Reaching further to the south-east than elsewhere.
        const float r = std::sqrt(planar * planar + pz * pz) * (1.0f + big) *
                        (1.0f - 0.1f * (0.6f * px + 0.8f * py));
        // The cluster has blown a hole through the middle, ragged at two scales.
        const float rho =
            planar * (1.0f + 0.35f * noise::fbm(px * 2.4f + 5, py * 2.4f, pz * 1.2f, seed + 3, 3));
        const float hole = 0.04f + 0.96f * smoothstep(0.2f, 0.5f, rho);
        const float body = smoothstep(1.0f, 0.4f, r);
        const float clumps =
            clamp01(0.5f + 1.1f * noise::fbm(px * 4.0f, py * 4.0f, pz * 4.0f, seed + 4, 3));
        // The north-western half is the brighter.
        const float side = 1.0f + 0.35f * (0.6f * px - 0.8f * py);
        const float density = body * hole * (0.12f + 1.4f * clumps * clumps) * side;
        const Light colour =
            mix(pal::HydrogenRed, pal::Rose, 0.15f + 0.35f * (1.0f - hole) + 0.3f * clumps);
        const float dust =
            smoothstep(0.1f, 0.45f, noise::fbm(px * 3.0f + 11, py * 3.0f, pz * 3.0f, seed + 5, 3));
        return Medium{colour * (density * 0.26f / radius), dust * body * 4.0f / radius};
    };
    const Box box{int(cx - 600), int(cy - 600), int(cx + 600), int(cy + 600)};
    const CloudVolume cloud(field, box, 4, -1.1f * radius, 1.1f * radius, 32, seed + 6);

    // Dark globules about the inner rim, of every size from specks to a few
    // elephant trunks whose heads point at the cluster.
    struct Globule
    {
        float x, y, ux, uy; // centre of the head; unit vector towards the cluster
        float width, length, depth, front, rim, reach;
        std::uint32_t id;
    };
    std::vector<Globule> globules;
    core::Rng grng(seed + 18);
    for (std::uint32_t i = 0; i < 17; ++i) {
        const bool trunk = i < 4;
        const float theta = float(grng.range(-Pi, Pi));
        const float rr = trunk ? float(grng.range(0.42, 0.55))
                               : 0.4f + 0.5f * float(std::pow(grng.uniform(), 1.6));
        Globule g;
        g.x = cx + rr * radius * std::cos(theta);
        g.y = cy + rr * radius * std::sin(theta);
        // Not quite radial: each is pushed about by its own surroundings.
        const float aim = theta + Pi + float(grng.normal()) * 0.15f;
        g.ux = std::cos(aim);
        g.uy = std::sin(aim);
        g.width = trunk ? float(grng.range(9, 16)) : 3.0f + 13.0f * float(std::pow(grng.uniform(), 2.0));
        g.length = trunk ? float(grng.range(5, 9)) * g.width : g.width * float(grng.range(0, 1.2));
        g.depth = float(grng.range(1.2, 3.2));
        g.front = grng.uniform() < 0.35 ? float(grng.range(0.25, 0.6)) : 0.0f;
        g.rim = grng.uniform() < 0.5 ? float(grng.range(0.5, 1.4)) : 0.0f;
        g.reach = g.length + 2.5f * g.width;
        g.id = i;
        globules.push_back(g);
    }

    // Coarse structure: brightness (r), dust lanes (g), faint haze (b).
    const core::FloatCanvas structure = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 170, y / 170, seed + 8, 3);
        const float wx = x + 45 * w.x, wy = y + 45 * w.y;
        const float s = strands(wx, wy, 150, 1.2f, seed + 9, 8);
        const float bright = 0.35f + 0.8f * mottle(wx, wy, 80, seed + 10, 8) + 0.9f * s * s * s;
        const float lanes = smoothstep(0.5f, 0.88f, strands(x, y, 240, 0.9f, seed + 13, 8)) *
                            mottle(x, y, 180, seed + 14, 8);
        return Light{bright, lanes, mottle(x, y, 400, seed + 7, 16)};
    });

    compositeEach(light, WholeFrame, [&](float x, float y) {
        const Light st = sampleGrid(structure, x / 4, y / 4);
        // Faint hydrogen haze over the whole field.
        const Light haze = pal::HydrogenRed * (0.004f * st.b);
        Ray v = cloud.at(x, y);
        const float rr = std::hypot(x - cx, y - cy) / radius;
        if (rr > 1.5f) {
            v.light += haze;
            return v;
        }
        const float fine = noise::fbm(x / 16, y / 16, seed + 15, noise::octavesFor(16));
        const float threads = noise::ridged(x / 26, y / 26, seed + 16, noise::octavesFor(26, 2.5f));
        const float detail = st.r * (0.6f + 0.45f * fine + 0.55f * threads * threads);
        float tau = 3.0f * st.g * smoothstep(1.2f, 0.5f, rr) * (0.7f + 0.6f * fine);
        float globTau = 0, rimLight = 0, front = 0;
        for (const Globule &g : globules) {
            const float dx = x - g.x, dy = y - g.y;
            if (std::fabs(dx) > g.reach || std::fabs(dy) > g.reach)
                continue;
            // Outlines warped at the globule's own scale.
            const noise::Offset w = noise::warp(x / (g.width * 1.3f), y / (g.width * 1.3f),
                                                seed + 11 + g.id, 2);
            const float ex = dx + 0.6f * g.width * w.x, ey = dy + 0.6f * g.width * w.y;
            // along > 0 towards the cluster: the head; the tail trails away from it.
            const float along = ex * g.ux + ey * g.uy, across = ex * g.uy - ey * g.ux;
            const float tail = -along / (g.length + 0.6f * g.width);
            if (tail > 1.0f)
                continue;
            const float d = along > 0 ? std::hypot(along, across) / g.width
                                      : std::fabs(across) / (g.width * (1.0f - 0.4f * tail));
            // Soft edges, and a tail that thins out into the gas about it.
            const float inside = smoothstep(1.6f, 0.2f, d + 0.3f * fine) *
                                 (tail > 0 ? 1.0f - tail * tail : 1.0f);
            globTau += g.depth * inside;
            front = std::max(front, g.front * inside);
            // A thin, uneven lit rim where the head faces the cluster.
            rimLight += g.rim * (0.6f + 0.6f * fine) * bump(d - 1.05f, 0.2f) *
                        smoothstep(-0.2f, 0.7f, along / g.width);
        }
        tau += globTau;
        const float t = std::exp(-tau);
        // Gas in front of a globule half hides it.
        const float shown = front + (1.0f - front) * t;
        return Ray{v.light * (detail * (shown + rimLight)) + haze, v.transmittance * t};
    });

    youngCluster(light, seed + 17, {cx - 25, cy + 15, 115, 85, 50, 26.0f, 2, 0.2f});
}

void paintCalifornia(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();

    // Dark clouds of the Milky Way thin the stars in patches.
    auto sky = [&](float x, float y) {
        return 0.4f + 0.6f * smoothstep(0.0f, 0.45f, noise::fbm(x / 420, y / 420, seed + 1, 4));
    };
    fieldStars(light, seed + 2, 42000, 7.0f, 0.35f, sky);

    // The ridge runs from the lower left to the upper right, gently bowed.
    const float cx = 950.0f, cy = 560.0f, angle = -0.3f;
    auto offset = [&](float x, float y) {
        const Point p = toFrame(x, y, cx, cy, angle);
        return Point{p.x, p.y + 20.0f - 0.00012f * p.x * p.x};
    };
    auto field = [&](float x, float y, float z) {
        const Point p = offset(x, y);
        if (std::fabs(p.y) > 700)
            return Medium{};
        const float n = noise::fbm(x / 300, y / 300, z / 300, seed + 3, 3);
        const float edge = 45.0f * noise::fbm(p.x / 130, 1.5f, seed + 15, 3);
        const float across = (p.y + 70.0f * n + edge) / 70.0f;
        // A sharp leading edge above, a glow trailing off below.
        const float profile =
            across < 0 ? std::exp(-square(across / 0.5f)) : std::exp(-across / 1.1f);
        const float along = p.x / 760.0f + 0.15f * n;
        const float extent = smoothstep(1.0f, 0.45f, std::fabs(along)) * (1.0f + 0.4f * along);
        const float lumps =
            clamp01(0.5f + 1.0f * noise::fbm(x / 140, y / 140, z / 140, seed + 4, 3));
        const float depth = std::exp(-square(z / 160.0f));
        const Light colour = mix(pal::HydrogenRed, pal::Rose, 0.12f);
        return Medium{
            colour * (0.0013f * profile * extent * (0.12f + 1.3f * lumps * lumps) * depth), 0.0f};
    };
    const CloudVolume cloud(field, WholeFrame, 4, -420, 420, 24, seed + 5);

    // Coarse structure: brightness (r), dust (g), the Milky Way's faint glow (b).
    const core::FloatCanvas structure = coarseMap(4, [&](float x, float y) {
        const Point p = offset(x, y);
        // Bright and faint stretches along the ridge, mottling, and a few bright strands.
        const float s = strands(x, y, 170, 1.0f, seed + 9, 8);
        const float patches = 0.35f + 1.1f * mottle(p.x, p.y * 2, 280, seed + 16, 32);
        const float bright =
            (0.35f + 0.7f * mottle(x, y, 70, seed + 10, 8) + 0.8f * s * s * s) * patches;
        const float dust = smoothstep(0.5f, 0.88f, strands(x, y, 230, 0.7f, seed + 11, 8)) *
                           mottle(x, y, 120, seed + 12, 8);
        return Light{bright, dust, mottle(x, y, 300, seed + 6, 16)};
    });

    compositeEach(light, WholeFrame, [&](float x, float y) {
        const Light st = sampleGrid(structure, x / 4, y / 4);
        const Light glow = Light{0.9f, 0.75f, 0.6f} * (0.005f * st.b);
        Ray v = cloud.at(x, y);
        if (v.light.r < 1e-4f) {
            v.light += glow;
            return v;
        }
        const float fine = noise::fbm(x / 16, y / 16, seed + 13, noise::octavesFor(16));
        const float threads = noise::ridged(x / 34, y / 34, seed + 14, noise::octavesFor(34, 2.5f));
        const float detail = st.r * (0.7f + 0.4f * fine + 0.3f * threads * threads);
        const float tau = 1.4f * st.g * (0.7f + 0.6f * fine);
        const float t = std::exp(-tau);
        return Ray{v.light * (detail * t) + glow, v.transmittance * t};
    });

    // Menkib, the hot star that lights the ridge, lies just south of it.
    addCentralStar(light, 1120, 880, 140.0f, Light::fromColourIndex(-0.2f), 0.55f, 55, 0.2f);
}

void paintLagoon(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();
    // Towards the galactic centre: a dense field.
    fieldStars(light, seed + 1, 40000, 6.0f, 0.3f, [&](float x, float y) {
        return 0.5f + 0.5f * smoothstep(0.0f, 0.4f, noise::fbm(x / 380, y / 380, seed + 2, 4));
    });

    const float cx = 960.0f, cy = 560.0f;
    const float coreX = 1235.0f, coreY = 520.0f;
    // Lobes (amp > 0) and bays (amp < 0) that break the outline's oval.
    struct Blob
    {
        float x, y, rx, ry, rz, angle, amp, c = 0, s = 0;
    };
    Blob outline[] = {
        {1470, 285, 250, 100, 200, -0.7f, 0.55f}, {740, 810, 290, 90, 200, 0.12f, 0.45f},
        {320, 420, 230, 115, 200, 0.35f, 0.3f},   {1600, 660, 190, 110, 180, 0.45f, 0.4f},
        {990, 250, 200, 120, 260, 0.1f, -0.75f},  {1280, 850, 230, 110, 260, -0.2f, -0.7f},
        {450, 740, 170, 120, 260, 0.5f, -0.55f},  {1710, 470, 210, 70, 260, -0.7f, -0.45f},
    };
    for (Blob &b : outline) {
        b.c = std::cos(b.angle);
        b.s = std::sin(b.angle);
    }
    auto field = [&](float x, float y, float z) {
        const float px = (x - cx) / 640.0f, py = (y - cy) / 330.0f, pz = z / 350.0f;
        // Beyond this even the most stretched outline holds next to no gas.
        if (px * px + py * py + pz * pz > 5.0f)
            return Medium{};
        const float n = 0.3f * noise::fbm(px * 1.3f, py * 1.3f, pz * 1.3f, seed + 3, 2) +
                        0.12f * noise::fbm(px * 3.6f, py * 3.6f, pz * 3.6f, seed + 18, 2) +
                        0.09f * noise::fbm(px * 8.0f, py * 8.0f, pz * 8.0f, seed + 73, 2);
        // The outline's reach varies with direction at several scales, and
        // the western half, about the core, is the brighter.
        const float rr = std::sqrt(px * px + py * py + pz * pz) + 1e-4f;
        const float reach =
            1.0f + 0.5f * noise::fbm(1.6f * px / rr, 1.6f * py / rr, 1.6f * pz / rr, seed + 40, 3);
        const float r2 = square(rr * (1.0f + n) / reach);
        // A few broad lobes push out past the oval and bays cut into it; the
        // same noise tears their edges so they fade raggedly into the field.
        float lobes = 0.0f, bays = 0.0f;
        for (const Blob &b : outline) {
            const float dx = x - b.x, dy = y - b.y;
            const float u = dx * b.c + dy * b.s, v = dy * b.c - dx * b.s;
            const float q =
                (square(u / b.rx) + square(v / b.ry) + square(z / b.rz)) * square(1.0f + 1.4f * n);
            // (1 - q/5)^8: close to exp(-1.6 q), but cheaper and ending at q = 5.
            if (q < 5.0f) {
                const float f = square(square(square(1.0f - 0.2f * q)));
                (b.amp > 0 ? lobes : bays) += std::fabs(b.amp) * f;
            }
        }
        const float body = (std::exp(-2.2f * r2) + 0.06f * std::exp(-0.7f * r2) + lobes) *
                           (1.0f + 0.3f * clamp01(px + 0.3f)) * (1.0f - std::min(bays, 0.85f));
        const float clumps =
            clamp01(0.5f + 1.0f * noise::fbm(px * 3.5f, py * 3.5f, pz * 3.5f, seed + 4, 3));
        const float hot =
            std::exp(-(square(x - coreX) + square(y - coreY) + z * z) / (2.0f * 105.0f * 105.0f));
        const Light gas = mix(pal::HydrogenRed, Light{1.0f, 0.36f, 0.52f}, 0.4f + 0.45f * clumps) *
                          (body * (0.15f + 1.3f * clumps * clumps));
        const Light core = mix(pal::Rose, pal::WarmWhite, 0.35f) * hot;
        const float dust =
            smoothstep(0.2f, 0.55f, noise::fbm(px * 2.5f + 7, py * 2.5f, pz * 2.5f, seed + 5, 3));
        return Medium{gas * 7.5e-4f + core * 0.5e-3f, dust * body * 0.004f};
    };
    const CloudVolume cloud(field, WholeFrame, 4, -700, 700, 26, seed + 6);

    // The lagoon: a winding lane of dust, wide and narrow by turns.
    auto lanePath = [&](float x) {
        return 650.0f - 0.32f * (x - 700.0f) + 55.0f * std::sin((x - 640.0f) / 170.0f) +
               70.0f * noise::fbm(x / 420, 3.7f, seed + 10, 3);
    };
    auto laneWidth = [&](float x) { return 30.0f + 90.0f * mottle(x, 0.0f, 220, seed + 12, 16); };

    // Coarse structure: brightness (r), the lagoon lane (g), dark patches (b).
    const core::FloatCanvas structure = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 160, y / 160, seed + 7, 3);
        const float wx = x + 40 * w.x, wy = y + 40 * w.y;
        const float s = strands(wx, wy, 140, 1.2f, seed + 8, 8);
        const float path = lanePath(x);
        const float off = y - path + 34.0f * noise::fbm(wx / 70, wy / 70, seed + 11, 4);
        const float width = laneWidth(x);
        const float reach = smoothstep(360.0f, 480.0f, x) * smoothstep(1230.0f, 1060.0f, x);
        // Its course only says where dust gathers; noise gives the ragged,
        // cloudy outline with fingers and gaps.
        // A thinner arm forks off to the north-east.
        const float fork = y - path + 40.0f + 0.6f * (620.0f - x) + 0.5f * (off - (y - path));
        const float forkWidth = 18.0f + 40.0f * mottle(x + 300, 0.0f, 150, seed + 22, 16);
        const float forkReach = smoothstep(640.0f, 580.0f, x) * smoothstep(330.0f, 430.0f, x);
        // Broken into pieces drawn out along its course, threaded with streaks of
        // differing depth, with gaps where the gas shows through.
        const float pieces =
            smoothstep(0.2f, 0.6f, mottle(0.3f * wx, 1.3f * off, 80, seed + 23, 8));
        const float streaks =
            noise::ridged(wx / 150 + 0.3f * w.x, off / 16, seed + 30, noise::octavesFor(16, 4));
        const float edge = std::fabs(off) + 28.0f * noise::fbm(x / 70, off / 14, seed + 31, 3);
        const float lane =
            smoothstep(1.5f * width, 0.0f, edge) * reach *
                (0.38f + 0.6f * pieces + 0.35f * streaks * streaks) +
            smoothstep(1.5f * forkWidth, 0.0f, std::fabs(fork)) * forkReach *
                (0.4f + 0.5f * streaks) +
            0.55f * noise::fbm(wx / 260, off / 55, seed + 21, noise::octavesFor(55, 8));
        // The gas is brightest along the lane's banks.
        const float banks = 1.0f + 1.6f * bump(std::fabs(off) - 1.4f * width, 20.0f) * reach +
                            0.5f * bump(std::fabs(off) - width, 60.0f) * reach;
        // Ridges of brighter gas and darker pockets at several scales.
        const float ridges = strands(wx, wy, 75, 1.6f, seed + 32, 10);
        const float pockets =
            1.0f - 0.55f * smoothstep(0.05f, 0.45f, noise::fbm(wx / 170, wy / 170, seed + 33, 3));
        // Broad dark bays eat into the outskirts, away from the lane and the core.
        const float outskirts = 1.0f - std::max(bump(off, 200.0f) * reach,
                                                bump(std::hypot(x - coreX, y - coreY), 260.0f));
        const float bays =
            1.0f -
            0.8f * outskirts * smoothstep(0.0f, 0.4f, noise::fbm(wx / 330, wy / 330, seed + 43, 3));
        float bright = (0.45f + 0.5f * mottle(wx, wy, 65, seed + 9, 8) + 0.8f * s * s * s +
                        0.7f * ridges * ridges * ridges * ridges) *
                       banks * pockets * bays;
        // About the core the glow breaks into bright ridges and dark pockets.
        const float nearCore = bump(std::hypot(wx - coreX, wy - coreY), 230.0f);
        // Its pockets and ridges are small and crowded in places, broad and
        // few in others.
        const float coreScale =
            smoothstep(-0.3f, 0.3f, noise::fbm(x / 190, y / 190, seed + 111, 2));
        const float coreRidges = lerp(strands(wx, wy, 32, 2.0f, seed + 112, 6),
                                      strands(wx, wy, 85, 2.0f, seed + 35, 8), coreScale);
        const float corePockets = smoothstep(
            0.0f, 0.4f,
            lerp(1.2f * noise::fbm(wx / 32, wy / 32, seed + 114, 3),
                 noise::fbm(wx / 105, wy / 105, seed + 36, 3), coreScale) +
                0.25f * noise::fbm(wx / 160 + 5, wy / 160, seed + 115, 2));
        bright *= 1.0f + nearCore * (2.2f * coreRidges * coreRidges * coreRidges -
                                     0.55f * corePockets + 0.3f);
        // To the west the core's light ends in a bright, ragged front, the gas
        // beyond it fainter.
        const float dc = std::hypot(wx - coreX, wy - coreY);
        const float ac = std::atan2(wy - coreY, wx - coreX);
        const float side = smoothstep(-0.2f, 0.6f, std::cos(ac));
        const float front = 310.0f + 130.0f * noise::fbm(ac * 2.2f, 2.5f, seed + 44, 3) +
                            45.0f * noise::fbm(wx / 70, wy / 70, seed + 45, 3);
        const float broken = smoothstep(0.3f, 0.7f, mottle(wx, wy, 90, seed + 46, 8));
        bright *=
            (1.0f + side * broken *
                        (0.9f * bump(dc - front, 28.0f) + 0.3f * bump(dc - front + 50, 55.0f))) *
            (1.0f - 0.4f * side * smoothstep(front - 20.0f, front + 220.0f, dc));
        // Sparse bright fronts, each sharp on one side and fading on the other:
        // on the lane's banks, sharp against the dust, and in broken pieces
        // about the core, along the level sets of a warped field so they run
        // every which way instead of circling it.
        const float bankD =
            std::fabs(off) - 1.2f * width + 22.0f * noise::fbm(wx / 90, wy / 90, seed + 60, 3);
        const float bankFront =
            smoothstep(-4.0f, 1.0f, bankD) * std::exp(-std::max(bankD, 0.0f) / 26.0f);
        const float bankPieces =
            smoothstep(0.45f, 0.72f, mottle(0.45f * wx, off, 110, seed + 61, 16));
        float arcs = 0.0f;
        for (int k = 0; k < 2; ++k) {
            const float sc = 95.0f - 35.0f * float(k);
            const float d = noise::fbm(wx / sc + 0.5f * w.y, wy / sc - 0.5f * w.x, seed + 62 + k,
                                       3) -
                            0.1f * float(k);
            const float arc = smoothstep(0.035f, -0.01f, d) * std::exp(std::min(d, 0.0f) / 0.09f);
            arcs += arc * smoothstep(0.5f, 0.75f, mottle(wx, wy, 90, seed + 68 + k, 16)) *
                    bump(dc, 250.0f - 40.0f * float(k));
        }
        // The banks light up gradually eastwards, on no straight line.
        const float bankReach =
            smoothstep(380.0f, 720.0f, x + 110.0f * noise::fbm(wx / 130, wy / 130, seed + 72, 2)) *
            smoothstep(1230.0f, 1060.0f, x);
        bright *= 1.0f + 1.6f * bankFront * bankPieces * bankReach + 3.3f * arcs;
        // Blotches and tendrils of dust about the lane and over the east.
        const float blotches =
            smoothstep(0.5f, 0.85f, mottle(wx, wy, 55, seed + 13, 8)) * bump(off, 130.0f) * reach;
        const float patches =
            smoothstep(0.25f, 0.6f, noise::fbm(x / 260 + 4, y / 260, seed + 15, 4));
        return Light{bright, lane, 0.8f * blotches + patches * mottle(x, y, 40, seed + 16, 8)};
    });

    // The gas is cut by ionisation fronts, most of all south of the lane:
    // the level sets of a warped field, lit sharply on the side facing the
    // stars and giving way to dust behind. Here: how strongly (r), the broad
    // fronts' field (g), finished per pixel, and how brightly their rims
    // flare (b), most near the lane.
    const core::FloatCanvas southern = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 230, y / 230, seed + 80, 3);
        const float wx = x + 70 * w.x, wy = y + 70 * w.y;
        const float width = laneWidth(x);
        const float off = y - lanePath(x) - 1.3f * width +
                          60.0f * noise::fbm(x / 160, y / 160, seed + 81, 3);
        const float reach = smoothstep(280.0f, 460.0f, x) * smoothstep(1560.0f, 1380.0f, x);
        // Elsewhere fainter, but strong about the core, short of the
        // hourglass's own structure.
        const float dCore = std::hypot(x - coreX, y - coreY);
        const float elsewhere =
            (0.4f + 0.4f * bump(dCore, 230.0f)) *
            smoothstep(1.15f, 0.8f, ellipse(x, y, cx, cy, 720.0f, 420.0f, 0.0f)) *
            (1.0f - bump(dCore, 30.0f));
        const float south = std::max(smoothstep(-60.0f, 40.0f, off) * reach, elsewhere);
        // Fronts lie thicker near the lane and the gas thins into dust southwards.
        const float broad = 0.6f * noise::fbm(wx / 190, wy / 190, seed + 82, 4) + 0.06f -
                            0.001f * std::clamp(off + 140.0f * noise::fbm(x / 260, 1.3f, seed + 92, 2),
                                                0.0f, 300.0f);
        const float flare = smoothstep(-0.3f, 0.5f, noise::fbm(x / 70, y / 70, seed + 88, 3)) *
                            (0.6f + 1.4f * bump(off - 40.0f, 110.0f));
        return Light{south, broad, flare};
    });
    // The small pockets' field (r), finished per pixel, and how deep their dust is (g).
    // Their size changes from place to place, and they crowd together in
    // some stretches and thin out in others.
    const core::FloatCanvas pockets = coarseMap(4, [&](float x, float y) {
        const float scale = smoothstep(-0.3f, 0.3f, noise::fbm(x / 220, y / 220, seed + 108, 2));
        const float field = lerp(1.2f * noise::fbm(x / 48, y / 48, seed + 110, 3),
                                 noise::fbm(x / 125, y / 125, seed + 83, 3), scale);
        return Light{field + 0.2f * noise::fbm(x / 170 + 3, y / 170, seed + 109, 2),
                     0.8f + 0.5f * noise::fbm(x / 150, y / 150, seed + 89, 2), 0.0f};
    });

    // Southwards the gas fades out unevenly (r) instead of ending at a bank,
    // and the fronts' and pockets' edges are crinkled more in some places
    // than in others (g).
    const core::FloatCanvas edges = coarseMap(4, [&](float x, float y) {
        const float off = y - lanePath(x) - 1.3f * laneWidth(x) +
                          120.0f * noise::fbm(x / 170, y / 170, seed + 93, 3) +
                          40.0f * noise::fbm(x / 50, y / 50, seed + 94, 2);
        return Light{smoothstep(-30.0f, 160.0f, off),
                     0.25f +
                         1.5f * smoothstep(-0.3f, 0.4f, noise::fbm(x / 210, y / 210, seed + 95, 3)),
                     0.0f};
    });

    // Where the fine threads are sharp (r), where they are coarser (g), and
    // a soft lift for the smooth glow left between them (b).
    const core::FloatCanvas texture = coarseMap(4, [&](float x, float y) {
        const float patches = smoothstep(0.05f, 0.35f, noise::fbm(x / 230, y / 230, seed + 102, 3));
        const float dCore = std::hypot(x - coreX, y - coreY) +
                            90.0f * noise::fbm(x / 120, y / 120, seed + 103, 2);
        const float banks = bump(y - lanePath(x) - 1.2f * laneWidth(x), 70.0f) *
                            smoothstep(380.0f, 620.0f, x) * smoothstep(1280.0f, 1080.0f, x);
        const float sharp = std::max(
            {0.85f * patches,
             smoothstep(270.0f, 100.0f, dCore) *
                 smoothstep(-0.2f, 0.2f, noise::fbm(x / 110, y / 110, seed + 106, 2)),
             0.8f * banks, 0.15f});
        const float coarse = smoothstep(0.05f, 0.35f, noise::fbm(x / 300 + 9, y / 300, seed + 104, 2)) *
                             (1.0f - 0.5f * smoothstep(260.0f, 120.0f, dCore));
        return Light{sharp, coarse, mottle(x, y, 60, seed + 105, 12)};
    });

    struct Globule
    {
        float x, y, r, depth, ux = 0, uy = 0;
    };
    Globule globules[] = {{700, 560, 12, 1.8f}, {765, 515, 7, 1.3f},  {545, 610, 9, 1.2f},
                          {880, 600, 15, 2.0f}, {1005, 470, 6, 1.1f}, {1110, 625, 10, 1.6f},
                          {1330, 610, 8, 1.4f}, {965, 700, 7, 1.0f},  {650, 645, 5, 1.0f},
                          {1170, 420, 5, 1.2f}};
    for (Globule &g : globules) {
        const float d = std::hypot(g.x - coreX, g.y - coreY);
        g.ux = (g.x - coreX) / d;
        g.uy = (g.y - coreY) / d;
    }

    compositeEach(light, WholeFrame, [&](float x, float y) {
        const Light st = sampleGrid(structure, x / 4, y / 4);
        const Ray v = cloud.at(x, y);
        const float fine = noise::fbm(x / 16, y / 16, seed + 19, noise::octavesFor(16));
        const float threads = noise::ridged(x / 28, y / 28, seed + 20, noise::octavesFor(28, 2.5f));
        const float wisps = noise::ridged(x / 15 + 0.4f * threads, y / 15, seed + 24, 3);
        const float hairs = noise::ridged(x / 7 + 0.6f * threads, y / 10, seed + 34, 2);
        // Ragged, wispy edges and gaps where the lane thins, bites of two sizes
        // out of its banks, and a depth that varies along it from brown veils
        // to near-black cores.
        const float bites = noise::fbm(x / 45, y / 45, seed + 70, 4);
        const float lane =
            smoothstep(0.35f, 0.95f, st.g + 0.2f * fine + 0.18f * bites - 0.1f * wisps);
        // Less glow lies in front of the lane than elsewhere.
        // The fine threads come in patches, sharpest at the fronts and about
        // the core, coarser in some places, and give way to smooth glow in others.
        const Light so = sampleGrid(southern, x / 4, y / 4);
        const Light tx = sampleGrid(texture, x / 4, y / 4);
        const float sharp = std::max(tx.r, so.r * smoothstep(0.4f, 1.2f, so.b));
        float net = threads;
        if (tx.g > 0.0f)
            net = lerp(threads,
                       noise::ridged(x / 70 + 0.3f * threads, y / 62, seed + 101,
                                     noise::octavesFor(70, 6)),
                       tx.g);
        // Between them the glow is clumpy, crossed here and there by a
        // long, lone filament.
        float smooth = 0.03f + 0.2f * smoothstep(-0.1f, 0.3f, fine) + 0.06f * tx.b;
        if (sharp < 0.98f) {
            const float lone = noise::ridged(x / 130 + 0.5f * threads, y / 110 - 0.3f * fine,
                                             seed + 107, 2);
            smooth += 1.2f * std::pow(lone, 9.0f) * smoothstep(0.35f, 0.6f, tx.b);
        }
        float detail = st.r * (1.0f - 0.3f * lane) *
                       (0.64f + 0.28f * fine +
                        lerp(smooth,
                             0.45f * net * net * net + 0.5f * std::pow(wisps, 5.0f) +
                                 0.35f * std::pow(hairs, 6.0f) * (1.0f - tx.g),
                             sharp));
        const float depth =
            1.1f + 0.8f * smoothstep(0.35f, 0.75f, mottle(0.6f * x, 1.4f * y, 120, seed + 71, 16));
        float tau = (1.4f + 1.0f * threads) * lane * depth + 1.2f * st.b * (0.75f + 0.5f * fine);
        Light southRims;
        if (so.r > 0.01f) {
            // Fronts are ragged where they flare and smoother where they fade.
            const Light ed = sampleGrid(edges, x / 4, y / 4);
            const float tear = (0.05f + 0.045f * so.b) * ed.g;
            const float ragged = noise::fbm(x / 22, y / 22, seed + 84, 4, 0.6f);
            const float fineH = tear * ragged;
            const float h = so.g + fineH;
            // Lit where the dust lies behind, away from the hot stars of the
            // core and of 9 Sagittarii.
            float ux = (x - coreX) / (square(x - coreX) + square(y - coreY) + 1.0f) +
                       0.6f * (x - 770.0f) / (square(x - 770.0f) + square(y - 420.0f) + 1.0f);
            float uy = (y - coreY) / (square(x - coreX) + square(y - coreY) + 1.0f) +
                       0.6f * (y - 420.0f) / (square(x - 770.0f) + square(y - 420.0f) + 1.0f);
            // Close to the core many stars light the gas from all sides, so
            // the lit side wanders with the gas instead of facing one point.
            const float un = 1.0f / (std::hypot(ux, uy) + 1e-9f);
            const float turn = 6.0f * noise::fbm(x / 150, y / 150, seed + 99, 2);
            const float own = smoothstep(260.0f, 110.0f, std::hypot(x - coreX, y - coreY));
            ux = lerp(ux * un, std::cos(turn), own);
            uy = lerp(uy * un, std::sin(turn), own);
            const float un2 = 6.0f / (std::hypot(ux, uy) + 1e-9f);
            ux *= un2;
            uy *= un2;
            const float away =
                h - sampleGrid(southern, (x + ux) / 4, (y + uy) / 4).g -
                tear * noise::fbm((x + ux) / 22, (y + uy) / 22, seed + 84, 4, 0.6f);
            const float facing = 0.12f + 0.88f * smoothstep(0.005f, 0.04f, away);
            const float rim = smoothstep(-0.012f, 0.004f, h) *
                              (std::exp(-std::max(h, 0.0f) / 0.025f) +
                               0.35f * std::exp(-std::max(h, 0.0f) / 0.1f)) *
                              facing * (0.15f + so.b);
            // Dust only where there is gas for it to hide; beyond, the field shows.
            const float gas = smoothstep(0.012f, 0.06f, v.light.r);
            // Dust lies densest behind the brightest rims.
            const float pocket =
                smoothstep(-0.01f, -0.3f, h) * gas * (0.45f + 0.55f * std::min(so.b, 1.0f));
            const Light pk = sampleGrid(pockets, x / 4, y / 4);
            // Crinkled finely in places, broadly lobed in others.
            const float fineW = 0.3f * clamp01(ed.g - 0.2f), broadW = 0.3f - fineW;
            auto crinkle = [&](float px, float py) {
                return fineW * noise::fbm(px / 12, py / 12, seed + 85, 3) +
                       broadW * noise::fbm(px / 30, py / 30, seed + 96, 3);
            };
            const float h2 = pk.r + crinkle(x, y) + 0.3f;
            // Small pockets too are sharp and rimmed on the side facing the
            // stars, and fade into the gas on the far side.
            const float away2 = h2 - sampleGrid(pockets, (x + ux) / 4, (y + uy) / 4).r -
                                crinkle(x + ux, y + uy) - 0.3f;
            const float facing2 = smoothstep(0.0f, 0.06f, away2);
            const float rim2 = smoothstep(-0.015f, 0.006f, h2) *
                               std::exp(-std::max(h2, 0.0f) / 0.05f) * (0.15f + facing2);
            const float pocket2 = lerp(smoothstep(0.0f, -0.3f, h2), smoothstep(0.0f, -0.07f, h2),
                                       facing2) *
                                  (0.6f + 0.4f * smoothstep(-0.05f, -0.35f, h2)) * gas * pk.g;
            // Filaments gather on the lit side of the fronts.
            const float filBand = smoothstep(-0.05f, 0.08f, h) * smoothstep(0.45f, 0.15f, h);
            float fil = 0.0f;
            if (filBand > 0.0f) {
                const float r = noise::ridged(x / 40 + 0.3f * threads, y / 40, seed + 86, 4);
                fil = square(r * r * r) * filBand;
            }
            // and finer wisps all through the lit gas.
            const float wisp = sharp * square(square(noise::ridged(
                                           x / 17 + 0.5f * threads, y / 17 - 0.3f * threads,
                                           seed + 90, 3)));
            const float lit = (0.5f + 0.5f * smoothstep(-0.2f, 0.25f, h)) *
                              (0.85f + 3.0f * rim * (1.0f - ed.r) + 0.5f * rim2 * (1.0f + so.b) +
                               1.5f * fil + 0.6f * wisp) *
                              (1.0f - 0.5f * pocket2);
            detail *= 1.0f + so.r * (lit - 1.0f);
            // Its outer parts break into patches and wisps, the faint gas
            // beyond lifted into trails so the glow frays rather than ends.
            if (ed.r > 0.0f) {
                const float patches = smoothstep(0.4f, 0.75f, mottle(x, y, 80, seed + 97, 8));
                const float trails = noise::ridged(x / 45 + 0.4f * threads, y / 45, seed + 98, 3);
                detail *= lerp(
                    1.0f, 0.15f + patches * (1.4f + 3.0f * wisp) + 3.0f * square(square(trails)),
                    so.r * ed.r);
            }
            // Thin threads of dust cross the lit gas.
            const float dustThreads =
                gas > 0.0f ? square(square(square(noise::ridged(x / 34 - 0.4f * threads, y / 34,
                                                                seed + 91, 3)))) *
                                 gas * (0.3f + 0.7f * sharp)
                           : 0.0f;
            tau += so.r * (1.0f - ed.r) *
                   ((1.3f * pocket + 1.8f * pocket2) * (0.5f + 0.3f * fine + 0.6f * threads) +
                    0.9f * dustThreads);
            // Small Bok globules, lumpy, each with a bright rim on the side
            // facing the stars.
            const float lx = x + 9.0f * fine, ly = y + 9.0f * ragged;
            const noise::Cells g = noise::worley(lx / 55, ly / 55, seed + 87);
            if (float(g.id % 1000) < 70.0f * so.r) {
                const float size = 0.05f + 0.1f * float((g.id >> 10) % 1000) / 1000.0f;
                const float inside = smoothstep(size * 1.3f, size * 0.5f, g.f1);
                const noise::Cells gs =
                    noise::worley((lx + 0.4f * ux) / 55, (ly + 0.4f * uy) / 55, seed + 87);
                const float below = smoothstep(size * 1.3f, size * 0.5f, gs.f1);
                tau += (1.2f + 1.5f * float((g.id >> 20) % 100) / 100.0f) * inside;
                southRims += pal::Rose * (0.25f * std::max(below - inside, 0.0f));
            }
        }
        // Small dark globules, most of them near the lane and the core.
        const float near = std::max(bump(std::hypot(x - coreX, y - coreY), 260.0f), 0.6f * st.g);
        if (near > 0.1f) {
            // Drawn out into short tails, away from the core.
            const noise::Cells g =
                noise::worley((x + 0.6f * y) / 46, (y - 0.3f * x) / 30, seed + 25);
            if (float(g.id % 1000) < 170.0f * near) {
                const float size = 0.06f + 0.12f * float((g.id >> 10) % 1000) / 1000.0f;
                tau += (0.5f + 1.2f * float((g.id >> 20) % 100) / 100.0f) *
                       smoothstep(size * 1.3f, size * 0.3f, g.f1 + 0.05f * fine);
            }
        }
        // Bok globules silhouetted on the glow, with tails pointing away from
        // the core and a thin lit rim on the side facing it.
        Light rims;
        for (const Globule &g : globules) {
            const float gx = x - g.x, gy = y - g.y;
            if (std::fabs(gx) > 6 * g.r || std::fabs(gy) > 6 * g.r)
                continue;
            const noise::Offset w = noise::warp(x / (1.5f * g.r), y / (1.5f * g.r), seed + 41, 2);
            const float wx = gx + 0.5f * g.r * w.x, wy = gy + 0.5f * g.r * w.y;
            const float along = wx * g.ux + wy * g.uy, across = -wx * g.uy + wy * g.ux;
            const float head = std::hypot(along, across) / g.r;
            // The tail narrows and fades away from the core.
            const float tail = along > 0
                                   ? bump(across / (g.r * (0.85f - 0.1f * along / g.r)), 1.0f) *
                                         smoothstep(5.0f * g.r, 0.0f, along)
                                   : 0.0f;
            tau += g.depth * (1.5f * smoothstep(1.25f, 0.2f, head) + 1.2f * tail);
            rims += pal::Rose *
                    (0.1f * bump(head - 1.0f, 0.15f) * smoothstep(0.3f, -0.6f, along / g.r));
        }
        // The hourglass: a small, very bright knot of two lobes opening from a
        // pinched waist by the hot star, twisted into an S, cut by dark lanes
        // of dust, grained to the pixel, with ragged rims about it.
        const float hx = x - coreX - 8.0f, hy = y - coreY - 4.0f;
        const float hr = std::hypot(hx, hy);
        Light knot;
        if (hr < 170.0f) {
            const noise::Offset w = noise::warp(x / 14, y / 14, seed + 42, 2);
            const noise::Offset wb = noise::warp(x / 40, y / 40, seed + 47, 2);
            Point h = toFrame(hx + 4 * w.x + 9 * wb.x, hy + 4 * w.y + 9 * wb.y, 0, 0, -0.6f);
            // The twist: each lobe bends further aside the farther it reaches.
            h.x += 0.016f * h.y * std::fabs(h.y) * (h.y < 0 ? 1.0f : -0.7f);
            // Their sides are frayed at several scales, not drawn, and dust
            // fingers bite into them.
            const float fray = noise::fbm(x / 11, y / 11, seed + 55, 3);
            const float open = std::fabs(h.x) - (2.5f + 0.55f * std::fabs(h.y)) +
                               (2.0f + 0.2f * std::fabs(h.y)) * fray +
                               2.0f * noise::fbm(x / 4, y / 4, seed + 56, 2);
            const float lobes =
                smoothstep(4.0f, -5.0f, open) * std::exp(-square(h.y / (h.y < 0 ? 32.0f : 23.0f)));
            // Twisted strands of gas drawn out along each lobe, broad and
            // knotted enough to read as glowing gas, on a bright body that
            // fills the lobes; they only shade it.
            const float strandsK =
                noise::ridged(h.x / 8 + 0.8f * w.x, h.y / 15 + 0.5f * w.y, seed + 57, 3);
            const float grain = 0.5f + 1.0f * square(strandsK) +
                                0.3f * square(noise::ridged(x / 7, y / 7, seed + 26, 3)) +
                                0.08f * square(noise::ridged(x / 3.5f, y / 3.5f, seed + 48, 2));
            const float knots = smoothstep(-0.05f, 0.45f, noise::fbm(x / 13, y / 13, seed + 58, 2));
            // The body reaches past the frayed edges so the lobes melt into the glow.
            const float body = smoothstep(9.0f, -6.0f, open) *
                               std::exp(-square(h.y / (h.y < 0 ? 38.0f : 32.0f)));
            const float lit = (0.45f * body + lobes) * grain * (0.55f + 0.6f * knots);
            const float white = smoothstep(0.25f, 1.1f, lit);
            const float rimGrain = 0.3f + 0.6f * square(noise::ridged(x / 9, y / 9, seed + 26, 3)) +
                                   0.3f * square(noise::ridged(x / 4, y / 4, seed + 48, 2));
            // Rims about it are pieces of the level sets of warped fields, so
            // they run in unrelated directions, sharp on one side only.
            float curls = 0.0f;
            for (int k = 0; k < 3; ++k) {
                const float sc = 110.0f - 22.0f * float(k);
                const float d = noise::fbm(x / sc + 0.3f * wb.x, y / sc + 0.3f * wb.y,
                                           seed + 49 + k, 2) +
                                0.08f * float(k - 1);
                curls += smoothstep(-0.02f, 0.006f, d) * std::exp(-std::max(d, 0.0f) / 0.06f) *
                         smoothstep(0.5f, 0.75f, mottle(x, y, 45, seed + 52 + k, 8)) *
                         bump(hr, 95.0f);
            }
            knot = mix(mix(pal::Rose, pal::WarmWhite, 0.3f + 0.7f * white), pal::Gold,
                       0.45f * white * white) *
                       (8.5f * lit + 0.12f * bump(hr, 22.0f)) +
                   mix(pal::Rose, pal::WarmWhite, 0.25f) * (0.9f * curls * rimGrain * rimGrain);
            // The knot lights the gas about it: a pink-white glow, lopsided
            // and clumped, fading out over a hundred px or so.
            const float reach =
                hr * (1.0f + 0.35f * noise::fbm(x / 70 + 2, y / 70, seed + 120, 2)) /
                (1.0f + 0.25f * std::fabs(h.y) / (hr + 1.0f));
            const float clumps =
                0.6f + 0.5f * smoothstep(-0.3f, 0.4f, noise::fbm(x / 24, y / 24, seed + 121, 3));
            const float glow = clumps * smoothstep(165.0f, 110.0f, hr) *
                               (0.7f * std::exp(-reach / 30.0f) + 0.3f * std::exp(-reach / 70.0f));
            knot += mix(pal::Rose, pal::WarmWhite, 0.3f + 0.4f * std::exp(-reach / 30.0f)) *
                    (0.06f * glow);
            detail *= 1.0f + 1.5f * glow;
            // A dark bar across the waist, and lanes of dust cutting into the lobes.
            tau += 1.2f * smoothstep(-1.0f, 6.0f, open) * bump(h.y, 8.0f) *
                   smoothstep(30.0f, 10.0f, std::fabs(h.x));
            // Thin dark lanes twist across the lobes themselves, and blots of
            // dust eat into them.
            const float inLobes = smoothstep(8.0f, -4.0f, open) * bump(h.y, 40.0f);
            tau += (2.5f * std::pow(noise::ridged(h.x / 9 + 0.7f * wb.x, h.y / 6 + 0.4f * w.x,
                                                  seed + 59, 2),
                                    5.0f) +
                    0.9f * smoothstep(0.2f, 0.5f, noise::fbm(x / 18, y / 18, seed + 116, 2))) *
                   inLobes;
            tau += 2.6f *
                   std::pow(noise::ridged(x / 16 + 0.5f * wb.x, y / 16, seed + 27, 3), 5.0f) *
                   bump(hr, 60.0f);
            // The glow about the core breaks into bright tufts and dark gaps
            // rather than a haze, small and crowded in places, broad in others,
            // and only faint in some.
            const float tufts =
                lerp(noise::ridged(x / 15 + 0.6f * wb.x, y / 15 + 0.6f * wb.y, seed + 119, 3),
                     noise::ridged(x / 40 + 0.6f * wb.x, y / 40 + 0.6f * wb.y, seed + 53, 4),
                     smoothstep(-0.3f, 0.3f, noise::fbm(x / 80 + 4, y / 80, seed + 117, 2)));
            const float tuftStrength =
                0.35f + 0.65f * smoothstep(-0.25f, 0.25f, noise::fbm(x / 60, y / 60, seed + 118, 2));
            const float spread = hr * (1.0f + 0.45f * noise::fbm(x / 90, y / 90, seed + 54, 2));
            detail *= lerp(1.0f, 0.45f + 1.6f * tufts * tufts * tufts,
                           tuftStrength * bump(spread, 130.0f));
            tau += 0.9f *
                   std::pow(noise::ridged(x / 22, y / 22 + 0.2f * threads, seed + 29, 3), 3.0f) *
                   bump(hr, 110.0f);
        }
        // Hue: deeper red in the faint gas, pinker and whiter where it is brightest.
        // Only the knot itself whitens; the gas about it stays red.
        const float b = v.light.r * detail * (1.0f - 0.6f * bump(hr, 140.0f));
        const Light hue = Light{1.0f, 1.0f + 1.2f * smoothstep(0.15f, 0.6f, b) * 0.3f,
                                1.0f + 0.5f * smoothstep(0.15f, 0.6f, b)};
        return Ray{
            reddened((v.light * detail) * hue + knot * 1.5f + (rims + southRims) * (v.light.r * st.r),
                     tau),
            v.transmittance * std::exp(-tau)};
    });

    youngCluster(light, seed + 17, {620, 470, 150, 105, 80, 16.0f, 1, 0.2f});
    youngCluster(light, seed + 28, {560, 500, 260, 170, 220, 5.0f, 0, 0.2f});
    // Herschel 36 in the bright core, and 9 Sagittarii to the east.
    addCentralStar(light, coreX + 4, coreY + 6, 14.0f, Light::fromColourIndex(-0.1f));
    addCentralStar(light, 770, 420, 70.0f, Light::fromColourIndex(-0.15f), 0.5f, 50, 0.2f);
}

void paintCrab(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();
    fieldStars(light, seed + 1, 11000, 5.0f);

    const float cx = 960.0f, cy = 545.0f, angle = -0.55f;
    const float a = 420.0f, b = 295.0f, c = 320.0f;
    // The ray's red channel carries the synchrotron haze, the green one the
    // column of the filament shell: both are coloured at full resolution.
    auto field = [&](float x, float y, float z) {
        const Point p = toFrame(x, y, cx, cy, angle);
        const float px = p.x / a, py = p.y / b, pz = z / c;
        const float bend = 0.22f * noise::fbm(px * 1.3f, py * 1.3f, pz * 1.3f, seed + 2, 2) +
                           0.09f * noise::fbm(px * 3.5f, py * 3.5f, pz * 3.5f, seed + 3, 2);
        // A bay cut into the south-eastern side, the north-west bulging.
        const float bay = 0.18f * bump(std::atan2(py, px) - 2.2f, 0.35f);
        const float r =
            std::sqrt(px * px + py * py + pz * pz) * (1.0f + bend + bay) * (1.0f - 0.06f * px);
        if (r > 1.35f)
            return Medium{};
        const float haze = 0.75f * std::exp(-square(r / 0.5f)) + 0.3f * smoothstep(1.0f, 0.55f, r);
        const float shell = bump(r - 0.84f, 0.15f);
        return Medium{Light{haze, shell, 0.0f}, 0.0f};
    };
    const Box box{int(cx - 600), int(cy - 510), int(cx + 600), int(cy + 510)};
    const CloudVolume cloud(field, box, 4, -1.3f * c, 1.3f * c, 32, seed + 4);
    const float shellNorm = 1.0f / (0.6f * c);
    const float hazeNorm = 1.0f / c;

    // Coarse: the warp of the web (r, g) and where it is dense (b); the hue.
    const core::FloatCanvas bends = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 130, y / 130, seed + 5, 3);
        return Light{38 * w.x, 38 * w.y, mottle(x, y, 160, seed + 8, 8)};
    });
    const core::FloatCanvas hues = coarseMap(
        8, [&](float x, float y) { return Light::grey(mottle(x, y, 230, seed + 10, 16)); });

    const Light synchrotron = mix(pal::SkyBlue, pal::HotWhite, 0.45f);
    compositeEach(light, box, [&](float x, float y) {
        const Ray v = cloud.at(x, y);
        const float haze = v.light.r * hazeNorm, shell = v.light.g * shellNorm;
        if (haze < 1e-3f && shell < 1e-3f)
            return Ray{};
        const Light bend = sampleGrid(bends, x / 4, y / 4);
        const float wx = x + bend.r, wy = y + bend.g, patchy = bend.b;
        // The web: braided strands of two sizes, knotted by the walls of cells.
        const float s1 = noise::ridged(wx / 90, wy / 90, seed + 6, noise::octavesFor(90, 2.5f));
        const float s2 = noise::ridged(wy / 45 + 3, wx / 45, seed + 12, 4);
        const noise::Cells cell = noise::worley(wx / 70, wy / 70, seed + 7);
        const float wall = std::exp(-(cell.f2 - cell.f1) * 10.0f);
        const float fine = noise::fbm(x / 12, y / 12, seed + 9, 4);
        const float web = (std::pow(s1, 3.5f) * (0.5f + 0.9f * patchy) +
                           0.65f * std::pow(s2, 5.0f) * (1.2f - patchy) + 0.1f * wall * wall) *
                          (0.75f + 0.5f * fine);
        const float hue = sampleGrid(hues, x / 8, y / 8).r;
        const Light filament = mix(mix(pal::HydrogenRed, pal::NitrogenOrange, 0.55f),
                                   mix(pal::Gold, Light{0.75f, 1.0f, 0.45f}, 0.35f), 0.65f * hue);
        const float envelope = (0.3f + shell) * smoothstep(0.0f, 0.15f, shell);
        // Fibrous wisps in the haze, strongest near the pulsar.
        const float wisps = std::pow(s2, 3.0f) * smoothstep(0.25f, 0.9f, haze);
        const Light glow = synchrotron * (0.16f * haze * (0.85f + 0.25f * fine) + 0.05f * wisps);
        const float tau = 0.35f * web * envelope;
        return Ray{glow * std::exp(-tau) + filament * (0.32f * web * envelope), std::exp(-tau)};
    });

    // The pulsar and its neighbour at the heart of the haze.
    addCentralStar(light, cx - 6, cy + 4, 0.35f, Light::fromColourIndex(0.1f));
    addCentralStar(light, cx + 16, cy - 9, 0.3f, Light::fromColourIndex(0.5f));
}

void paintFlame(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();
    fieldStars(light, seed + 1, 22000, 6.0f);

    const float cx = 930.0f, cy = 560.0f;
    auto field = [&](float x, float y, float z) {
        const float px = (x - cx) / 560.0f, py = (y - cy) / 470.0f, pz = z / 420.0f;
        // Beyond this even the most stretched outline holds next to no gas.
        if (px * px + py * py + pz * pz > 5.0f)
            return Medium{};
        const float n = noise::fbm(px * 1.5f, py * 1.5f, pz * 1.5f, seed + 2, 3);
        const float r2 = (px * px + py * py + pz * pz) * square(1.0f + 0.3f * n);
        const float body = std::exp(-2.6f * r2);
        const float clumps =
            clamp01(0.5f + 0.9f * noise::fbm(px * 4.0f, py * 4.0f, pz * 4.0f, seed + 3, 3));
        const float hot =
            std::exp(-(square(x - cx) + square(y - cy + 40) + z * z) / (2.0f * 150.0f * 150.0f));
        const Light colour = mix(pal::NitrogenOrange, pal::Gold, 0.35f + 0.5f * hot);
        return Medium{colour * (body * (0.3f + clumps) * 7.0e-4f + hot * 2.0e-3f), 0.0f};
    };
    const CloudVolume cloud(field, WholeFrame, 4, -800, 800, 28, seed + 4);

    // The lanes: a broad trunk rising from below that forks into branching
    // tongues, of uneven depth, splatted on a half-resolution grid of optical depth.
    core::FloatCanvas lanes(Scene::Width / 2, Scene::Height / 2);
    core::Rng rng(seed + 5);
    struct Branch
    {
        float x, y, angle, length, width;
        int depth;
    };
    std::vector<Branch> todo{{945, 1130, -Pi * 0.5f - 0.03f, 1000, 130, 2},
                             {930, 650, Pi + 0.12f, 580, 75, 1},
                             {925, 760, 0.22f, 640, 80, 1}};
    while (!todo.empty()) {
        Branch br = todo.back();
        todo.pop_back();
        const float step = 4.0f;
        const int steps = int(br.length / step);
        for (int i = 0; i < steps; ++i) {
            const float t = float(i) / float(steps);
            br.angle += float(rng.normal()) * 0.03f;
            br.x += std::cos(br.angle) * step;
            br.y += std::sin(br.angle) * step;
            const float width = br.width * (1.0f - 0.65f * t);
            const float sigma = 0.5f * 0.7f * width;
            // Never thinning to nothing, so no branch breaks off into an island.
            const float depth =
                (0.65f + 0.7f * mottle(br.x, br.y, 140, seed + 13, 16)) * (1.0f - 0.35f * t);
            lanes.addGaussian(br.x * 0.5f, br.y * 0.5f, sigma,
                              Light::grey(depth * 0.5f * step / (sigma * 2.5066f)));
            if (br.depth > 0 && t > 0.15f && rng.uniform() < 0.008f) {
                const float side = rng.uniform() < 0.5 ? -1.0f : 1.0f;
                todo.push_back({br.x, br.y, br.angle + side * float(rng.range(0.4, 0.9)),
                                br.length * (1 - t) * float(rng.range(0.4, 0.8)), width * 0.6f,
                                br.depth - 1});
            }
        }
    }

    // Coarse structure: glow (r), the lanes' dust (g), a thin veil of dust
    // between them (b). The skeleton only says where dust gathers; noise at
    // several scales makes its depth uneven, from dense cores to thin patches
    // the glow shows through.
    const core::FloatCanvas structure = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 150, y / 150, seed + 6, 3);
        const float wx = x + 40 * w.x, wy = y + 40 * w.y;
        const float s = strands(wx, wy, 160, 1.2f, seed + 7, 8);
        const float glow = 0.35f + 0.8f * mottle(wx, wy, 80, seed + 8, 8) + 0.9f * s * s * s;
        const float skeleton = std::min(sampleGrid(lanes, wx * 0.5f, wy * 0.5f).r, 1.2f);
        const float clouds = noise::fbm(wx / 110, wy / 110, seed + 11, noise::octavesFor(110, 8));
        const float lumps = mottle(wx, wy, 90, seed + 13, 8);
        const float lane = skeleton * (0.4f + 1.1f * lumps) +
                           0.45f * std::max(clouds, 0.0f) * smoothstep(0.05f, 0.4f, skeleton);
        const float veil =
            0.6f * smoothstep(-0.1f, 0.5f, clouds) +
            0.4f * smoothstep(0.2f, 0.6f, noise::fbm(x / 340, y / 340, seed + 12, 3));
        return Light{glow, lane, veil};
    });

    compositeEach(light, WholeFrame, [&](float x, float y) {
        const Light st = sampleGrid(structure, x / 4, y / 4);
        const Ray v = cloud.at(x, y);
        const float fine = noise::fbm(x / 16, y / 16, seed + 9, noise::octavesFor(16));
        // Frayed at two scales, so no lane keeps a clean outline.
        const float dust =
            st.g + 0.15f * fine + 0.2f * noise::fbm(x / 40, y / 40, seed + 18, 3) * st.g;
        // Dense cores only along the thickest lanes, thinner dust about them.
        const float coreDepth = smoothstep(0.85f, 1.25f, dust);
        const float bodyDepth = smoothstep(0.45f, 0.95f, dust);
        const float edgeDepth = smoothstep(0.12f, 0.5f, dust);
        // Holes in the lanes, where the glow behind shows through thinner dust.
        const float holes = smoothstep(-0.25f, 0.3f, noise::fbm(x / 45, y / 45, seed + 17, 4));
        // The gas is lit brightest along the edges of the dust.
        const float rim = (0.6f + 0.8f * noise::fbm(x / 6, y / 6, seed + 14, 2)) *
                          smoothstep(-0.15f, 0.35f, noise::fbm(x / 120, y / 120, seed + 19, 2));
        const float banks = 1.0f + 1.3f * bump(dust - 0.16f, 0.06f) * rim * (1.0f - coreDepth) +
                            0.5f * bump(dust - 0.1f, 0.15f);
        const float detail = st.r * (0.85f + 0.25f * fine) * banks;
        // Fine clumps and threads of dust, a few pixels across.
        const float grit = smoothstep(0.0f, 0.45f, noise::fbm(x / 9, y / 9, seed + 15, 3));
        const float threads =
            std::pow(strands(x, y, 55, 1.0f, seed + 10, 3), 3.0f) * (0.3f + st.b);
        const float tau =
            0.9f * edgeDepth * (0.5f + 0.8f * holes) * (0.7f + 0.6f * grit) +
            2.2f * bodyDepth * (0.35f + 0.65f * holes) + 2.5f * coreDepth +
            0.7f * st.b * (0.6f + 0.8f * fine) + 1.1f * threads;
        return Ray{reddened(v.light * detail, tau), v.transmittance * std::exp(-tau)};
    });

    // Alnitak, the belt star whose light makes the flame glow, and its blue
    // scattered light.
    const float ax = 1580.0f, ay = 230.0f;
    light.addGaussian(ax, ay, 170.0f, Light{0.012f, 0.02f, 0.04f});
    addCentralStar(light, ax, ay, 420.0f, Light::fromColourIndex(-0.22f), 0.8f, 60, 0.2f);
}

void paintNgc604(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    core::FloatCanvas &light = scene.light();

    // The knot lies in an arm of the galaxy whose centre is off the frame to
    // the lower right; the arm is an arc of a much larger circle, wavering
    // and widening as arms do.
    const float gx = 1500.0f, gy = 2350.0f, armRadius = 1950.0f;
    auto armOffset = [&](float x, float y) {
        return std::hypot(x - gx, y - gy) - armRadius +
               150.0f * noise::fbm(x / 650, y / 650, seed + 1, 3);
    };
    auto armAlong = [&](float x, float y) { return std::atan2(x - gx, gy - y) * armRadius; };

    // The disc, coarse: unresolved starlight (r), dust (g), density of
    // resolved stars (b). The stars gather in associations along the arm;
    // the dust is flocculent, in short ragged lanes mostly on the arm's
    // inner side.
    const core::FloatCanvas disc = coarseMap(4, [&](float x, float y) {
        const float off = armOffset(x, y), along = armAlong(x, y);
        const float arm = std::exp(-square(off / 360.0f));
        const float groups = mottle(along, off * 1.4f, 170, seed + 2, 8);
        const float starlight = arm * (0.35f + 1.3f * groups * groups) +
                                0.3f * smoothstep(400.0f, -1100.0f, off) +
                                0.12f * mottle(x, y, 300, seed + 3, 16);
        const noise::Offset w = noise::warp(x / 240, y / 240, seed + 4, 3);
        const float wx = x + 70 * w.x, wy = y + 70 * w.y;
        const float lanes = std::pow(strands(wx, wy, 190, 1.3f, seed + 5, 8), 2.5f);
        const float patches = smoothstep(0.45f, 0.8f, mottle(wx, wy, 130, seed + 6, 8));
        const float inner = 0.45f + 0.9f * smoothstep(150.0f, -250.0f, off);
        const float dust = (1.4f * lanes + 0.9f * patches) * inner *
                           (0.25f + 0.75f * std::exp(-square(off / 520.0f)));
        return Light{starlight, dust, arm * (0.3f + 0.9f * groups * groups)};
    });
    auto discAt = [&](float x, float y) { return sampleGrid(disc, x / 4, y / 4); };

    // Resolved stars of the disc, denser in the arm; its hot supergiants,
    // crowded in the associations; and a few foreground stars of our own
    // galaxy.
    {
        core::Rng rng(seed + 7);
        core::StarFieldStyle style;
        style.count = 70000;
        style.brightest = 0.3f;
        style.range = 4.5f;
        style.blueShare = 0.5f;
        core::scatterStars(light, rng, style, [&](float x, float y) {
            return 0.03f + 0.97f * std::min(discAt(x, y).b, 1.0f);
        });
    }
    fieldStars(light, seed + 8, 700, 2.0f, 0.85f, [&](float x, float y) {
        return 0.03f + 0.97f * square(std::min(discAt(x, y).b, 1.0f));
    });
    fieldStars(light, seed + 9, 160, 9.0f, 0.2f, [](float, float) { return 1.0f; });

    // Smaller H II regions strung along the arm, each with a few hot stars.
    struct Knot
    {
        float x, y, r, glow;
    };
    const Knot knots[] = {{120, 560, 30, 0.7f},  {420, 640, 22, 0.5f},  {1540, 285, 40, 0.8f},
                          {1750, 420, 26, 0.6f}, {1395, 160, 18, 0.4f}, {300, 905, 20, 0.5f},
                          {1660, 180, 15, 0.4f}, {560, 820, 16, 0.35f}};

    const int fineOctaves = noise::octavesFor(18, 3);
    compositeEach(light, WholeFrame, [&](float x, float y) {
        const Light d = discAt(x, y);
        const float fine = noise::fbm(x / 18, y / 18, seed + 10, fineOctaves);
        Light glow =
            mix(pal::WarmWhite, pal::HotWhite, 0.35f) * (0.03f * d.r * (0.8f + 0.3f * fine));
        for (const Knot &k : knots) {
            const float dd = std::hypot(x - k.x, y - k.y) / k.r;
            if (dd < 3.0f) {
                const float lumpy = 0.7f + 0.5f * noise::fbm(x / 16, y / 16, seed + 11, 3);
                glow += mix(pal::Rose, pal::HydrogenRed, 0.3f) *
                        (0.09f * k.glow * std::exp(-dd * dd) * lumpy);
            }
        }
        // The disc's dust, frayed by the fine noise; it reddens what it lets
        // through, blue dimmed most, from a single exponential.
        const float q = std::exp(-0.25f * d.g * (0.8f + 0.45f * fine));
        const float t = square(q * q);
        return Ray{Light{glow.r * t / q, glow.g * t, glow.b * t * q}, t};
    });
    for (int i = 0; i < int(std::size(knots)); ++i)
        youngCluster(
            light, seed + 40 + std::uint64_t(i),
            {knots[i].x, knots[i].y, 0.4f * knots[i].r, 0.35f * knots[i].r, 8, 3.0f, 0, 0.0f});

    // The giant knot: a turbulent cloud blown hollow by its cluster into
    // overlapping cavities, each rimmed by a bright, broken shell. The rims
    // glow pink in hydrogen, the hot gas filling the cavities teal.
    const float kx = 930.0f, ky = 520.0f;
    struct Bubble
    {
        float x, y, z, r, stretch, wall, teal;
    };
    const Bubble bubbles[] = {
        {0, 0, 0, 215, 1.3f, 1.0f, 1.0f},        {250, -150, 60, 130, 0.8f, 1.0f, 0.65f},
        {150, -300, -30, 95, 1.2f, 0.8f, 0.4f},  {400, -30, 20, 90, 0.8f, 0.7f, 0.35f},
        {-230, 110, -50, 170, 1.2f, 0.7f, 0.5f}, {-430, 265, 30, 150, 1.0f, 0.45f, 0.3f},
        {-610, 330, -20, 110, 0.9f, 0.3f, 0.2f}, {120, 220, -40, 120, 0.9f, 0.6f, 0.45f},
        {-90, -200, 40, 105, 1.4f, 0.6f, 0.4f},  {70, -40, 190, 105, 1.0f, 0.5f, 0.6f},
    };
    auto field = [&](float x, float y, float z) {
        const float lx = x - kx, ly = y - ky;
        const Point p = toFrame(lx - 60, ly + 30, 0, 0, -0.22f);
        const float px = p.x / 560.0f, py = p.y / 400.0f, pz = z / 380.0f;
        const float r2 = px * px + py * py + pz * pz;
        if (r2 > 5.0f)
            return Medium{};
        const float n1 = noise::fbm(x / 330, y / 330, z / 330, seed + 12, 2);
        const float n2 = noise::fbm(x / 95, y / 95, z / 95, seed + 13, 2);
        const float turb = noise::fbm(x / 60, y / 60, z / 60, seed + 14, 3);
        // A fainter lobe spills out to the south-west.
        const float lobe =
            std::sqrt(square((lx + 480) / 330) + square((ly - 280) / 240) + square(z / 260));
        // The outline's reach varies with direction at several scales.
        const float rr = std::sqrt(r2) + 1e-4f;
        const float reach =
            1.0f + 0.4f * noise::fbm(1.7f * px / rr, 1.7f * py / rr, 1.7f * pz / rr, seed + 29, 3);
        const float env =
            std::max(smoothstep(1.25f, 0.3f, rr * (1.0f + 0.35f * n1) / reach),
                     0.6f * smoothstep(1.2f, 0.25f, lobe * (1.0f + 0.45f * n2 + 0.3f * n1)));
        if (env <= 0)
            return Medium{};
        float inside = 0, walls = 0, hot = 0;
        for (const Bubble &b : bubbles) {
            const float dx = lx - b.x, dy = ly - b.y, dz = z - b.z;
            const float dist = std::sqrt(dx * dx / b.stretch + dy * dy * b.stretch + dz * dz);
            const float dn = dist / b.r * (1.0f + 0.32f * n1 + 0.2f * n2);
            if (dn > 1.5f)
                continue;
            // Brighter on the side facing the cluster at the middle.
            const float facing =
                b.x == 0 && b.y == 0
                    ? 1.0f + 0.7f * (0.75f * dx - 0.66f * dy) / dist
                    : 1.0f - 0.4f * (dx * b.x + dy * b.y) / (dist * std::hypot(b.x, b.y) + 1.0f);
            if (std::fabs(dn - 1.02f) < 0.3f)
                walls += b.wall * facing * bump(dn - 1.02f, 0.085f);
            const float in = smoothstep(1.0f, 0.82f, dn);
            inside = std::max(inside, in);
            hot += b.teal * smoothstep(1.0f, 0.55f, dn);
        }
        const float lumps = clamp01(0.5f + turb);
        // Shells are broken where the turbulence thins them.
        const float broken = 0.15f + 1.3f * smoothstep(-0.35f, 0.35f, turb + 0.5f * n2);
        const float pink = env * (0.3f * lumps * lumps * (1.0f - 0.9f * inside) + walls * broken);
        const float teal = env * hot * (0.55f + 0.45f * lumps);
        const float dust =
            env * smoothstep(0.1f, 0.5f, noise::fbm(x / 170, y / 170, z / 170, seed + 15, 2)) *
            smoothstep(200.0f, -150.0f, z) * (1.0f - 0.7f * inside);
        return Medium{Light{pink, teal, 0.0f}, dust * 0.007f};
    };
    const Box box{int(kx - 880), int(ky - 520), int(kx + 720), int(ky + 560)};
    const CloudVolume cloud(field, box, 5, -1.2f * 380, 1.2f * 380, 32, seed + 16);

    // Coarse: the bend of the fine filaments (r, g) and a patchiness (b).
    const core::FloatCanvas bends = coarseMap(4, [&](float x, float y) {
        const noise::Offset w = noise::warp(x / 110, y / 110, seed + 17, 3);
        return Light{30 * w.x, 30 * w.y, mottle(x, y, 150, seed + 18, 8)};
    });

    const Light hydrogen = mix(pal::Rose, pal::HydrogenRed, 0.1f);
    const Light oxygen = mix(mix(pal::OxygenTeal, pal::SkyBlue, 0.35f), pal::HotWhite, 0.2f);
    compositeEach(light, box, [&](float x, float y) {
        const Ray v = cloud.at(x, y);
        if (v.light.r < 1e-3f && v.light.g < 1e-3f && v.transmittance > 0.999f)
            return v;
        const Light bend = sampleGrid(bends, x / 4, y / 4);
        const float wx = x + bend.r, wy = y + bend.g;
        // Filaments at three sizes, and a few pixels of grit.
        const float f1 = noise::ridged(wx / 55, wy / 55, seed + 19, 4);
        const float f2 = noise::ridged(wx / 18 + 0.5f * f1, wy / 18, seed + 20, 3);
        const float grit = noise::fbm(x / 5, y / 5, seed + 21, 2);
        const float fil = 0.45f + 0.9f * f1 * f1 * f1 * (0.6f + 0.8f * bend.b) +
                          0.35f * std::pow(f2, 4.0f) + 0.12f * grit;
        const float pink = v.light.r * (1.0f / 210.0f) * fil;
        // The hot gas in the cavities is mottled too, and brightest about the
        // cluster.
        const float mottled = mottle(wx + 300, wy, 70, seed + 30, 6);
        const float centre = bump(std::hypot(x - kx - 15, y - ky - 10), 200.0f);
        const float teal = v.light.g * (1.0f / 520.0f) *
                           (0.5f + 0.7f * mottled + 0.25f * f1 + 0.1f * grit) *
                           (1.0f + 0.55f * centre);
        // A few lanes and clouds of dust across the knot, frayed at their
        // edges, and fainter threads; none beyond the gas.
        const float gasCover = smoothstep(0.02f, 0.2f, v.light.r * (1.0f / 210.0f));
        const float where = smoothstep(0.45f, 0.7f, bend.b);
        const float lanes =
            smoothstep(0.55f, 0.9f,
                       strands(wx, wy, 260, 1.3f, seed + 22, 6) + 0.15f * grit + 0.12f * f2) *
            where;
        const float clouds =
            smoothstep(0.25f, 0.6f, noise::fbm(wx / 140, wy / 140, seed + 28, 4) + 0.08f * grit);
        const float threads = std::pow(noise::ridged(wx / 26, wy / 26, seed + 27, 3), 3.0f);
        const float tau = gasCover * (2.0f * lanes + 1.4f * clouds * where + 0.35f * threads);
        // The brightest rims whiten.
        const Light rims = mix(hydrogen, pal::WarmWhite, 0.5f * smoothstep(0.2f, 0.8f, pink));
        const Light gas = rims * (0.55f * pink) + oxygen * (0.34f * teal);
        return Ray{reddened(gas, tau), v.transmittance * std::exp(-tau)};
    });

    // The cluster that blew the cavities, its richest group in the largest.
    youngCluster(light, seed + 23, {kx + 15, ky + 10, 95, 80, 170, 45.0f, 1, 0.35f});
    youngCluster(light, seed + 24, {kx + 240, ky - 120, 55, 45, 35, 9.0f, 0, 0.0f});
    youngCluster(light, seed + 25, {kx - 230, ky + 80, 60, 50, 30, 8.0f, 0, 0.0f});
    youngCluster(light, seed + 26, {kx - 60, ky - 200, 40, 35, 20, 6.0f, 0, 0.0f});
}

} // namespace painted
