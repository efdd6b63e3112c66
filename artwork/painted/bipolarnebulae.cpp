// SPDX-License-Identifier: MIT
// Bipolar nebulae: lobes blown out on both sides of a dusty waist.

#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/core/volume.h"
#include "artwork/painted/bipolarframe.h"
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

float cube(float x)
{
    return x * x * x;
}

// Clumps in [0, 1] from 3-D noise `scale` px across: most of a wall faint,
// a few knots bright; `sharp` sets how few.
float knots(float x, float y, float z, float scale, std::uint32_t seed, float sharp)
{
    const float n = core::noise::fbm(x / scale, y / scale, z / scale, seed, 3);
    return std::pow(clamp01(0.5f + 1.1f * n), sharp);
}

} // namespace

void paintButterfly(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 8000, 5.0f);

    constexpr float Cx = 975.0f, Cy = 548.0f;
    const BipolarFrame frame(Cx, Cy, -0.2f, 0.2f);
    const core::Light rust{0.75f, 0.36f, 0.18f};
    // The dusty torus on the waist.
    auto torus = [&](const BipolarFrame::Point &p) {
        if (std::fabs(p.along) > 90.0f || p.rho > 150.0f)
            return 0.0f;
        // Slanted across the waist and bent, so the lane is no straight bar.
        const float bend =
            22.0f * core::noise::fbm(p.across / 90.0f, 0.5f, seed + 2, 3) + 0.3f * p.across;
        return std::exp(-square((p.along - bend - 6.0f) / 20.0f)) *
               smoothstep(150.0f, 50.0f, p.rho);
    };
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool east = p.along < 0;
        const float a = std::fabs(p.along);
        const float length = east ? 520.0f : 440.0f;
        const float t = a / length;
        const float lane = torus(p);
        core::Medium m{rust * (0.0005f * lane), 0.07f * lane};
        // The hot, bright core the lane cuts across.
        const float r = std::sqrt(a * a + p.rho * p.rho);
        if (r < 150.0f)
            m.emission += mix(core::palette::WarmWhite, core::palette::Gold, 0.3f) *
                          (0.006f * std::exp(-r / 24.0f));
        if (t > 1.2f || p.rho > 420.0f)
            return m;
        const float side = east ? 0.0f : 41.0f;
        // Broad wings from a pinched waist, their outlines torn at several scales.
        const float outline =
            1.0f + 0.32f * BipolarFrame::noiseAround(p, 1.0f, t * 2.0f + side, seed + 3, 3) +
            0.14f * BipolarFrame::noiseAround(p, 4.0f, t * 9.0f + side, seed + 4, 2);
        // Wings swell out and round off towards their ragged tips.
        const float radius = (30.0f + 0.9f * a * (1.0f - 0.72f * t)) * outline;
        const float inside = smoothstep(radius + 10.0f, radius - 16.0f, p.rho);
        if (inside <= 0.0f)
            return m;
        // Streaks flowing outward from the centre.
        const float streaks =
            clamp01(0.35f + 1.0f * BipolarFrame::noiseAround(
                                       p, 5.0f, std::log(a + 30.0f) * 2.0f + side, seed + 5, 3));
        const float wall = std::exp(-square((p.rho - radius) / (7.0f + 0.03f * a)));
        const float fade = std::exp(-t * 1.6f) * smoothstep(1.15f, 0.5f, t) * (east ? 1.0f : 0.85f);
        const core::Light hot =
            mix(core::palette::HotWhite, core::palette::SkyBlue, 0.2f + 0.5f * t);
        // The wall breaks into clumps and knots.
        const float clumps =
            wall > 0.05f ? 0.3f + 1.3f * knots(x, y, z, 10.0f, seed + 12, 1.6f) : 1.0f;
        m.emission += hot * (0.0013f * inside * streaks * fade) +
                      mix(core::palette::NitrogenOrange, rust, 0.3f) *
                          (0.0016f * wall * fade * streaks * clumps);
        return m;
    };
    for (int y = 250; y < 850; ++y) {
        for (int x = 700; x < 1250; ++x)
            light.dim(x, y, std::exp(-4.0f * torus(frame.flat(float(x) + 0.5f, float(y) + 0.5f))));
    }
    addVolume(
        light, core::Box{200, 60, 1760, 1040}, 3, -330.0f, 330.0f, 56, field, seed + 6,
        [&](float x, float y) {
            // Strands and knots streaming out through the wings, over
            // billowing clouds 15-60 px across.
            const core::noise::Offset w = core::noise::warp(x / 60.0f, y / 60.0f, seed + 14, 2);
            const float clouds =
                core::noise::billow(x / 60.0f + 0.6f * w.x, y / 60.0f + 0.6f * w.y, seed + 9, 3);
            // The lane's dust in knots and threads a few px across, darker
            // than the coarse volume can draw it.
            const float lane = torus(frame.flat(x, y));
            float dust = 1.0f;
            if (lane > 0.01f) {
                const float threads =
                    core::noise::fbm(x / 9.0f + 1.5f * w.x, y / 9.0f + 1.5f * w.y, seed + 15, 3);
                dust = std::exp(-1.6f * lane * clamp01(0.6f + 1.4f * threads));
            }
            return outflow(x, y, Cx, Cy, 18.0f, 1.0f, seed + 13) * (0.6f + 1.6f * clouds) * dust;
        });
}

namespace {

// A function of the angle around an axis and a signed position t along it,
// tabulated once: a lobe's outline is looked up millions of times.
class AroundTable
{
public:
    template <typename F>
    AroundTable(int around, int along, float tMax, F f)
        : m_around(around), m_along(along), m_tMax(tMax), m_values(std::size_t(around) * along)
    {
        for (int j = 0; j < along; ++j) {
            const float t = -tMax + 2.0f * tMax * float(j) / float(along - 1);
            for (int i = 0; i < around; ++i)
                m_values[std::size_t(j) * around + i] = f(2.0f * Pi * float(i) / float(around), t);
        }
    }

    float at(float phi, float t) const
    {
        const float u = (phi / (2.0f * Pi) + 1.0f) * float(m_around);
        const float v = std::clamp((t + m_tMax) / (2.0f * m_tMax), 0.0f, 1.0f) * float(m_along - 1);
        const int i0 = int(u), j0 = std::min(int(v), m_along - 2);
        const float fu = u - float(i0), fv = v - float(j0);
        const int a = i0 % m_around, b = (i0 + 1) % m_around;
        const float *row = &m_values[std::size_t(j0) * m_around];
        const float *next = row + m_around;
        return (row[a] * (1 - fu) + row[b] * fu) * (1 - fv) +
               (next[a] * (1 - fu) + next[b] * fu) * fv;
    }

private:
    int m_around, m_along;
    float m_tMax;
    std::vector<float> m_values;
};

// Fractal noise on the circle of angle phi (radius `around`) and along t.
float noiseOnCircle(float phi, float around, float along, std::uint32_t seed, int octaves)
{
    return core::noise::fbm(around * std::cos(phi), around * std::sin(phi), along, seed, octaves);
}

// One hourglass shell: a surface of revolution from a narrow waist, swelling
// and rounding off towards an open end that leaves a ring.
struct Glass
{
    float length;  // along the axis, each side
    float bulge;   // largest radius
    float waist;   // radius at the centre
    float opening; // radius of the open end, as a share of bulge
    float wall;    // thickness
    float lean;    // how far the lobes bow sideways, as a share of bulge
    float rim;     // brightness of the open end's rim against the wall
};

// A lobe's radius from the waist (t = 0) to its end (t = 1), tabulated: it
// is needed at every sample of a volume.
class RadiusTable
{
public:
    template <typename F> explicit RadiusTable(F radius) : m_radius(Steps + 1)
    {
        for (int i = 0; i <= Steps; ++i)
            m_radius[std::size_t(i)] = radius(float(i) / float(Steps));
    }

    float at(float t) const
    {
        const float u = clamp01(t) * float(Steps);
        const int i = std::min(int(u), Steps - 1);
        const float f = u - float(i);
        return m_radius[std::size_t(i)] * (1.0f - f) + m_radius[std::size_t(i) + 1] * f;
    }

private:
    static constexpr int Steps = 1024;
    std::vector<float> m_radius;
};

float glassRadius(const Glass &g, float t)
{
    // Swells quickly from the waist, then curves back in towards the opening.
    const float rise = std::pow(std::sin(Pi * 0.5f * std::min(t / 0.7f, 1.0f)), 0.9f);
    const float close = t > 0.7f ? std::sqrt(std::max(0.0f, 1.0f - square((t - 0.7f) / 0.3f) *
                                                                       (1.0f - square(g.opening))))
                                 : 1.0f;
    return g.waist + (g.bulge - g.waist) * rise * close;
}

// A shell's outline dents and the course of its rings, by angle and signed t.
struct GlassNoise
{
    AroundTable dents, rings, arcs;

    explicit GlassNoise(std::uint32_t s)
        : dents(512, 256, 1.1f,
                [s](float phi, float t) {
                    // Three scales: broad, a few around the lobe, small scallops.
                    return 0.11f * noiseOnCircle(phi, 0.6f, t * 1.4f, s, 2) +
                           0.06f * noiseOnCircle(phi, 1.8f, t * 4.5f, s + 2, 3) +
                           0.025f * noiseOnCircle(phi, 6.0f, t * 16.0f, s + 3, 2);
                }),
          rings(256, 128, 1.1f,
                [s](float phi, float t) {
                    return 0.35f * noiseOnCircle(phi, 0.8f, t * 2.0f, s + 6, 2) +
                           0.25f * std::sin(t * 7.0f);
                }),
          arcs(512, 256, 1.1f, [s](float phi, float t) {
              return clamp01(0.35f + 1.4f * noiseOnCircle(phi, 3.5f, t * 6.0f, s + 7, 2));
          })
    {}
};

// What one hourglass shell holds at a point: its wall and the rings on it.
struct GlassSample
{
    float wall = 0.0f, rings = 0.0f;
};

GlassSample glassAt(const BipolarFrame &frame, const Glass &g, const RadiusTable &profile,
                    const GlassNoise &noise, float x, float y, float z, std::uint32_t s,
                    int ringCount)
{
    GlassSample out;
    const BipolarFrame::Point p = frame.distances(x, y, z);
    const bool north = p.along > 0;
    const float length = g.length * (north ? 1.07f : 1.0f);
    const float a = std::fabs(p.along);
    const float t = a / length;
    if (t > 1.1f)
        return out;
    // The lobes bow to opposite sides, so the figure is no mirror image.
    const float bow = g.lean * g.bulge * t * t * (north ? 1.0f : -0.7f);
    const float across = p.across - bow;
    const float rho = std::sqrt(across * across + p.depth * p.depth);
    const float w = g.wall + 0.005f * a;
    const float r0 = profile.at(t);
    if (std::fabs(rho - r0) > 0.2f * g.bulge + 3.5f * w + 6.0f)
        return out;
    const float phi = std::atan2(p.depth, across);
    const float st = north ? t : -t;
    const float d = rho - r0 - g.bulge * noise.dents.at(phi, st);
    if (std::fabs(d) > 3.5f * w + 6.0f)
        return out;
    const float near = std::exp(-square(d / w)) * smoothstep(1.04f, 0.95f, t);
    // The wall breaks into knots and short filaments.
    const float clumps =
        0.1f + 1.0f * knots(x, y, z, 9.0f, s + 4, 2.0f) +
        0.8f * knots(x, y, z, 24.0f, s + 8, 1.5f) +
        0.7f * square(core::noise::ridged(x / 26.0f, y / 26.0f, z / 26.0f, s + 5, 2));
    // The open end's rim, which a tipped axis shows as an ellipse.
    const float rim = std::exp(-square(std::hypot(d, (t - 1.0f) * length) / (2.4f * w)));
    // Brighter on one flank of each lobe.
    const float flank = 0.7f + 0.35f * std::cos(phi - (north ? 0.9f : 2.4f));
    // Brightest near the waist, where the star is closest.
    const float fade = 1.15f - 0.45f * t;
    const float broken = noise.arcs.at(phi, -st);
    // The wall itself fades and flares along its length, so no outline runs unbroken.
    const float patchy = 0.3f + noise.arcs.at(phi * 0.5f + 1.3f, st * 0.6f + 0.2f);
    out.wall = (near * patchy + g.rim * rim * (0.3f + broken)) * clumps * flank * fade *
               (north ? 1.0f : 0.85f);
    if (ringCount > 0) {
        // Latitude rings, unevenly spaced, tilted by the warp and broken into arcs.
        const float u = t * float(ringCount) + noise.rings.at(phi, st);
        const float ridge = std::pow(0.5f + 0.5f * std::cos(2.0f * Pi * u), 12.0f);
        out.rings = ridge * noise.arcs.at(phi, st) * std::exp(-square(d / (1.6f * w))) *
                    smoothstep(0.15f, 0.35f, t) * smoothstep(0.9f, 0.75f, t) * flank;
    }
    return out;
}

} // namespace

namespace {

// A Red Spider lobe's radius from the waist (t = 0) out: it leaves a pinched
// waist almost sideways, swells like a bubble, curves back in a little and
// leaves its end open.
float spiderRadius(float bulge, float t)
{
    const float u = std::min(t, 1.4f);
    const float rise = std::pow(std::sin(Pi * 0.5f * std::min(u / 0.6f, 1.0f)), 0.6f);
    const float close = 1.0f - 0.5f * smoothstep(0.55f, 1.3f, u);
    return 6.0f + (bulge - 6.0f) * rise * close;
}

} // namespace

void paintRedSpider(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 7000, 5.0f);

    constexpr float Cx = 968.0f, Cy = 548.0f;
    // Two bubbles from a narrow waist, the north-eastern one longer and
    // brighter; the axis tips a little towards us. A small, bright inner
    // pair sits askew on the waist.
    const BipolarFrame frame(Cx, Cy, -0.86f, 0.22f);
    const BipolarFrame innerFrame(Cx + 1.0f, Cy - 1.0f, -0.74f, 0.3f);
    constexpr float NorthLength = 540.0f, SouthLength = 465.0f;
    const RadiusTable northRadius([](float t) { return spiderRadius(138.0f, t * 1.4f); });
    const RadiusTable southRadius([](float t) { return spiderRadius(120.0f, t * 1.4f); });
    // By angle round the axis and signed position along it: the outline's
    // dents at three scales, the drift of the wave crests, and how high,
    // thick and bright the wall is.
    const AroundTable dents(512, 256, 1.4f, [&](float phi, float t) {
        return 0.12f * noiseOnCircle(phi, 0.7f, t * 2.0f, seed + 3, 2) +
               0.06f * noiseOnCircle(phi, 2.0f, t * 6.0f, seed + 4, 2) +
               0.025f * noiseOnCircle(phi, 6.0f, t * 18.0f, seed + 5, 2);
    });
    const AroundTable drift(512, 256, 1.4f, [&](float phi, float t) {
        return 4.0f * noiseOnCircle(phi, 1.0f, t * 3.0f, seed + 12, 2) +
               1.5f * noiseOnCircle(phi, 3.5f, t * 8.0f, seed + 13, 2) +
               2.0f * noiseOnCircle(phi, 0.5f, t * 14.0f, seed + 17, 2);
    });
    const AroundTable swell(512, 256, 1.4f, [&](float phi, float t) {
        return 1.8f * clamp01(0.45f + 1.4f * noiseOnCircle(phi, 1.8f, t * 5.0f, seed + 14, 2));
    });
    const AroundTable thickness(512, 256, 1.4f, [&](float phi, float t) {
        return 0.45f + 1.2f * clamp01(0.5f + noiseOnCircle(phi, 2.5f, t * 7.0f, seed + 15, 2));
    });
    const AroundTable flare(512, 256, 1.4f, [&](float phi, float t) {
        const float f = clamp01(0.45f + 1.3f * noiseOnCircle(phi, 1.6f, t * 4.0f, seed + 16, 2));
        return 0.12f + 2.0f * f * std::sqrt(f);
    });
    // Where each stretch of the open end fades out.
    const AroundTable tip(256, 128, 1.4f, [&](float phi, float t) {
        return 1.15f + 0.3f * noiseOnCircle(phi, 1.2f, t * 2.0f, seed + 18, 2) +
               0.12f * noiseOnCircle(phi, 4.0f, t * 5.0f, seed + 19, 2);
    });
    // By angle round the axis and by crest: how strong each crest runs.
    const AroundTable crestStrength(256, 512, 24.0f, [&](float phi, float k) {
        return clamp01(0.5f + 1.5f * noiseOnCircle(phi, 1.4f, k, seed + 23, 2));
    });
    // Along each lobe: how far the crests lean, as a phase towards the
    // picture's side and towards us.
    auto leanTable = [&](float lane, float towards) {
        return RadiusTable([=](float t) {
            const float u = t * 1.4f * 500.0f;
            const float tilt = 3.0f * core::noise::fbm(u / 160.0f, lane + 3.0f, seed + 24, 2);
            const float facing = 3.0f * core::noise::fbm(u / 220.0f, lane + 6.0f, seed + 25, 2);
            return tilt * std::cos(facing - towards);
        });
    };
    const RadiusTable leanAcrossN = leanTable(0.5f, 0.0f), leanDepthN = leanTable(0.5f, 0.5f * Pi);
    // The north-eastern lobe's long face would otherwise show the same lean
    // over several crests at once; bending them round the axis and bunching
    // them along it keeps neighbours from running parallel.
    const AroundTable northBend(512, 256, 1.4f, [&](float phi, float t) {
        return 2.2f * noiseOnCircle(phi, 2.2f, t * 9.0f, seed + 26, 2) +
               1.0f * noiseOnCircle(phi, 5.0f, t * 4.0f, seed + 27, 2);
    });
    // How far each of its crests fades on the face turned to us.
    const AroundTable northFade(256, 512, 24.0f, [&](float phi, float k) {
        return clamp01(0.65f + 1.6f * noiseOnCircle(phi, 2.0f, k * 0.7f, seed + 28, 2));
    });
    const RadiusTable leanAcrossS = leanTable(9.5f, 0.0f), leanDepthS = leanTable(9.5f, 0.5f * Pi);
    const core::Light violet{0.55f, 0.32f, 1.0f};

    // Inlined into the ray march, which then drops the extinction of this
    // absorption-free field; left to itself the compiler calls it instead,
    // nearly doubling the time.
    auto field = [&](float x, float y, float z) __attribute__((always_inline))
    {
        const float r = std::sqrt(square(x - Cx) + square(y - Cy) + z * z);
        core::Light e;
        // The inner pair: small, bright bubbles of gold and orange.
        if (r < 110.0f) {
            const BipolarFrame::Point q = innerFrame.distances(x, y, z);
            const bool up = q.along > 0;
            const float it = std::fabs(q.along) / (up ? 72.0f : 58.0f);
            if (it < 1.15f) {
                // Dented, so the pair is no pair of circles.
                const float dent = core::noise::fbm(x / 18.0f, y / 18.0f, z / 18.0f, seed + 22, 2);
                const float ir =
                    (3.0f +
                     25.0f * std::pow(std::max(0.0f, std::sin(Pi * std::min(it, 1.0f))), 0.6f)) *
                    (1.0f + 0.35f * dent);
                const float iw = std::exp(-square((q.rho - ir) / 3.5f));
                const float lumps =
                    iw > 0.02f ? 0.1f + 2.0f * knots(x, y, z, 6.0f, seed + 21, 2.2f) : 0.0f;
                const float ifill = smoothstep(ir + 2.0f, 0.0f, q.rho) *
                                    smoothstep(1.1f, 0.5f, it) * clamp01(0.6f + 1.5f * dent);
                e += mix(core::palette::Gold, core::palette::NitrogenOrange, 0.4f) *
                         (0.012f * iw * lumps * (1.1f - 0.6f * it) * (up ? 1.0f : 0.7f)) +
                     mix(core::palette::WarmWhite, core::palette::Gold, 0.5f) * (0.0006f * ifill);
            }
        }
        BipolarFrame::Point p = frame.distances(x, y, z);
        const bool north = p.along > 0;
        const float a = std::fabs(p.along);
        const float length = north ? NorthLength : SouthLength;
        const float t = a / length;
        if (t > 1.35f || a < 2.0f)
            return core::Medium{e, 0.0f};
        const float st = north ? t : -t;
        // The lobes bend to opposite sides, so the figure is an S, not a mirror image.
        const float bow = (north ? 38.0f : -30.0f) * t * t;
        const float across = p.across - bow;
        const float rho = std::sqrt(across * across + p.depth * p.depth);
        const float r0 = (north ? northRadius : southRadius).at(t / 1.4f);
        // Faint violet haze fills the lobes.
        if (rho < r0)
            e += violet * (0.00006f * smoothstep(r0, 0.5f * r0, rho) * std::exp(-t * 1.3f));
        // Only near the wall, which dents and waves by at most about this much.
        const float reach = 0.25f * r0 + 42.0f + 8.0f * (1.0f + 0.014f * a);
        if (rho > r0 + reach || rho < r0 - reach)
            return core::Medium{e, 0.0f};
        p.phi = std::atan2(p.depth, across);
        const float thick = (2.2f + 0.014f * a) * thickness.at(p.phi, st);
        // Waves run along the walls like breakers: crests 35-60 px apart,
        // steep on their outer face, their course drifting round the axis.
        const float spacing =
            1.0f + 0.3f * core::noise::fbm(a / 110.0f, north ? 0.5f : 9.5f, seed + 20, 2);
        // Each stretch of crest leans its own way round the axis.
        const float ta = a / (1.4f * length);
        const float lean = (north ? leanAcrossN : leanAcrossS).at(ta) * across / (rho + 1e-6f) +
                           (north ? leanDepthN : leanDepthS).at(ta) * p.depth / (rho + 1e-6f);
        const float theta = a / (7.0f * spacing) + drift.at(p.phi, st) + lean +
                            (north ? northBend.at(p.phi, st) : 0.0f);
        const float breaker = std::sin(theta) + 0.32f * std::sin(2.0f * theta + 0.9f);
        // Crests differ in strength, one from the next and round the lobe,
        // and some die out; on the face turned to us the waves run lower.
        const float crestIndex = theta * 0.17f;
        // On the north-eastern face whole crests may die out; its limb keeps
        // every wave, so the outline stays scalloped.
        const float facing = north ? smoothstep(0.1f, 0.6f, square(p.depth / (rho + 1.0f))) : 0.0f;
        const float strength =
            crestStrength.at(p.phi, north ? crestIndex : -crestIndex) *
            (north ? 1.0f + facing * (northFade.at(p.phi, crestIndex) - 1.0f) : 1.0f);
        const float face = 1.0f - 0.35f * square(p.depth / (rho + 1.0f));
        const float height = (3.0f + 10.0f * smoothstep(0.0f, 0.4f, t)) * swell.at(p.phi, st) *
                             (0.4f - 0.2f * facing + (0.8f + 0.2f * facing) * strength) * face;
        const float dent = dents.at(p.phi, st);
        const float radius = r0 * (1.0f + dent) + 50.0f * dent + height * breaker;
        const float d = rho - radius;
        if (d > 2.0f * thick + 2.0f || d < -3.0f * thick - 2.0f)
            return core::Medium{e, 0.0f};
        // A sharp outer face and a softer inner one.
        const float wall = std::exp(-square(d / (d > 0.0f ? 0.7f * thick : 1.5f * thick)));
        // The wall piles up a little on the crests.
        const float crest = 0.75f + 0.6f * strength * cube(0.5f + 0.5f * std::sin(theta + 0.6f));
        if (wall < 0.01f)
            return core::Medium{e, 0.0f};
        const float clumps = 0.2f + 1.2f * knots(x, y, z, 8.0f, seed + 6, 1.8f) +
                             0.7f * knots(x, y, z, 24.0f, seed + 7, 1.3f);
        // Brightest at the waist, fading out at the open, ragged tips.
        const float fade = std::exp(-t * 2.1f) * smoothstep(tip.at(p.phi, st), 0.45f, t) *
                           smoothstep(2.0f, 20.0f, a) * (north ? 1.0f : 0.78f);
        const float warm = smoothstep(0.04f, 0.4f, t);
        const core::Light wallColour =
            mix(mix(core::palette::Gold, core::palette::NitrogenOrange, 0.4f),
                mix(core::palette::NitrogenOrange, core::palette::HydrogenRed, 0.55f), warm);
        e += wallColour * (0.0048f * wall * fade * crest * clumps * flare.at(p.phi, st));
        return core::Medium{e, 0.0f};
    };
    addVolume(
        light, core::Box{330, 0, 1610, 1080}, 2, -300.0f, 300.0f, 64, field, seed + 6,
        [&](float x, float y) {
            // Knotted filaments a few px across, bent every which way, and grit.
            const core::noise::Offset w = core::noise::warp(x / 45.0f, y / 45.0f, seed + 9, 2);
            const float g = core::noise::fbm(x / 2.5f, y / 2.5f, seed + 8, 2);
            return 0.65f +
                   0.6f * filaments(x / 7.0f + 1.2f * w.x, y / 7.0f + 1.2f * w.y, 1.0f, seed + 10) +
                   0.18f * g;
        });
    // The dense, hot core round the star, and the glow of the waist.
    const core::Light core = mix(core::palette::WarmWhite, core::palette::Gold, 0.3f);
    light.addGaussian(Cx, Cy, 9.0f, core * 0.09f);
    light.addGaussian(Cx, Cy, 30.0f, core * 0.04f);
    light.addGaussian(Cx + 3.0f, Cy - 4.0f, 85.0f, core * 0.008f);
    addCentralStar(light, Cx + 0.4f, Cy + 0.3f, 45.0f, core::Light{1.0f, 0.95f, 0.82f});
}

void paintHourglass(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 6500, 5.0f);

    constexpr float Cx = 962.0f, Cy = 536.0f;
    // The axis leans a little off vertical and tips 25 degrees towards us;
    // the inner shell sits a little askew in the outer one.
    const BipolarFrame outerFrame(Cx, Cy, -Pi * 0.5f - 0.09f, 0.44f);
    const BipolarFrame innerFrame(Cx + 9.0f, Cy + 6.0f, -Pi * 0.5f - 0.03f, 0.5f);
    const BipolarFrame eyeFrame(Cx + 7.0f, Cy - 2.0f, -Pi * 0.5f - 0.16f, 0.62f);
    const Glass outer{410.0f, 155.0f, 12.0f, 0.8f, 2.4f, 0.12f, 1.5f};
    const Glass inner{300.0f, 104.0f, 9.0f, 0.55f, 3.8f, -0.08f, 0.6f};
    const RadiusTable outerProfile([&](float t) { return glassRadius(outer, t); });
    const RadiusTable innerProfile([&](float t) { return glassRadius(inner, t); });
    const GlassNoise outerNoise(seed + 3), innerNoise(seed + 13);
    const core::Light pink = mix(core::palette::Rose, core::palette::HydrogenRed, 0.35f);
    const core::Light cyan = mix(core::Light{0.2f, 0.85f, 0.9f}, core::palette::OxygenTeal, 0.4f);

    auto field = [&](float x, float y, float z) {
        const GlassSample o =
            glassAt(outerFrame, outer, outerProfile, outerNoise, x, y, z, seed + 3, 3);
        const GlassSample i =
            glassAt(innerFrame, inner, innerProfile, innerNoise, x, y, z, seed + 13, 0);
        core::Light e = pink * (0.0026f * o.wall + 0.005f * o.rings) + cyan * (0.002f * i.wall);
        // Faint teal and violet haze fills the inner lobes, paler and brighter
        // towards the waist, where the gas is densest and hottest.
        const BipolarFrame::Point h = innerFrame.distances(x, y, z);
        const float ht = std::fabs(h.along) / 300.0f;
        if (ht < 1.0f) {
            const float hr = innerProfile.at(ht);
            const float within = smoothstep(hr, hr * 0.4f, h.rho);
            e += mix(cyan, core::palette::SkyBlue, 0.5f) * (0.0002f * within * square(1.0f - ht)) +
                 mix(cyan, core::palette::HotWhite, 0.6f) *
                     (0.0008f * within * std::exp(-std::fabs(h.along) / 40.0f));
        }
        // The eye: a bright, knotty, filled elliptical ring on the waist.
        BipolarFrame::Point q = eyeFrame.distances(x, y, z);
        if (q.rho < 70.0f && std::fabs(q.along) < 20.0f) {
            q.phi = std::atan2(q.depth, q.across);
            const float rr = 36.0f * (1.0f + 0.12f * std::cos(q.phi - 0.7f)) +
                             7.0f * BipolarFrame::noiseAround(q, 1.5f, 0.3f, seed + 20, 2) +
                             2.5f * BipolarFrame::noiseAround(q, 5.0f, 0.7f, seed + 22, 2);
            const float thick = 4.0f + 1.5f * std::sin(q.phi + 1.2f) +
                                2.0f * BipolarFrame::noiseAround(q, 2.5f, 1.1f, seed + 23, 2);
            const float ring = std::exp(-square(std::hypot(q.rho - rr, q.along) / thick)) *
                               (0.3f + 1.2f * knots(x, y, z, 7.0f, seed + 21, 1.5f)) *
                               (0.8f + 0.35f * std::cos(q.phi + 2.3f));
            const float fill =
                std::exp(-square(q.along / 5.0f)) * smoothstep(rr + 2.0f, 6.0f, q.rho);
            e += mix(pink, core::palette::WarmWhite, 0.5f) * (0.03f * ring) +
                 mix(cyan, core::palette::HotWhite, 0.55f) * (0.014f * fill);
        }
        return core::Medium{e, 0.0015f * o.wall};
    };
    addVolume(light, core::Box{700, 60, 1230, 1020}, 2, -360.0f, 360.0f, 100, field, seed + 6,
              [&](float x, float y) {
                  // Strands streaming out from the star along the walls, knots
                  // and grit, and a broad mottling so no stretch of wall is even.
                  const float mottle = core::noise::fbm(x / 30.0f, y / 30.0f, seed + 10, 3);
                  return outflow(x, y, Cx, Cy, 14.0f, 1.2f, seed + 7) * (0.8f + 0.45f * mottle);
              });
    // The star sits off the eye's centre.
    addCentralStar(light, Cx - 3.0f, Cy + 3.0f, 30.0f, core::Light{0.9f, 0.95f, 1.0f});
}

void paintMinkowski29(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 6500, 5.0f);

    constexpr float Cx = 962.0f, Cy = 542.0f;
    // Narrow lobes like jets, leaning across the frame so they fill it, the
    // northern ones longer: two pairs a few degrees apart that overlap and
    // cross near the waist.
    constexpr float Lean = 0.42f;
    const BipolarFrame frames[2] = {BipolarFrame(Cx, Cy, -Pi * 0.5f + Lean + 0.12f, 0.15f),
                                    BipolarFrame(Cx + 2.0f, Cy, -Pi * 0.5f + Lean - 0.02f, 0.2f)};
    const float lengths[2][2] = {{580.0f, 490.0f}, {515.0f, 530.0f}};
    const float widths[2] = {1.45f, 1.15f};
    auto lobes = [&](int k, float x, float y, float z, float &knotty) {
        const BipolarFrame::Point p = frames[k].distances(x, y, z);
        const bool north = p.along > 0;
        const float a = std::fabs(p.along);
        const float length = lengths[k][north ? 0 : 1];
        const float t = a / length;
        if (t > 1.2f || p.rho > 160.0f)
            return 0.0f;
        const float side = (north ? 0.0f : 19.0f) + 7.0f * float(k);
        // The lobes bend and swell unevenly along their length.
        const float bend = 40.0f * core::noise::fbm(a / 280.0f, side, seed + 2, 2) * t;
        const float dx = p.across - bend;
        const float rho = std::sqrt(dx * dx + p.depth * p.depth);
        const float swell =
            1.0f + 0.3f * core::noise::fbm(a / 90.0f + side, 0.5f, seed + 3, 3) +
            0.12f * core::noise::fbm(dx / 20.0f, p.depth / 20.0f, a / 25.0f + side, seed + 4, 2);
        const float radius =
            widths[k] *
            (4.0f + 62.0f * std::pow(std::min(t, 1.0f), 0.6f) * (1.0f - 0.62f * t * t)) * swell;
        if (rho > radius + 16.0f)
            return 0.0f;
        const float wall = std::exp(-square((rho - radius) / (3.0f + 0.01f * a)));
        const float fill = smoothstep(radius + 4.0f, radius * 0.3f, rho);
        const float fade = smoothstep(1.1f, 0.6f, t) * (north ? 1.0f : 0.8f);
        // Clumps in the walls, and knots strung along the jet's axis.
        const float clumps = 0.3f + 1.2f * knots(x, y, z, 11.0f, seed + 5 + k, 1.8f);
        if (rho < 18.0f) {
            const float axisKnots = std::exp(-square(rho / 6.0f)) *
                                    cube(square(knots(x, y, z, 14.0f, seed + 7 + k, 1.0f)));
            knotty += 6.0f * axisKnots * smoothstep(0.05f, 0.2f, t) * smoothstep(1.15f, 0.8f, t);
        }
        return (wall + 0.09f * fill) * clumps * fade;
    };
    auto field = [&](float x, float y, float z) {
        const float r = std::sqrt(square(x - Cx) + square(y - Cy) + z * z);
        core::Light e = core::Light{1.0f, 0.85f, 0.6f} * (0.008f * std::exp(-r / 6.0f));
        float knotty = 0.0f;
        const float d = lobes(0, x, y, z, knotty) + 0.8f * lobes(1, x, y, z, knotty);
        if (d <= 0.0f && knotty <= 0.0f)
            return core::Medium{e, 0.0f};
        // Orange near the waist, blue towards the tips.
        const float along = std::fabs(frames[0].distances(x, y, z).along);
        const float t = along / 550.0f;
        const core::Light colour = mix(core::palette::NitrogenOrange, core::palette::SkyBlue,
                                       smoothstep(0.1f, 0.8f, t) * 0.85f);
        e += colour * (0.0045f * d) +
             mix(core::palette::NitrogenOrange, core::palette::WarmWhite, 0.4f) * (0.004f * knotty);
        return core::Medium{e, 0.0f};
    };
    addVolume(light, core::Box{560, 0, 1370, 1080}, 2, -170.0f, 170.0f, 32, field, seed + 6,
              [&](float x, float y) {
                  // Strands and knots along the jets, in patches.
                  const float mottle = core::noise::fbm(x / 30.0f, y / 30.0f, seed + 8, 3);
                  return outflow(x, y, Cx, Cy, 13.0f, 1.0f, seed + 7) * (0.75f + 0.5f * mottle);
              });
    // Point-symmetric pairs of bright knots, off the axis as a wobbling jet
    // leaves them: each a small cluster of blobs.
    core::Rng rng(seed + 30);
    const float knotAlong[2] = {325.0f, 475.0f};
    for (int pair = 0; pair < 2; ++pair) {
        for (int sign = -1; sign <= 1; sign += 2) {
            const float along = float(sign) * knotAlong[pair] * (sign > 0 ? 1.0f : 0.93f);
            const float across = float(sign) * (pair == 0 ? 9.0f : -14.0f);
            const float c = std::cos(-Pi * 0.5f + Lean + 0.07f);
            const float s = std::sin(-Pi * 0.5f + Lean + 0.07f);
            const float kx = Cx + along * c - across * s, ky = Cy + along * s + across * c;
            for (int i = 0; i < 7; ++i) {
                const float bx = kx + float(rng.normal()) * 5.0f;
                const float by = ky + float(rng.normal()) * 5.0f;
                const float sigma = 1.5f + 2.0f * float(rng.uniform());
                light.addGaussian(
                    bx, by, sigma,
                    mix(core::palette::NitrogenOrange, core::palette::WarmWhite, 0.5f) *
                        (0.05f + 0.12f * float(rng.uniform())));
            }
        }
    }
    addCentralStar(light, Cx + 0.3f, Cy - 0.4f, 50.0f, core::Light{1.0f, 0.94f, 0.85f});
}

namespace {

// Puffs of dust `size` px across with darker gaps between them; some cells
// are pitted to their own depth, some not at all, and the gaps come and go.
// About 1 on average; `depth` scales the swing.
float dustCells(float x, float y, float size, float depth, std::uint32_t seed)
{
    const core::noise::Cells c = core::noise::worley(x / size, y / size, seed);
    const std::uint32_t h = c.id * 2654435761u;
    const float own = clamp01(float(h >> 16) * (1.0f / 65536.0f) * 1.8f - 0.6f);
    const float gapped = float((h >> 8) & 0xFF) * (1.0f / 255.0f);
    const float pit = smoothstep(0.6f, 0.05f, c.f1) * own;
    const float gap = std::exp(-square((c.f2 - c.f1) / 0.25f)) * gapped;
    return 1.0f + depth * (0.45f - pit - 0.45f * gap);
}

// A few jets of warm gas thrown out from the star at (cx, cy) in the
// equatorial plane of a frame with this angle and tilt: each a smooth haze
// strung with knots, bending a little, widening and fading out as it goes.
// `bright` is a jet's linear light where it leaves the waist.
void addSkirtJets(core::FloatCanvas &light, float cx, float cy, float angle, float tilt,
                  float bright, std::uint32_t seed)
{
    core::Rng rng(seed);
    const float c = std::cos(angle), s = std::sin(angle), st = std::sin(tilt);
    constexpr int Jets = 7;
    constexpr float Step = 2.0f;
    for (int i = 0; i < Jets; ++i) {
        // Most of them, and the longest, on the one side.
        // Spread evenly, then jittered, so they never bunch into a fan.
        const bool main = i < 4;
        const float psi = main ? -1.1f + 0.7f * float(i) + float(rng.range(-0.2, 0.2))
                               : 2.5f + 0.6f * float(i - 4) + float(rng.range(-0.2, 0.2));
        const float length = float(main ? rng.range(300.0, 520.0) : rng.range(300.0, 420.0));
        const float gain = float(main ? rng.range(0.7, 1.0) : rng.range(0.7, 0.9));
        const float w0 = float(rng.range(3.5, 6.0));
        // The in-plane direction seen in the picture, foreshortened where
        // it points towards or away from us.
        const float ux = -std::sin(psi) * st * c - std::cos(psi) * s;
        const float uy = -std::sin(psi) * st * s + std::cos(psi) * c;
        const float speed = std::hypot(ux, uy);
        const float heading = std::atan2(uy, ux);
        float x = cx, y = cy;
        for (float t = 0.0f; t < length; t += Step) {
            const float h =
                heading + 0.6f * core::noise::fbm(t / 220.0f, float(i) * 7.3f, seed + 1, 2);
            x += Step * speed * std::cos(h);
            y += Step * speed * std::sin(h);
            if (t < 60.0f)
                continue;
            // Brighter and fainter stretches, fading out towards the end.
            const float stretches =
                clamp01(0.7f + 1.3f * core::noise::fbm(t / 50.0f, float(i) * 3.1f, seed + 2, 2));
            const float b = bright * gain * smoothstep(60.0f, 130.0f, t) * std::exp(-t / length) *
                            smoothstep(length, 0.55f * length, t) * (0.25f + stretches);
            const float w = w0 * (1.0f + t / 260.0f);
            const core::Light warm =
                mix(core::Light{1.0f, 0.62f, 0.34f}, core::Light{0.95f, 0.42f, 0.22f}, t / length);
            light.addGaussian(x, y, w, warm * (0.5f * b * Step * speed / (2.5f * w)));
            // Knots strung along it, a few of them bright.
            if (rng.uniform() < 0.12) {
                const float k = float(rng.uniform());
                const float across = float(rng.normal()) * 0.6f * w;
                light.addGaussian(x - std::sin(h) * across, y + std::cos(h) * across,
                                  float(rng.range(1.5, 4.0)) * (1.0f + t / 400.0f),
                                  warm * (b * (0.8f + 6.0f * k * k * k) * stretches));
            }
        }
    }
}

} // namespace

void paintHomunculus(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 9000, 6.0f, 0.4f);

    constexpr float Cx = 955.0f, Cy = 530.0f;
    // The lobes point to the upper left and lower right; the south-eastern
    // one is tipped towards us.
    const BipolarFrame frame(Cx, Cy, 0.72f, 0.55f);
    const core::Light brown{0.88f, 0.56f, 0.33f};
    const core::Light rust{0.8f, 0.36f, 0.19f};
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const float r = std::sqrt(p.along * p.along + p.rho * p.rho) + 1.0f;
        const bool near = p.along > 0;
        const float s = near ? 1.0f : -1.0f;
        const float size = near ? 1.0f : 0.92f;
        // Each lobe is a thick, dusty balloon whose wall billows in cells.
        // The lobes lean apart from one line, unequally, so neither is the
        // other's mirror image.
        const float lean = (near ? 0.09f : -0.06f) * square(p.along / 300.0f) * 300.0f;
        const float across = p.across - lean;
        const float rho = std::sqrt(across * across + p.depth * p.depth);
        // Two nearly round balloons meeting at the star, so the waist is
        // pinched to a notch on either side.
        const float a = (s * p.along - 200.0f * size) / (215.0f * size);
        const float b = rho / ((near ? 186.0f : 176.0f) * size);
        const float q = std::sqrt(a * a + b * b);
        core::Medium m;
        if (q < 1.15f && s * p.along > -10.0f) {
            const float cells = BipolarFrame::noiseAround(p, 4.0f, p.along / 45.0f, seed + 3, 3);
            const float billow = std::fabs(cells);
            // The outline swells in a few broad bulges and dents at three
            // smaller scales, differently on each lobe; the broad swing is
            // kept small, so each lobe stays a round balloon.
            const float bulges =
                0.04f *
                smoothstep(-0.1f, 0.5f,
                           BipolarFrame::noiseAround(p, 1.3f, p.along / 110.0f - s, seed + 19, 2));
            const float wobble =
                0.05f * BipolarFrame::noiseAround(p, 0.8f, p.along / 160.0f + s, seed + 4, 2) +
                0.055f * BipolarFrame::noiseAround(p, 3.0f, p.along / 50.0f + s, seed + 9, 2) +
                0.035f * BipolarFrame::noiseAround(p, 7.0f, p.along / 30.0f + s, seed + 20, 1) +
                0.02f * BipolarFrame::noiseAround(p, 16.0f, p.along / 14.0f + s, seed + 21, 1) -
                bulges;
            // A thin wall, so the lobes brighten at their limbs.
            const float shell = std::exp(-square((q + wobble - 1.0f) / 0.04f));
            // The wall is pitted with dusty cells of two sizes, their rims
            // brighter than their hollows.
            float pitted = 0.0f;
            if (shell > 0.02f) {
                const core::noise::Cells big =
                    core::noise::worley(x / 34.0f, y / 34.0f, z / 34.0f, seed + 24);
                const core::noise::Cells small =
                    core::noise::worley(x / 13.0f, y / 13.0f, z / 13.0f, seed + 25);
                // Deeply pitted in patches, barely elsewhere; the far
                // lobe is the smoother.
                const float patch =
                    smoothstep(-0.3f, 0.5f,
                               core::noise::fbm(x / 160.0f, y / 160.0f, z / 160.0f, seed + 26, 2));
                pitted = (0.8f * std::exp(-square((big.f2 - big.f1) / 0.2f)) +
                          0.5f * std::exp(-square((small.f2 - small.f1) / 0.22f)) -
                          0.5f * smoothstep(0.55f, 0.1f, big.f1)) *
                         (0.2f + 1.0f * patch) * (near ? 1.0f : 0.6f);
            }
            const float density = shell * std::max(0.05f, 0.15f + 1.8f * billow * billow + pitted) +
                                  0.02f * smoothstep(1.0f, 0.6f, q);
            // Dust scatters the star's light forwards, towards us, more: the
            // face of the nearer lobe is the brightest part.
            const float forward = near ? 1.0f + 0.5f * (-z / r) : 0.8f + 0.25f * (-z / r);
            const float lit = 1.0f / (1.0f + square(r / 250.0f));
            // Thick dust in broad patches: darker and redder, as it
            // reddens the light it passes.
            const float dusty = smoothstep(
                -0.05f, 0.45f, core::noise::fbm(x / 130.0f, y / 130.0f, z / 130.0f, seed + 29, 2));
            const float rustiness = clamp01(0.25f + 0.6f * cells + 0.5f * dusty);
            // Paler close to the star, red-brown out in the lobes.
            const core::Light colour = mix(mix(brown, rust, rustiness), core::palette::WarmWhite,
                                           0.3f * std::exp(-r / 80.0f));
            m.emission = colour * (0.0085f * density * lit * forward * (1.0f - 0.5f * dusty));
            m.absorption = 0.005f * density * (1.0f + 1.5f * dusty);
        } else if (q < 1.6f && s * p.along > -10.0f) {
            // Older ejecta outside the lobes: faint, sparse orange knots.
            const float sparse = cube(square(knots(x, y, z, 11.0f, seed + 15, 1.0f)));
            const float shell = smoothstep(1.15f, 1.25f, q) * smoothstep(1.6f, 1.3f, q);
            m.emission = mix(core::palette::NitrogenOrange, core::palette::HydrogenRed, 0.4f) *
                         (0.0003f * sparse * shell);
        }
        // The thin equatorial skirt, faint between its jets (painted
        // apart below), the disc it lies in warped.
        if (std::fabs(p.along) < 40.0f && r < 480.0f) {
            const float bend =
                9.0f * core::noise::fbm(p.across / 90.0f, p.depth / 90.0f, seed + 23, 2);
            const float skirt =
                std::exp(-square((p.along - bend) / 14.0f)) * smoothstep(420.0f, 80.0f, r);
            m.emission += rust * (0.0004f * skirt);
        }
        return m;
    };
    addVolume(
        light, core::Box{520, 90, 1400, 1000}, 2, -330.0f, 330.0f, 56, field, seed + 6,
        [&](float x, float y) {
            // Dusty cells at 50 and 21 px, warped, their depth mixed
            // patch by patch, so no stretch of the lobes is regular.
            const core::noise::Offset w = core::noise::warp(x / 70.0f, y / 70.0f, seed + 12, 2);
            const float wx = x + 22.0f * w.x, wy = y + 22.0f * w.y;
            const float coarse =
                smoothstep(-0.4f, 0.4f, core::noise::fbm(x / 150.0f, y / 150.0f, seed + 16, 2));
            const float pits = dustCells(wx, wy, 50.0f, 0.8f * coarse, seed + 7) *
                               dustCells(wx, wy, 21.0f, 0.6f, seed + 13);
            // Below that the dust is a mottle of specks and smudges,
            // thicker in some patches than others, with no network.
            const float smudge = core::noise::fbm(wx / 8.0f, wy / 8.0f, seed + 17, 2);
            const float speck = core::noise::fbm(x / 3.2f, y / 3.2f, seed + 18, 2);
            const float thick = 0.5f + 0.7f * (1.2f - coarse);
            const float mottle =
                1.0f - thick * (0.3f * smoothstep(-0.35f, 0.55f, smudge) + 0.14f * speck) +
                0.1f * thick;
            const float g = core::noise::fbm(x / 2.5f, y / 2.5f, seed + 8, 2);
            const float patches = core::noise::fbm(x / 90.0f, y / 90.0f, seed + 14, 2);
            return pits * std::max(0.3f, mottle) * (1.0f + 0.1f * g) * (0.85f + 0.45f * patches);
        });
    // The jets of the skirt, smooth and knotty, in a mild mottle.
    core::FloatCanvas jets(light.width(), light.height());
    addSkirtJets(jets, Cx, Cy, 0.72f, 0.55f, 0.07f, seed + 27);
    addTextured(light, jets, core::Box{300, 0, 1620, 1080}, [&](float x, float y) {
        return 0.8f + 0.4f * core::noise::fbm(x / 10.0f, y / 10.0f, seed + 28, 2);
    });
    // The blazing star: a compact white glare that burns out the waist,
    // and the only spikes in the picture.
    const core::Light glare{1.0f, 0.95f, 0.88f};
    light.addGaussian(Cx, Cy, 6.0f, glare * 4.0f);
    light.addGaussian(Cx, Cy, 15.0f, glare * 1.2f);
    light.addGaussian(Cx + 2.0f, Cy - 1.0f, 38.0f, glare * 0.2f);
    light.addGaussian(Cx, Cy, 120.0f, core::Light{1.0f, 0.8f, 0.6f} * 0.015f);
    addCentralStar(light, Cx + 0.4f, Cy + 0.2f, 900.0f, core::Light{1.0f, 0.97f, 0.92f}, 0.8f,
                   60.0f, 0.25f);
}

namespace {

// One lobe of reflecting dust: a bubble from the waist that swells and
// closes in a rounded end.
struct DustLobe
{
    float length; // along the axis
    float bulge;  // largest radius
    float waist;  // radius where it leaves the waist
    float bow;    // sideways bend of its far end, px
};

float dustLobeRadius(const DustLobe &l, float t)
{
    // Flanks curving in towards the waist, then opening out and only
    // slightly closing again: the end is left to break up, not rounded off.
    const float u = clamp01(t);
    const float flare = std::pow(std::min(u / 0.8f, 1.0f), 1.3f);
    const float close = 1.0f - 0.2f * smoothstep(0.7f, 1.1f, u);
    return (l.waist + (l.bulge - l.waist) * flare) * close;
}

} // namespace

void paintBoomerang(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 5500, 4.0f);

    constexpr float Cx = 958.0f, Cy = 544.0f;
    constexpr float Band = 28.0f; // half-thickness of the dusty disc on the waist
    const core::Light blueGrey{0.56f, 0.66f, 0.86f};
    const BipolarFrame frame(Cx, Cy, -0.2f, 0.28f);
    // The eastern lobe is longer and fuller; the inner pair is a brighter,
    // smaller bow-tie close to the star.
    const DustLobe east{470.0f, 175.0f, 14.0f, 26.0f}, west{415.0f, 150.0f, 12.0f, -34.0f};
    const DustLobe innerEast{210.0f, 44.0f, 10.0f, 6.0f}, innerWest{185.0f, 38.0f, 9.0f, -8.0f};
    const AroundTable dents(512, 256, 1.4f, [&](float phi, float t) {
        return 0.3f * noiseOnCircle(phi, 0.7f, t * 3.0f, seed + 3, 2) +
               0.2f * noiseOnCircle(phi, 2.2f, t * 7.0f, seed + 4, 2) +
               0.05f * noiseOnCircle(phi, 6.0f, t * 14.0f, seed + 5, 2) +
               0.035f * noiseOnCircle(phi, 16.0f, t * 36.0f, seed + 16, 2);
    });
    // Where round the lobe its end gives out: uneven fingers and gaps.
    const AroundTable tips(512, 256, 1.4f, [&](float phi, float t) {
        return 0.6f * noiseOnCircle(phi, 2.0f, t * 3.0f, seed + 17, 2) +
               0.6f * noiseOnCircle(phi, 7.0f, t * 8.0f, seed + 18, 3);
    });
    const AroundTable arcShift(256, 128, 1.4f, [&](float phi, float t) {
        return 4.0f * noiseOnCircle(phi, 0.9f, t * 2.0f, seed + 13, 2);
    });
    const AroundTable arcsBroken(512, 256, 1.4f, [&](float phi, float t) {
        return clamp01(0.4f + 1.3f * noiseOnCircle(phi, 2.5f, t * 7.0f, seed + 12, 2));
    });
    // A thin dusty disc on the waist: it hides the star and cuts a dark band.
    auto disc = [&](const BipolarFrame::Point &p) {
        const float bend = 9.0f * core::noise::fbm(p.across / 70.0f, p.depth / 70.0f, seed + 14, 2);
        // Thicker and thinner along its length, with a ragged end.
        const float lumps = core::noise::fbm(p.across / 25.0f, p.depth / 25.0f, seed + 15, 2);
        const float thick = Band * (1.0f + 0.35f * lumps);
        return std::exp(-square((p.along - bend) / thick)) *
               smoothstep(150.0f + 50.0f * lumps, 50.0f, p.rho);
    };
    // How much of a lobe is at a point: a filled bubble, densest in its wall.
    const RadiusTable eastRadius([&](float t) { return dustLobeRadius(east, t); });
    const RadiusTable westRadius([&](float t) { return dustLobeRadius(west, t); });
    const RadiusTable innerEastRadius([&](float t) { return dustLobeRadius(innerEast, t); });
    const RadiusTable innerWestRadius([&](float t) { return dustLobeRadius(innerWest, t); });
    auto lobe = [&](const DustLobe &l, const RadiusTable &radius, const BipolarFrame::Point &p,
                    float a, float st, float wall, float wallEnd, float rim, float x, float y,
                    float z, float &glow) {
        const float t = a / l.length;
        if (t > 1.4f)
            return 0.0f;
        const float bow = l.bow * t * t;
        const float rho = std::hypot(p.across - bow, p.depth);
        // Bulges and necks along the lobe, so its flanks are never straight.
        const float r = radius.at(t) * (1.0f + 0.05f * std::sin(t * 5.0f + l.bow * 0.1f) +
                                        0.04f * std::sin(t * 13.0f + l.length));
        if (rho > 1.3f * r + 20.0f)
            return 0.0f;
        const float phi = std::atan2(p.depth, p.across - bow);
        // Towards the end the outline tears deeper and the dust gives out
        // at a different length round the lobe, so the end frays.
        const float q =
            rho / (r + 6.0f) + dents.at(phi, st) * (1.0f + 1.5f * smoothstep(0.6f, 1.1f, t));
        // A lobe with a rim ends askew, reaching further on the side its end
        // bends towards, so neither its end nor its rim stands square.
        const float lean =
            rim > 0.0f ? 0.4f * (bow - p.across) * (l.bow < 0.0f ? 1.0f : -1.0f) : 0.0f;
        // The end is no plane cutting the lobe off: the dust gives out over
        // a quarter of its length, sooner towards the rim, at a reach that
        // wanders mostly across the picture, as wandering in depth would
        // average out along the line of sight and leave a straight edge.
        float end = 1.0f;
        if (t > 0.45f) {
            const float fade = 0.28f * l.length;
            const float drift =
                0.3f * l.length * core::noise::fbm(x / 170.0f, y / 170.0f, seed + 25, 2) +
                0.1f * l.length * core::noise::fbm(x / 50.0f, y / 50.0f, seed + 26, 2) +
                0.05f * l.length * core::noise::fbm(x / 40.0f, y / 40.0f, z / 40.0f, seed + 27, 1);
            const float reach = l.length * (1.0f + 0.1f * tips.at(phi, st)) + 0.7f * lean -
                                0.55f * l.bulge * std::min(q * q, 1.5f);
            end = smoothstep(reach + 0.5f * fade, reach - 0.5f * fade, a + drift);
        }
        // Mostly wall and little fill, so the lobe is a hollow bag whose
        // edges, seen through more dust, are brighter than its middle.
        // Towards the end the wall gives way to haze, as its folds seen
        // edge-on would otherwise join into a net.
        const float walls = wall * (1.0f - wallEnd * smoothstep(0.5f, 0.9f, t));
        const float density = end * (0.035f * smoothstep(1.15f, 0.6f, q) +
                                     0.08f * std::exp(-square((q - 1.0f) / 0.3f)) +
                                     walls * std::exp(-square((q - 0.92f) / 0.08f)));
        // Where the wall turns over at the far end it is seen edge-on
        // again: a dome whose limb shows as a faint curved rim, broken up.
        if (rim > 0.0f && q < 1.2f && t > 0.5f) {
            const float top = 0.5f * l.length + 0.05f * l.length * tips.at(phi, st);
            const float dome =
                top + 0.4f * l.length * std::sqrt(std::max(0.0f, 1.0f - q * q)) + lean;
            const float gaps = clamp01(
                0.3f + 1.4f * core::noise::fbm(x / 60.0f, y / 60.0f, z / 60.0f, seed + 28, 2));
            // Beyond it a little dust has gone further, so the lobe does
            // not stop at the rim.
            const float beyond = a > dome ? 0.08f * std::exp(-(a - dome) / 45.0f) : 0.0f;
            glow = rim * (gaps * std::exp(-square((a - dome) / 9.0f)) + beyond) *
                   smoothstep(1.15f, 0.7f, q);
        }
        return density;
    };
    // On the eastern lobe the shells wobbling round the axis would cross
    // their own far sides and join into a net, so there they are taken as
    // seen, the same through the whole depth: two or three faint arcs,
    // mostly broken away. Kept per pixel, as a ray asks at one x, y.
    float arcX = -1.0f, arcY = -1.0f, arcValue = 1.0f;
    auto eastArcs = [&](float x, float y) {
        if (x != arcX || y != arcY) {
            arcX = x;
            arcY = y;
            const BipolarFrame::Point f = frame.flat(x, y);
            const float d = std::hypot(f.along, 0.8f * f.across);
            const float ring =
                0.5f + 0.5f * std::cos(d / 18.0f + 3.0f * core::noise::fbm(x / 160.0f, y / 160.0f,
                                                                           seed + 31, 2));
            const float lengths =
                clamp01(0.1f + 1.6f * core::noise::fbm(x / 70.0f, y / 70.0f, seed + 32, 2));
            arcValue = 0.95f + 3.0f * cube(ring * ring) * lengths;
        }
        return arcValue;
    };
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.distances(x, y, z);
        const bool isEast = p.along < 0;
        const float a = std::fabs(p.along);
        const float st = isEast ? -a / 470.0f : a / 415.0f;
        const float tau = 0.05f * disc(p);
        const float r = std::sqrt(a * a + p.rho * p.rho);
        float glow = 0.0f, unused = 0.0f;
        const float shells =
            lobe(isEast ? east : west, isEast ? eastRadius : westRadius, p, a, st, 4.5f,
                 isEast ? 0.75f : 0.3f, isEast ? 0.0f : 8.0f, x, y, z, glow) +
            2.0f * lobe(isEast ? innerEast : innerWest, isEast ? innerEastRadius : innerWestRadius,
                        p, a, st * 2.3f, 0.0f, 0.0f, 0.0f, x, y, z, unused);
        // A faint envelope of older dust round the star.
        const float envelope =
            r < 360.0f ? (0.1f * std::exp(-r / 120.0f) + 0.25f * std::exp(-r / 90.0f) +
                          0.5f * std::exp(-r / 55.0f) * (0.3f + 0.7f * square(a / (r + 1.0f)))) *
                             smoothstep(360.0f, 240.0f, r)
                       : 0.0f;
        const float density = shells + envelope;
        if (density + glow <= 0.0f)
            return core::Medium{{}, tau};
        // Clumpy dust and faint arcs: shells thrown off unevenly, broken up.
        const float lumps = 0.45f + 0.9f * knots(x, y, z, 20.0f, seed + 6, 1.3f);
        const float phi = std::atan2(p.depth, p.across);
        // A few shells, about 110 px apart; their spacing drifts with
        // distance and around the axis, and each is broken into lengths.
        float arcs;
        if (isEast) {
            arcs = eastArcs(x, y);
        } else {
            const float ring =
                0.5f +
                0.5f * std::cos(r / 17.0f + 4.0f * core::noise::fbm(r / 200.0f, 0.5f, seed + 8, 2) +
                                arcShift.at(phi, st));
            arcs = 0.65f + 6.0f * cube(ring * ring) * arcsBroken.at(phi, st);
        }
        // The arcs and the rim show in scattered light more than they
        // shade what lies behind them; the envelope is too thin for arcs,
        // which would ring the star there.
        const float scattering =
            ((shells * arcs + envelope) * lumps + glow) * (isEast ? 1.0f : 0.85f);
        // Starlight scattered by the dust, brightest near the waist.
        const float lit = 1.5f / (1.0f + square(r / 48.0f)) * std::exp(-r / 300.0f) + 0.004f;
        return core::Medium{blueGrey * (0.011f * scattering * lit),
                            tau + 0.0016f * density * lumps};
    };
    const core::Box box{380, 160, 1540, 940};
    core::FloatCanvas gas(light.width(), light.height());
    core::renderVolume(gas, box, 3, -320.0f, 320.0f, 48, field, seed + 7);
    // Close to the waist the lobes are thinner than a step along the ray,
    // so the rays' jitter shows there as salt; the glow there is smoothed.
    const float Waist = 170.0f;
    auto nearWaist = [&](float x, float y) {
        const BipolarFrame::Point f = frame.flat(x, y);
        return smoothstep(1.0f, 0.45f, std::hypot(f.along / (1.6f * Waist), f.across / Waist));
    };
    {
        const core::FloatCanvas soft = gas.blurred(3.0f);
        for (int y = box.y0; y < box.y1; ++y) {
            for (int x = box.x0; x < box.x1; ++x) {
                const float w = nearWaist(float(x) + 0.5f, float(y) + 0.5f);
                if (w > 0.0f)
                    gas.set(x, y, gas.at(x, y) * (1.0f - w) + soft.at(x, y) * w);
            }
        }
    }
    addTextured(light, gas, box, [&](float x, float y) {
        // Soft clumps 10-60 px across, knots of a few px and grit,
        // warped, and with no grain pointing at the star. Billows only a
        // little, as their creases would crinkle the whole lobe evenly.
        const core::noise::Offset w = core::noise::warp(x / 50.0f, y / 50.0f, seed + 19, 2);
        const float clouds =
            0.35f *
                core::noise::billow(x / 45.0f + 0.7f * w.x, y / 45.0f + 0.7f * w.y, seed + 9, 2) +
            0.4f +
            0.6f * core::noise::fbm(x / 60.0f + 0.7f * w.x, y / 60.0f + 0.7f * w.y, seed + 29, 3);
        // Near the waist grit and grain give way to soft clumps.
        const float smooth = nearWaist(x, y);
        const float grain =
            (1.0f - smooth) * core::noise::fbm(x / 6.0f + w.x, y / 6.0f + w.y, seed + 10, 2) +
            smooth * core::noise::fbm(x / 16.0f + w.x, y / 16.0f + w.y, seed + 30, 2);
        const float grit = (1.0f - smooth) * core::noise::fbm(x / 2.5f, y / 2.5f, seed + 20, 1);
        // Out towards the ends the dust thins into uneven, lumpy haze
        // that fades out over a hundred px or so, its reach varying
        // round the end, with a few longer faint extensions.
        const BipolarFrame::Point f = frame.flat(x, y);
        const float along = std::fabs(f.along);
        const bool isEast = f.along < 0.0f;
        const float out = smoothstep(220.0f, 400.0f, along);
        const float reach = (isEast ? 430.0f : 375.0f) +
                            90.0f * core::noise::fbm(x / 130.0f, y / 130.0f, seed + 22, 2) +
                            30.0f * core::noise::fbm(x / 35.0f, y / 35.0f, seed + 23, 2);
        const float extension = cube01(
            0.2f + 1.3f * core::noise::fbm(f.across / 45.0f,
                                           along / 240.0f + (isEast ? 0.0f : 5.3f), seed + 24, 2));
        const float beyond = std::max(0.0f, along - reach - 80.0f * extension);
        const float fade = std::exp(-beyond / 70.0f) * smoothstep(reach + 300.0f, reach, along);
        const float haze =
            clamp01(0.55f + 1.1f * core::noise::fbm(x / 30.0f + 0.3f * w.x, y / 30.0f + 0.3f * w.y,
                                                    seed + 21, 2));
        return std::max(0.1f, 0.5f + 1.0f * clouds + 0.35f * grain + 0.12f * grit) *
               (1.0f - out + out * (0.35f + 0.9f * haze)) * fade;
    });
}

} // namespace painted
