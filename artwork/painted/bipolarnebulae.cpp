// SPDX-License-Identifier: MIT
// Bipolar nebulae: lobes blown out on both sides of a dusty waist.

#include "artwork/core/noise.h"
#include "artwork/core/palette.h"
#include "artwork/core/shaping.h"
#include "artwork/core/volume.h"
#include "artwork/painted/bipolarframe.h"
#include "artwork/painted/bipolarlayers.h"
#include "artwork/painted/centralstar.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <cmath>

namespace painted {

namespace {

using namespace core::shaping;

} // namespace

void paintRedSpider(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 7000, 5.0f);

    // Two open cones from a narrow waist, the north-eastern one longer and
    // brighter; the axis tips a little towards us.
    const BipolarFrame frame(968.0f, 548.0f, -0.86f, 0.22f);
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool north = p.along > 0;
        const float a = std::fabs(p.along);
        const float length = north ? 470.0f : 410.0f;
        const float t = a / length;
        if (t > 1.25f || p.rho > 300.0f)
            return core::Medium{};
        // The dense, hot core around the star.
        const float r = std::sqrt(square(x - 968.0f) + square(y - 548.0f) + z * z);
        core::Light e = core::Light{1.0f, 0.9f, 0.7f} * (0.006f * std::exp(-r / 9.0f));
        const float thick = 3.5f + 0.022f * a;
        // Far from any wall the noise below need not be evaluated.
        if (p.rho > 16.0f + 0.52f * a + 3.0f * thick)
            return core::Medium{e, 0.0f};
        // Walls wave like a flag: 30-60 px crests, 5-10 px high, their phase
        // drifting around the axis.
        const float side = north ? 0.0f : 17.0f;
        const float phase =
            2.2f * BipolarFrame::noiseAround(p, 0.9f, a / 160.0f + side, seed + 3, 3);
        const float wave = (2.5f + 4.0f * smoothstep(0.05f, 0.4f, t)) *
                           std::sin(a / 7.5f + phase + 0.8f * std::sin(a / 23.0f));
        const float lumpy =
            0.12f * BipolarFrame::noiseAround(p, 2.0f, a / 90.0f + side, seed + 4, 3) * a;
        const float radius = 9.0f + 0.44f * a * (1.0f - 0.22f * t) + wave + lumpy;
        const float wall = std::exp(-square((p.rho - radius) / thick));
        // Brightest at the waist, fading out at the open tips.
        const float fade = std::exp(-t * 1.9f) * smoothstep(1.2f, 0.45f, t) *
                           smoothstep(4.0f, 30.0f, a) * (north ? 1.0f : 0.78f);
        const float clumps = clamp01(
            0.7f + 0.7f * BipolarFrame::noiseAround(p, 3.0f, a / 40.0f + side, seed + 5, 3));
        const float inside = smoothstep(radius, radius * 0.6f, p.rho);
        const float warm = smoothstep(0.05f, 0.45f, t);
        const core::Light wallColour =
            mix(mix(core::palette::Gold, core::palette::NitrogenOrange, 0.4f),
                mix(core::palette::NitrogenOrange, core::palette::HydrogenRed, 0.55f), warm);
        e += wallColour * (0.0036f * wall * fade * clumps);
        e += core::Light{0.55f, 0.32f, 1.0f} * (0.00007f * inside * std::exp(-t * 1.2f));
        return core::Medium{e, 0.0f};
    };
    // Filaments 4-8 px across, combed along the walls.
    addVolume(light, core::Box{420, 40, 1520, 1080}, 2, -300.0f, 300.0f, 64, field, seed + 6,
              [&](float x, float y) {
                  const BipolarFrame::Point p = frame.flat(x, y);
                  const float g = core::noise::fbm(x / 5.0f, y / 5.0f, seed + 8, 2);
                  return 0.7f +
                         0.5f * filaments(p.along / 16.0f, p.across / 10.0f, 0.6f, seed + 7) +
                         0.15f * g;
              });
    addCentralStar(light, 968.4f, 548.3f, 45.0f, core::Light{1.0f, 0.95f, 0.82f});
}

void paintButterfly(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 8000, 5.0f);

    constexpr float Cx = 975.0f, Cy = 548.0f;
    const BipolarFrame frame(Cx, Cy, -0.2f, 0.2f);
    const core::Light rust{0.75f, 0.36f, 0.18f};
    // The dusty torus on the waist, warped so the lane is no straight bar.
    auto torus = [&](const BipolarFrame::Point &p) {
        if (std::fabs(p.along) > 90.0f || p.rho > 150.0f)
            return 0.0f;
        const float bend = 10.0f * core::noise::fbm(p.across / 90.0f, 0.5f, seed + 2, 3);
        return std::exp(-square((p.along - bend - 6.0f) / 22.0f)) *
               smoothstep(150.0f, 50.0f, p.rho);
    };
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool east = p.along < 0;
        const float a = std::fabs(p.along);
        const float length = east ? 520.0f : 440.0f;
        const float t = a / length;
        const float lane = torus(p);
        core::Medium m{rust * (0.0005f * lane), 0.03f * lane};
        if (t > 1.2f || p.rho > 420.0f)
            return m;
        const float side = east ? 0.0f : 41.0f;
        // Broad wings from a pinched waist, their outlines torn at several scales.
        const float outline =
            1.0f + 0.25f * BipolarFrame::noiseAround(p, 1.2f, t * 2.5f + side, seed + 3, 3) +
            0.12f * BipolarFrame::noiseAround(p, 4.0f, t * 9.0f + side, seed + 4, 2);
        const float radius = (40.0f + 0.62f * a * (1.0f - 0.4f * t)) * outline;
        const float inside = smoothstep(radius + 20.0f, radius - 25.0f, p.rho);
        if (inside <= 0.0f)
            return m;
        // Streaks flowing outward from the centre.
        const float streaks =
            clamp01(0.5f + 0.8f * BipolarFrame::noiseAround(
                                      p, 5.0f, std::log(a + 30.0f) * 2.0f + side, seed + 5, 3));
        const float wall = std::exp(-square((p.rho - radius) / (12.0f + 0.05f * a)));
        const float fade = std::exp(-t * 1.6f) * smoothstep(1.15f, 0.5f, t) * (east ? 1.0f : 0.85f);
        const core::Light hot =
            mix(core::palette::HotWhite, core::palette::SkyBlue, 0.2f + 0.5f * t);
        m.emission +=
            hot * (0.0016f * inside * streaks * fade) +
            mix(core::palette::NitrogenOrange, rust, 0.3f) * (0.0018f * wall * fade * streaks);
        return m;
    };
    for (int y = 250; y < 850; ++y) {
        for (int x = 700; x < 1250; ++x)
            light.dim(x, y, std::exp(-4.0f * torus(frame.flat(float(x) + 0.5f, float(y) + 0.5f))));
    }
    addVolume(light, core::Box{200, 60, 1760, 1040}, 3, -330.0f, 330.0f, 56, field, seed + 6,
              [&](float x, float y) {
                  const float g = core::noise::fbm(x / 3.5f, y / 3.5f, seed + 10, 2);
                  return 0.75f + 0.4f * filaments(x / 12.0f, y / 12.0f, 0.8f, seed + 9) + 0.12f * g;
              });
}

namespace {

// One hourglass shell: a surface of revolution from a narrow waist, swelling
// and rounding off towards an open end that leaves a ring.
struct Glass
{
    float length;  // along the axis, each side
    float bulge;   // largest radius
    float waist;   // radius at the centre
    float opening; // radius of the open end, as a share of bulge
    float wall;    // thickness
};

float glassRadius(const Glass &g, float t)
{
    // Swells quickly from the waist, then curves back in towards the opening.
    const float rise = std::pow(std::sin(Pi * 0.5f * std::min(t / 0.6f, 1.0f)), 0.75f);
    const float close = t > 0.6f ? std::sqrt(std::max(0.0f, 1.0f - square((t - 0.6f) / 0.4f) *
                                                                       (1.0f - square(g.opening))))
                                 : 1.0f;
    return g.waist + (g.bulge - g.waist) * rise * close;
}

} // namespace

void paintHourglass(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 6500, 5.0f);

    constexpr float Cx = 962.0f, Cy = 536.0f;
    // The axis leans a little off vertical and tips 25 degrees towards us.
    const BipolarFrame outerFrame(Cx, Cy, -Pi * 0.5f - 0.09f, 0.44f);
    const BipolarFrame innerFrame(Cx + 9.0f, Cy + 6.0f, -Pi * 0.5f - 0.05f, 0.5f);
    const Glass outer{410.0f, 150.0f, 12.0f, 0.68f, 5.0f};
    const Glass inner{300.0f, 104.0f, 9.0f, 0.5f, 4.0f};
    const core::Light pink = mix(core::palette::Rose, core::palette::HydrogenRed, 0.35f);
    const core::Light cyan{0.2f, 0.85f, 0.9f};

    auto shell = [&](const BipolarFrame &frame, const Glass &g, float x, float y, float z,
                     std::uint32_t s) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool north = p.along < 0;
        const float length = g.length * (north ? 1.06f : 1.0f);
        const float a = std::fabs(p.along);
        const float t = a / length;
        if (t > 1.1f || p.rho > g.bulge * 1.35f)
            return 0.0f;
        const float side = north ? 0.0f : 23.0f;
        const float wobble =
            g.bulge * (0.1f * BipolarFrame::noiseAround(p, 1.3f, t * 2.5f + side, s, 3) +
                       0.035f * BipolarFrame::noiseAround(p, 4.0f, t * 9.0f + side, s + 2, 2));
        const float radius = glassRadius(g, std::min(t, 1.0f)) + wobble;
        const float d = p.rho - radius;
        if (std::fabs(d) > 4.0f * g.wall + 10.0f)
            return 0.0f;
        const float wall =
            std::exp(-square(d / (g.wall + 0.02f * a))) * smoothstep(1.03f, 0.97f, t);
        // The open end's rim, which a tipped axis shows as an ellipse.
        const float rim = std::exp(-square((std::hypot(d, (t - 1.0f) * length)) / (2.2f * g.wall)));
        // Irregular ripples across the lobes, never regular bars.
        const float ripples =
            clamp01(0.6f + 0.8f * BipolarFrame::noiseAround(p, 2.0f, t * 9.0f + side, s + 1, 4));
        // One flank of each lobe is brighter.
        const float flank = 0.7f + 0.35f * std::cos(p.phi - (north ? 0.9f : 2.4f));
        return (wall + 1.6f * rim) * ripples * flank * (north ? 1.0f : 0.85f);
    };
    auto field = [&](float x, float y, float z) {
        const float o = shell(outerFrame, outer, x, y, z, seed + 3);
        const float i = shell(innerFrame, inner, x, y, z, seed + 5);
        core::Light e = pink * (0.0028f * o) + cyan * (0.0026f * i);
        // The eye: a bright, filled, slightly off-centre elliptical ring on the waist.
        const BipolarFrame::Point q = outerFrame.at(x - 6.0f, y + 3.0f, z);
        const float ring = std::exp(-square((std::hypot(q.rho - 30.0f, q.along)) / 6.0f));
        const float fill = std::exp(-square(q.along / 6.0f)) * smoothstep(34.0f, 8.0f, q.rho);
        e += mix(pink, core::palette::WarmWhite, 0.45f) * (0.02f * ring) +
             mix(cyan, core::palette::HotWhite, 0.5f) * (0.012f * fill);
        return core::Medium{e, 0.0f};
    };
    addVolume(light, core::Box{700, 60, 1230, 1020}, 2, -260.0f, 260.0f, 72, field, seed + 6,
              [&](float x, float y) {
                  const float g = core::noise::fbm(x / 4.0f, y / 4.0f, seed + 8, 2);
                  const float mottle = core::noise::fbm(x / 35.0f, y / 35.0f, seed + 10, 3);
                  return 0.8f + 0.28f * filaments(x / 14.0f, y / 9.0f, 0.7f, seed + 7) + 0.12f * g +
                         0.25f * mottle;
              });
    // The star sits off the eye's centre.
    addCentralStar(light, Cx + 1.5f, Cy + 2.0f, 30.0f, core::Light{0.9f, 0.95f, 1.0f});
}

void paintMinkowski29(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 6500, 5.0f);

    constexpr float Cx = 962.0f, Cy = 542.0f;
    // Narrow lobes like jets, nearly north-south, the northern one longer.
    const BipolarFrame frame(Cx, Cy, -Pi * 0.5f + 0.07f, 0.15f);
    auto field = [&](float x, float y, float z) {
        const float r = std::sqrt(square(x - Cx) + square(y - Cy) + z * z);
        core::Light e = core::Light{1.0f, 0.85f, 0.6f} * (0.008f * std::exp(-r / 6.0f));
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool north = p.along > 0;
        const float a = std::fabs(p.along);
        const float length = north ? 430.0f : 375.0f;
        const float t = a / length;
        if (t > 1.2f || p.rho > 90.0f)
            return core::Medium{e, 0.0f};
        const float side = north ? 0.0f : 19.0f;
        // The lobes bend a little and swell unevenly along their length.
        const float bend = 14.0f * core::noise::fbm(a / 260.0f, side, seed + 2, 2);
        const float dx = p.across - bend * t;
        const float rho = std::sqrt(dx * dx + p.depth * p.depth);
        const float swell =
            1.0f + 0.25f * core::noise::fbm(a / 70.0f + side, 0.5f, seed + 3, 3) +
            0.1f * BipolarFrame::noiseAround(p, 2.0f, a / 30.0f + side, seed + 4, 2);
        const float radius =
            (4.0f + 62.0f * std::pow(std::min(t, 1.0f), 0.6f) * (1.0f - 0.6f * t * t)) * swell;
        const float wall = std::exp(-square((rho - radius) / (4.0f + 0.012f * a)));
        const float fill = smoothstep(radius + 4.0f, radius * 0.4f, rho);
        const float fade = smoothstep(1.1f, 0.55f, t) * (north ? 1.0f : 0.8f);
        // Knots strung along the axis and clumps in the walls.
        const float knots =
            std::pow(clamp01(0.5f + 0.9f * BipolarFrame::noiseAround(p, 1.5f, a / 22.0f + side,
                                                                     seed + 5, 3)),
                     2.0f);
        const core::Light colour = mix(core::palette::NitrogenOrange, core::palette::SkyBlue,
                                       smoothstep(0.1f, 0.8f, t) * 0.85f);
        e += colour * (0.0045f * wall * fade * (0.5f + knots)) +
             mix(core::palette::NitrogenOrange, core::palette::SkyBlue, 0.6f) *
                 (0.0009f * fill * fade * knots);
        return core::Medium{e, 0.0f};
    };
    addVolume(light, core::Box{760, 20, 1170, 1060}, 2, -100.0f, 100.0f, 48, field, seed + 6,
              [&](float x, float y) {
                  const float g = core::noise::fbm(x / 3.5f, y / 3.5f, seed + 8, 2);
                  return 0.78f + 0.35f * filaments(x / 10.0f, y / 16.0f, 0.3f, seed + 7) +
                         0.12f * g;
              });
    addCentralStar(light, Cx + 0.3f, Cy - 0.4f, 50.0f, core::Light{1.0f, 0.94f, 0.85f});
}

void paintHomunculus(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 9000, 6.0f, 0.4f);

    constexpr float Cx = 955.0f, Cy = 530.0f;
    // The lobes point to the upper left and lower right; the south-eastern
    // one is tipped towards us.
    const BipolarFrame frame(Cx, Cy, 0.72f, 0.55f);
    const core::Light greyBrown{0.82f, 0.72f, 0.62f};
    const core::Light rust{0.9f, 0.5f, 0.32f};
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const float r = std::sqrt(p.along * p.along + p.rho * p.rho) + 1.0f;
        const bool near = p.along > 0;
        const float s = near ? 1.0f : -1.0f;
        const float size = near ? 1.0f : 0.92f;
        // Each lobe is a thick, dusty balloon whose wall billows in cells.
        const float a = (s * p.along - 215.0f * size) / (235.0f * size);
        const float b = p.rho / (160.0f * size);
        const float q = std::sqrt(a * a + b * b);
        core::Medium m;
        if (q < 1.35f && s * p.along > -10.0f) {
            const float cells = BipolarFrame::noiseAround(p, 4.0f, p.along / 45.0f, seed + 3, 3);
            const float billow = std::fabs(cells);
            const float wobble =
                0.12f * BipolarFrame::noiseAround(p, 1.5f, p.along / 120.0f, seed + 4, 2);
            const float shell = std::exp(-square((q + wobble - 1.0f) / 0.09f));
            const float density =
                shell * (0.25f + 2.2f * billow * billow) + 0.05f * smoothstep(1.0f, 0.6f, q);
            // Dust scatters the star's light forwards, towards us, most.
            const float forward = 1.0f + 0.8f * (-z / r);
            const float lit = 1.0f / (1.0f + square(r / 160.0f));
            const float rustiness = clamp01(0.5f + 1.2f * cells);
            m.emission = mix(greyBrown, rust, rustiness) * (0.005f * density * lit * forward);
            m.absorption = 0.012f * density;
        }
        // The thin equatorial skirt of radial streaks.
        if (std::fabs(p.along) < 30.0f && r < 330.0f) {
            const float streaks = clamp01(
                0.2f + 1.3f * BipolarFrame::noiseAround(p, 9.0f, std::log(r) * 1.5f, seed + 5, 3));
            const float skirt =
                std::exp(-square(p.along / 7.0f)) * smoothstep(330.0f, 60.0f, r) * streaks;
            m.emission += mix(greyBrown, core::palette::HotWhite, 0.4f) * (0.0022f * skirt);
        }
        return m;
    };
    addVolume(light, core::Box{540, 110, 1380, 950}, 2, -330.0f, 330.0f, 56, field, seed + 6,
              [&](float x, float y) {
                  const float f = core::noise::billow(x / 14.0f, y / 14.0f, seed + 7, 3);
                  const float g = core::noise::fbm(x / 3.5f, y / 3.5f, seed + 8, 2);
                  return 0.7f + 0.5f * f + 0.12f * g;
              });
    // The blazing star and its glare; it alone carries spikes.
    light.addGaussian(Cx, Cy, 22.0f, core::Light{0.5f, 0.42f, 0.32f});
    light.addGaussian(Cx, Cy, 70.0f, core::Light{0.06f, 0.05f, 0.04f});
    addCentralStar(light, Cx + 0.4f, Cy + 0.2f, 600.0f, core::Light{1.0f, 0.93f, 0.8f}, 0.7f, 50.0f,
                   0.25f);
}

void paintBoomerang(Scene &scene)
{
    core::FloatCanvas &light = scene.light();
    const std::uint32_t seed = scene.seed();
    fieldStars(light, seed + 11, 5500, 4.0f);

    constexpr float Cx = 958.0f, Cy = 544.0f;
    constexpr float Band = 27.0f; // half-width of the dust band across the waist
    const core::Light blueGrey{0.56f, 0.66f, 0.86f};
    const BipolarFrame frame(Cx, Cy, -0.2f, 0.28f);
    // A dusty disc on the waist: it hides the star and darkens a broad band.
    auto disc = [&](const BipolarFrame::Point &p) {
        return std::exp(-square(p.along / Band)) * smoothstep(260.0f, 120.0f, p.rho);
    };
    auto field = [&](float x, float y, float z) {
        const BipolarFrame::Point p = frame.at(x, y, z);
        const bool east = p.along < 0;
        const float a = std::fabs(p.along);
        const float length = east ? 470.0f : 420.0f;
        const float t = a / length;
        const float tau = 0.03f * disc(p);
        if (t > 1.2f || p.rho > 280.0f)
            return core::Medium{{}, tau};
        const float side = east ? 0.0f : 31.0f;
        // Lobes widen from the waist and curve back in towards their tips.
        const float outline =
            1.0f + 0.22f * BipolarFrame::noiseAround(p, 1.4f, t * 3.0f + side, seed + 3, 3) +
            0.05f * BipolarFrame::noiseAround(p, 5.0f, t * 11.0f + side, seed + 4, 2);
        const float radius =
            (48.0f + 0.62f * a * (1.0f - 0.4f * square(std::min(t, 1.0f)))) * outline;
        const float inside = smoothstep(radius + 22.0f, radius - 18.0f, p.rho);
        if (inside <= 0.0f)
            return core::Medium{{}, tau};
        const float wall = std::exp(-square((p.rho - radius * 0.9f) / (10.0f + 0.05f * a)));
        // Faint arcs: shells of denser dust, unevenly spaced.
        const float r = std::sqrt(a * a + p.rho * p.rho);
        const float ring =
            std::sin(r / 15.0f + 3.0f * core::noise::fbm(r / 120.0f, 0.5f, seed + 5, 2));
        const float arcs = 0.8f + 0.7f * smoothstep(0.55f, 1.0f, ring);
        const float lumps =
            clamp01(0.6f + 0.9f * BipolarFrame::noiseAround(p, 2.5f, t * 8.0f + side, seed + 6, 3));
        const float density = inside * (0.2f + 0.8f * wall) * arcs * lumps *
                              smoothstep(1.15f, 0.6f, t) * (east ? 1.0f : 0.8f);
        // Starlight scattered by the dust, brightest near the waist.
        const float lit = std::exp(-r / 90.0f) + 0.07f * std::exp(-r / 400.0f);
        return core::Medium{blueGrey * (0.0044f * density * lit), tau + 0.002f * density};
    };
    // Stars behind the disc are dimmed by it as well.
    for (int y = 200; y < 900; ++y) {
        for (int x = 560; x < 1360; ++x) {
            const BipolarFrame::Point p = frame.flat(float(x) + 0.5f, float(y) + 0.5f);
            light.dim(x, y, std::exp(-2.5f * disc(p)));
        }
    }
    addVolume(light, core::Box{380, 140, 1540, 960}, 2, -300.0f, 300.0f, 48, field, seed + 7,
              [&](float x, float y) {
                  const core::noise::Offset w =
                      core::noise::warp(x / 60.0f, y / 60.0f, seed + 8, 2);
                  const float f =
                      core::noise::fbm(x / 9.0f + 0.8f * w.x, y / 9.0f + 0.8f * w.y, seed + 9, 3);
                  const float g = core::noise::fbm(x / 3.5f, y / 3.5f, seed + 10, 2);
                  return 0.85f + 0.3f * f + 0.12f * g;
              });
}

} // namespace painted
