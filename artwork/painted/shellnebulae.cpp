// SPDX-License-Identifier: MIT
// Round and elliptical planetary nebulae: nested shells, rings and bubbles
// around a hot central star.

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

} // namespace

void paintCatsEye(Scene &scene)
{
    backgroundStars(scene, 1400, 1.6f);
    const uint32_t seed = scene.seed();

    constexpr float CoreScale = 1.35f;
    struct Ellipse
    {
        float a, b, angle, width;
        Rgb rim;
        float rimLight, fill;
    };
    // Overlapping shells at different tilts make the nested, knotted core.
    const Ellipse shells[] = {
        {0.18f, 0.095f, 0.18f, 0.1f, NitrogenOrange, 0.9f, 0.25f},
        {0.165f, 0.075f, -1.05f, 0.11f, NitrogenOrange, 0.75f, 0.2f},
        {0.1f, 0.07f, 0.5f, 0.13f, OxygenTeal, 0.9f, 0.35f},
        {0.065f, 0.042f, -0.3f, 0.15f, SkyBlue, 0.7f, 0.4f},
    };

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 9, v * 9, seed + 1, 3);
        const float x = u + 0.008f * w.x, y = v + 0.008f * w.y;
        const float r = std::sqrt(x * x + y * y);
        Rgb light;
        // The core's shells are laid out at a smaller scale than the halo.
        const float cx = x / CoreScale, cy = y / CoreScale;

        // Faint concentric rings of the outer halo, broken up by the noise.
        const float rr = r + 0.014f * noise::fbm(x * 5, y * 5, seed + 4, 3);
        const float ringPhase = (rr - 0.3f) / 0.032f;
        if (ringPhase > -0.5f) {
            const float frac = ringPhase - std::floor(ringPhase + 0.5f);
            const float broken = clamp01(0.45f + 1.2f * noise::fbm(x * 9, y * 9, seed + 2, 4));
            const float ring = bump(frac, 0.2f) * broken * std::exp(-(r - 0.3f) / 0.12f);
            light += mix(NitrogenOrange, Rose, 0.4f) * (0.11f * ring);
        }
        light += mix(HydrogenRed, Rose, 0.5f) * (0.06f * std::exp(-r / 0.2f));

        const float knots =
            0.35f + 1.1f * clamp01(0.5f + 1.3f * noise::fbm(x * 24, y * 24, seed + 3, 5));
        for (const Ellipse &e : shells) {
            const float d = ellipse(cx, cy, 0, 0, e.a, e.b, e.angle);
            light += e.rim * (e.rimLight * bump(d - 1, e.width) * knots);
            light += OxygenTeal * (e.fill * smoothstep(1.05f, 0.5f, d));
        }
        // Caps of knotty gas at both ends of the long axis.
        for (float side : {-1.0f, 1.0f}) {
            const float d = std::hypot(cx - side * 0.2f, cy - side * 0.06f) / 0.03f;
            light += NitrogenOrange * (0.6f * std::exp(-d * d) * knots);
        }
        light += mix(OxygenTeal, HotWhite, 0.5f) * (0.7f * std::exp(-r / 0.027f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0, 0, HotWhite, 4.0f, 1.4f);
}

void paintSouthernOwl(Scene &scene)
{
    StarFieldStyle style;
    style.count = 9000;
    style.brightest = 3.0f;
    style.range = 7.0f;
    scatterStars(scene.stars(), scene.rng(), style);
    const uint32_t seed = scene.seed();

    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 4, v * 4, seed + 1, 4);
        const float x = u + 0.018f * w.x, y = v + 0.018f * w.y;
        const float d = ellipse(x, y, 0.02f, 0.0f, 0.3f, 0.285f, 0.4f) +
                        0.015f * noise::fbm(x * 14, y * 14, seed + 3, 3);
        const float mottle = 0.75f + 0.4f * noise::fbm(x * 10, y * 10, seed + 2, 5);
        Rgb light = mix(OxygenTeal, SkyBlue, 0.3f) * (0.22f * shell(d, 0.6f, 1.0f) * mottle);
        light += mix(OxygenTeal, SkyBlue, 0.2f) * (0.12f * smoothstep(1.0f, 0.3f, d) * mottle);
        light += HydrogenRed * (0.22f * bump(d - 0.98f, 0.06f) * mottle);
        light += HydrogenRed * (0.04f * bump(d - 1.05f, 0.15f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0.02f, 0.0f, HotWhite, 0.9f, 0.8f);
}

namespace {

// The Helix's ring, shared by its optical and infrared portraits. Returns the
// ring's profile (0 outside, 1 at its heart) and a normalised radius.
struct HelixShape
{
    float ring;   // body of the thick ring
    float inner;  // the inner disc
    float outer;  // the fainter outer loop
    float radius; // elliptical radius, 1 at the ring's middle
};

HelixShape helixShape(float u, float v, uint32_t seed)
{
    const noise::Offset w = noise::warp(u * 6, v * 6, seed + 11, 3);
    const float x = u + 0.012f * w.x, y = v + 0.012f * w.y;
    const float d = ellipse(x, y, 0, 0, 0.31f, 0.34f, 0.5f);
    HelixShape s;
    s.radius = d;
    s.ring = smoothstep(0.62f, 0.85f, d) * smoothstep(1.28f, 1.02f, d);
    s.inner = smoothstep(0.9f, 0.2f, d);
    const float d2 = ellipse(x, y, -0.03f, -0.025f, 0.37f, 0.42f, 0.9f);
    s.outer = bump(d2 - 1.05f, 0.06f);
    return s;
}

void cometaryKnots(Scene &scene, const Rgb &head, const Rgb &tail, int count, float brightness)
{
    Rng &rng = scene.rng();
    for (int i = 0; i < count; ++i) {
        const float angle = rng.range(0, 2 * Pi);
        const float radius = 0.2f + 0.12f * std::pow(rng.uniform(), 0.7f);
        const float u = radius * std::cos(angle) * 0.95f, v = radius * std::sin(angle) * 1.05f;
        const float x = Scene::toX(u), y = Scene::toY(v);
        const float b = brightness * rng.range(0.4f, 1.0f);
        // A bright head facing the star and a faint tail streaming outwards.
        scene.front().streak(x, y, 1.6f, 1.1f, angle, head * b);
        const float len = rng.range(4.0f, 11.0f);
        scene.front().streak(x + std::cos(angle) * len, y + std::sin(angle) * len, len, 1.2f, angle,
                             tail * (b * 0.35f));
    }
}

} // namespace

void paintHelix(Scene &scene)
{
    backgroundStars(scene, 2200, 1.8f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const HelixShape s = helixShape(u, v, seed);
        const float clumps = 0.5f + 0.8f * clamp01(0.5f + noise::fbm(u * 14, v * 14, seed + 1, 5));
        const float fine = 0.7f + 0.5f * noise::fbm(u * 40, v * 40, seed + 2, 3);
        Rgb light = mix(OxygenTeal, SkyBlue, 0.35f) * (0.45f * s.inner * (0.8f + 0.3f * clumps));
        const float warmth = smoothstep(0.7f, 1.1f, s.radius);
        light += mix(Gold, HydrogenRed, warmth) * (0.75f * s.ring * clumps * fine);
        light += HydrogenRed * (0.18f * s.outer * clumps);
        light += HydrogenRed * (0.05f * smoothstep(1.6f, 1.0f, s.radius));
        return Gas{light, 0.25f * s.ring * clumps};
    });
    cometaryKnots(scene, Gold, NitrogenOrange, 700, 0.35f);
    brightStar(scene.front(), 0, 0, HotWhite, 2.5f, 1.1f);
}

void paintHelixInfrared(Scene &scene)
{
    StarFieldStyle style;
    style.count = 2000;
    style.brightest = 1.6f;
    style.blueShare = 0.6f;
    scatterStars(scene.stars(), scene.rng(), style);
    const uint32_t seed = scene.seed();
    constexpr Rgb DustRed{1.0f, 0.16f, 0.2f};
    constexpr Rgb YellowGreen{0.62f, 0.9f, 0.25f};
    scene.gas().fill([&](float u, float v) {
        const HelixShape s = helixShape(u, v, seed);
        const float clumps = clamp01(0.45f + 0.9f * noise::fbm(u * 16, v * 16, seed + 1, 5));
        const float grain = 0.7f + 0.5f * noise::fbm(u * 60, v * 60, seed + 2, 2);
        Rgb light = YellowGreen *
                    (0.5f * s.inner * (0.6f + 0.6f * clumps) * smoothstep(1.1f, 0.3f, s.radius));
        light += YellowGreen * (0.3f * std::exp(-s.radius * s.radius * 6));
        light += DustRed * (0.55f * s.ring * (0.35f + 0.65f * clumps) * grain);
        light += DustRed * (0.2f * s.outer * (0.4f + clumps));
        light += mix(DustRed, YellowGreen, 0.3f) * (0.06f * smoothstep(1.6f, 1.0f, s.radius));
        return Gas{light, 0};
    });
    cometaryKnots(scene, DustRed, DustRed, 2600, 0.3f);
    brightStar(scene.front(), 0, 0, HotWhite, 1.2f, 0.9f);
}

void paintNgc1501(Scene &scene)
{
    backgroundStars(scene, 3000, 2.0f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 7, v * 7, seed + 1, 3);
        const float x = u + 0.015f * w.x, y = v + 0.015f * w.y;
        const float d = ellipse(x, y, 0, 0, 0.3f, 0.27f, 0.3f);
        // Bubbly walls: bright where two cells meet, like the inside of a shell.
        const noise::Offset w2 = noise::warp(x * 20, y * 20, seed + 5, 2);
        const noise::Cells c1 = noise::worley(x * 18 + w2.x * 0.5f, y * 18 + w2.y * 0.5f, seed + 2);
        const noise::Cells c2 = noise::worley(x * 40 + w2.x, y * 40 + w2.y, seed + 3);
        // Soft, rounded cells: bright rims around darker bubble interiors.
        const float walls =
            0.5f * smoothstep(0.15f, 0.5f, c1.f1) * smoothstep(0.9f, 0.3f, c1.f2 - c1.f1 + 0.2f) +
            0.35f * smoothstep(0.1f, 0.5f, c2.f1);
        const float body = shell(d, 0.55f, 1.0f) * 0.6f + smoothstep(1.0f, 0.2f, d) * 0.25f;
        const float texture = 0.45f + walls + 0.2f * noise::fbm(x * 10, y * 10, seed + 4, 4);
        Rgb light = mix(OxygenTeal, SkyBlue, 0.3f) * (0.75f * body * texture);
        light += Rose * (0.12f * bump(d - 0.97f, 0.08f) * texture);
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0.004f, 0.002f, HotWhite, 3.0f, 1.1f, 0.25f);
}

void paintSpirograph(Scene &scene)
{
    backgroundStars(scene, 2500, 1.8f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 8, v * 8, seed + 1, 3);
        const float x = u + 0.008f * w.x, y = v + 0.008f * w.y;
        const Point p = toFrame(x, y, 0, 0, 0.35f);
        const float ex = p.x / 0.3f, ey = p.y / 0.245f;
        const float d = std::sqrt(ex * ex + ey * ey);
        const float theta = std::atan2(ey, ex);
        // Two families of crossing spirals make the fine, woven filaments.
        const float wobble = noise::fbm(x * 7, y * 7, seed + 2, 4);
        const float wobble2 = noise::fbm(x * 16, y * 16, seed + 5, 3);
        const float s1 = std::sin(37 * theta + 30 * d + wobble * 5 + wobble2 * 1.5f);
        const float s2 = std::sin(31 * theta - 26 * d - wobble * 6 + wobble2 * 2);
        const float s3 = std::sin(23 * theta + 52 * d * d + wobble2 * 4);
        auto line = [](float s) {
            const float t = 1 - std::fabs(s);
            return t * t * t * t * t * t;
        };
        const float patchy = clamp01(0.5f + noise::fbm(x * 11, y * 11, seed + 6, 3));
        const float weave = (line(s1) + line(s2) * patchy + 0.6f * line(s3) * (1 - patchy)) *
                            (0.6f + 0.6f * noise::fbm(x * 30, y * 30, seed + 7, 2));
        const float body = smoothstep(1.08f, 0.75f, d);
        const float redness = smoothstep(0.55f, 0.95f, d);
        Rgb base =
            mix(mix(WarmWhite, OxygenTeal, smoothstep(0.0f, 0.45f, d)), HydrogenRed, redness);
        const float glow = 0.5f + 0.35f * (1 - d) + 0.4f * bump(d - 0.95f, 0.1f);
        // The weave shows in the shell's body; the inner glow is smooth.
        const float woven = 0.55f * smoothstep(0.1f, 0.45f, d);
        Rgb light = base * (body * glow * (1.0f - woven * 0.5f + woven * weave));
        light += HydrogenRed * (0.08f * bump(d - 1.1f, 0.2f));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0, 0, WarmWhite, 4.0f, 1.3f, 0.2f);
}

void paintMedusa(Scene &scene)
{
    backgroundStars(scene, 3000, 2.0f);
    const uint32_t seed = scene.seed();
    scene.gas().fill([&](float u, float v) {
        const noise::Offset w = noise::warp(u * 5, v * 5, seed + 1, 4);
        const float x = u + 0.02f * w.x, y = v + 0.02f * w.y;
        const float cx = 0.05f, cy = 0.0f;
        const float r = std::hypot(x - cx, y - cy);
        // Angles count from the crescent's middle, so the seam of atan2 falls
        // in the gap on the east, where nothing is drawn.
        const Point q = toFrame(x, y, cx, cy, 2.7f);
        const float angle = std::atan2(q.y, q.x);
        // A crescent: thick and bright on the west, tapering to nothing on the east.
        const float side = 0.5f + 0.5f * std::cos(angle);
        const float thickness = 0.03f + 0.08f * side;
        const float arc = bump(r - 0.32f, thickness) * smoothstep(0.05f, 0.35f, side);
        // Filaments run along the arcs: stretch the noise around the circle.
        const float fil = noise::ridged(angle * 3.0f, r * 40.0f, seed + 2, 4);
        const float fil2 = noise::ridged(angle * 6.0f + 3.1f, r * 70.0f, seed + 3, 3);
        const float filaments = 0.25f + 1.2f * fil * fil + 0.6f * fil2 * fil2;
        const float inner = bump(r - 0.2f, 0.05f) * smoothstep(0.3f, 0.8f, side);
        Rgb light = Rose * (0.55f * arc * filaments);
        light += HydrogenRed * (0.3f * inner * filaments);
        light += OxygenTeal * (0.08f * smoothstep(0.34f, 0.1f, r));
        return Gas{light, 0};
    });
    brightStar(scene.front(), 0.08f, 0.02f, HotWhite, 0.8f, 0.8f);
}

} // namespace painted
