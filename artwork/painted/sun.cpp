// SPDX-License-Identifier: MIT
// The Sun in extreme-ultraviolet light: a mottled disc that brightens to a
// glowing limb, active regions whose loop arcades and fans of long strands
// arch over their footpoints, dark filaments, a polar coronal hole, and a
// flare by the western limb.

#include "artwork/core/floatcanvas.h"
#include "artwork/core/noise.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/core/starimage.h"
#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

struct Vec3
{
    float x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
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
float sphereDistance(Vec3 a, Vec3 b)
{
    return std::acos(std::clamp(dot(a, b), -1.0f, 1.0f));
}

// A point on the unit sphere; the observer looks down the z axis, y points
// to the picture's bottom, solar west is to the right.
Vec3 onSphere(float lat, float lon)
{
    return {std::cos(lat) * std::sin(lon), -std::sin(lat), std::cos(lat) * std::cos(lon)};
}

// A patch of the surface with its own axes, in degrees: along its tilted
// axis and across it.
struct Patch
{
    Vec3 centre, along, across;

    Patch(float lat, float lon, float tilt)
    {
        lat *= Deg;
        lon *= Deg;
        tilt *= Deg;
        centre = onSphere(lat, lon);
        const Vec3 east{std::cos(lon), 0, -std::sin(lon)};
        const Vec3 north{-std::sin(lat) * std::sin(lon), -std::cos(lat),
                         -std::sin(lat) * std::cos(lon)};
        along = east * std::cos(tilt) + north * std::sin(tilt);
        across = east * -std::sin(tilt) + north * std::cos(tilt);
    }
    Vec3 at(float a, float b) const
    {
        return normalised(centre + along * (a * Deg) + across * (b * Deg));
    }
    float alongOf(Vec3 p) const { return dot(p - centre, along) / Deg; }
    float acrossOf(Vec3 p) const { return dot(p - centre, across) / Deg; }
};

// One channel at full or reduced resolution, for the loops and their glow.
class Plane
{
public:
    Plane(int width, int height) : m_w(width), m_h(height), m_v(std::size_t(width) * height) {}

    float at(int x, int y) const { return m_v[std::size_t(y) * m_w + x]; }

    // Shares v between the four pixels around (x, y), so lines built from
    // many deposits have no stair-steps.
    void deposit(float x, float y, float v)
    {
        x -= 0.5f;
        y -= 0.5f;
        const int i = int(std::floor(x)), j = int(std::floor(y));
        const float fx = x - float(i), fy = y - float(j);
        put(i, j, v * (1 - fx) * (1 - fy));
        put(i + 1, j, v * fx * (1 - fy));
        put(i, j + 1, v * (1 - fx) * fy);
        put(i + 1, j + 1, v * fx * fy);
    }

    void add(const Plane &other, float k)
    {
        for (std::size_t i = 0; i < m_v.size(); ++i)
            m_v[i] += k * other.m_v[i];
    }

    Plane blurred(float sigma) const
    {
        const std::vector<float> kernel = core::gaussianKernel(sigma);
        const int radius = int(kernel.size() / 2);
        Plane rows(m_w, m_h), out(m_w, m_h);
        for (int y = 0; y < m_h; ++y) {
            for (int x = 0; x < m_w; ++x) {
                float acc = 0;
                for (int i = -radius; i <= radius; ++i)
                    acc += kernel[i + radius] * at(std::clamp(x + i, 0, m_w - 1), y);
                rows.m_v[std::size_t(y) * m_w + x] = acc;
            }
        }
        for (int y = 0; y < m_h; ++y) {
            for (int x = 0; x < m_w; ++x) {
                float acc = 0;
                for (int i = -radius; i <= radius; ++i)
                    acc += kernel[i + radius] * rows.at(x, std::clamp(y + i, 0, m_h - 1));
                out.m_v[std::size_t(y) * m_w + x] = acc;
            }
        }
        return out;
    }

    // The mean of each k x k block.
    Plane shrunk(int k) const
    {
        Plane out(m_w / k, m_h / k);
        for (int y = 0; y < out.m_h * k; ++y) {
            for (int x = 0; x < out.m_w * k; ++x)
                out.m_v[std::size_t(y / k) * out.m_w + x / k] += at(x, y) / float(k * k);
        }
        return out;
    }

    // Sets each pixel of a plane shrunk k times to f at its full-resolution centre.
    template <typename F> void fill(F &&f, int k)
    {
        for (int y = 0; y < m_h; ++y) {
            for (int x = 0; x < m_w; ++x)
                m_v[std::size_t(y) * m_w + x] =
                    f((float(x) + 0.5f) * float(k), (float(y) + 0.5f) * float(k));
        }
    }

    // Bilinear, at a full-resolution pixel centre of a plane shrunk k times.
    float sample(float px, float py, int k) const
    {
        const float x = std::clamp(px / float(k) - 0.5f, 0.0f, float(m_w - 1));
        const float y = std::clamp(py / float(k) - 0.5f, 0.0f, float(m_h - 1));
        const int i = std::min(int(x), m_w - 2), j = std::min(int(y), m_h - 2);
        const float fx = x - float(i), fy = y - float(j);
        return (at(i, j) * (1 - fx) + at(i + 1, j) * fx) * (1 - fy) +
               (at(i, j + 1) * (1 - fx) + at(i + 1, j + 1) * fx) * fy;
    }

private:
    void put(int x, int y, float v)
    {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h)
            m_v[std::size_t(y) * m_w + x] += v;
    }

    int m_w, m_h;
    std::vector<float> m_v;
};

struct ActiveRegion
{
    float lat, lon;   // degrees
    float size;       // half the distance between its two polarities, degrees
    float strength;   // plage and loop brightness
    float tilt;       // polarity axis, degrees north of west
    int loops;        // loops in its arcade
    float loopHeight; // apex height per footpoint distance
};

constexpr ActiveRegion Regions[] = {
    {18, -32, 5.5f, 0.9f, 12, 150, 0.42f},  {-14, 8, 6.5f, 1.0f, -10, 200, 0.45f},
    {24, 30, 4.5f, 0.7f, 8, 100, 0.4f},     {-22, -58, 5.0f, 0.8f, -18, 120, 0.4f},
    {-6, 44, 3.0f, 0.5f, -4, 60, 0.38f},    {30, -8, 3.0f, 0.45f, 6, 50, 0.38f},
    {-30, 28, 3.5f, 0.55f, -22, 70, 0.4f},  {14, 77, 4.5f, 0.8f, 65, 100, 0.65f},
    {-12, -97, 4.5f, 0.7f, -6, 130, 0.45f},
};
// This region flares; it sits just inside the western limb. The last one is
// just beyond the eastern limb, its loops rising into view.
constexpr int Flaring = 7;

// A coronal hole over the north pole: its centre and angular radius.
constexpr float HoleLat = 76, HoleLon = -12, HoleRadius = 0.47f;

struct Filament
{
    float lat0, lon0, lat1, lon1; // degrees
    float width;                  // degrees
};
constexpr Filament Filaments[] = {
    {-38, -34, -29, 6, 1.1f},
    {38, 36, 47, 60, 0.8f},
    {7, -50, 1, -36, 0.7f},
};

struct Loop
{
    Vec3 a, b;        // footpoints
    float sag;        // sideways bulge, share of the footpoint distance
    float height;     // apex above the surface, solar radii
    float lean;       // apex pushed sideways, share of the height
    float brightness; // light per pixel of length at the footpoints
    float fade;       // how it dims towards b: 0 not at all, 1 to nothing
    float scale;      // altitude over which the emission falls by e, solar radii
};

// Light along one loop, deposited in steps of half a pixel of its true length
// so a loop seen end-on, as its legs are at the limb, gathers more light.
void drawLoop(Plane &plane, const Loop &loop, std::uint32_t seed)
{
    const Vec3 side = normalised(cross(loop.a, loop.b));
    const float arc = sphereDistance(loop.a, loop.b);
    const float length = arc * Radius * (1 + 2 * std::fabs(loop.sag)) + 2.2f * loop.height * Radius;
    const int steps = std::max(6, int(length * 2));
    Vec3 prev{};
    float travelled = 0;
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const float arch = std::sin(Pi * t);
        const float altitude = loop.height * std::pow(arch, 0.8f);
        const Vec3 base = normalised(loop.a * (1 - t) + loop.b * t);
        const Vec3 p = normalised(base + side * (loop.sag * arc * arch + loop.lean * altitude)) *
                       (1 + altitude);
        const float ds = i == 0 ? 0.0f : std::sqrt(dot(p - prev, p - prev)) * Radius;
        prev = p;
        travelled += ds;
        if (p.z < 0 && p.x * p.x + p.y * p.y < 1)
            continue; // behind the disc
        // Strands brighten and dim along their length.
        const float fadeOut = 1 - loop.fade * t;
        const float strand = 0.55f + 0.9f * clamp01(0.5f + cn::value(travelled / 30, 0.5f, seed));
        const float light =
            loop.brightness * strand * std::exp(-altitude / loop.scale) * fadeOut * fadeOut;
        plane.deposit(Cx + p.x * Radius, Cy + p.y * Radius, light * ds);
    }
}

float lognormal(core::Rng &rng, float spread)
{
    return std::exp(float(rng.normal()) * spread);
}

// The region's arcade: loops from the compact leading polarity to the
// looser following one, bulging to either side in the pattern of a dipole,
// and fans of long strands streaming outward from its edges.
void addRegion(Plane &thin, Plane &wide, core::Rng &rng, const ActiveRegion &region,
               std::uint32_t seed)
{
    const Patch patch(region.lat, region.lon, region.tilt);
    const float s = region.size;
    const float shear = float(rng.range(-0.4, 0.4)) * s;
    // No region is symmetric: one flank holds more loops, and brighter ones.
    const float lopsided = float(rng.range(-0.35, 0.35));
    const float flank = float(rng.range(-1.0, 1.0));
    for (int i = 0; i < region.loops; ++i) {
        // As iron filings round a magnet: loops rooted off the axis bulge
        // further out on their side.
        const float off = std::clamp(float(rng.normal()) * 0.4f + lopsided, -1.1f, 1.1f);
        const float k = off * 0.45f + float(rng.normal()) * 0.04f;
        const Vec3 a = patch.at(s * (1 + float(rng.normal()) * 0.2f),
                                s * (off * 0.6f + float(rng.normal()) * 0.08f) + shear);
        const Vec3 b = patch.at(-s * (1 + float(rng.normal()) * 0.3f),
                                s * (off * 0.8f + float(rng.normal()) * 0.12f) - shear);
        const float chord = sphereDistance(a, b);
        Loop loop;
        loop.a = a;
        loop.b = b;
        loop.sag = k;
        loop.height = chord * region.loopHeight * float(rng.range(0.6, 1.1)) * (1 + 1.5f * k * k);
        loop.lean = float(rng.normal()) * 0.12f;
        // Most loops are faint threads; the short ones in the core stand out.
        loop.brightness = region.strength * 0.055f * lognormal(rng, 0.7f) *
                          (1 + 2.0f * std::exp(-k * k / 0.03f)) * std::max(0.2f, 1 + flank * off);
        loop.fade = float(rng.range(0.0, 0.4));
        loop.scale = 0.12f;
        drawLoop(rng.uniform() < 0.6 ? thin : wide, loop, seed + std::uint32_t(i));
    }
    const int bundles = 3 + rng.below(3);
    for (int j = 0; j < bundles; ++j) {
        const bool following = rng.uniform() < 0.7;
        const float root = following ? -s : s;
        const float dir =
            (following ? Pi : 0.0f) + float(rng.range(-1.2, 1.2)); // outward from the region
        const float reach = s * float(rng.range(2.5, 6.0));
        const float bend = float(rng.range(-0.25, 0.25));
        const float start = float(rng.normal()) * 0.5f * s;
        const int strands = 14 + rng.below(16);
        for (int i = 0; i < strands; ++i) {
            const float d = dir + float(rng.normal()) * 0.18f;
            const float a0 = root * float(rng.range(1.0, 1.4));
            const float b0 = start + float(rng.normal()) * 0.15f * s;
            const float r = reach * float(rng.range(0.6, 1.3));
            Loop loop;
            loop.a = patch.at(a0, b0);
            loop.b = patch.at(a0 + r * std::cos(d), b0 + r * std::sin(d));
            loop.sag = bend + float(rng.normal()) * 0.03f;
            loop.height = r * Deg * float(rng.range(0.35, 0.5));
            loop.lean = float(rng.normal()) * 0.1f;
            loop.brightness = region.strength * 0.06f * lognormal(rng, 0.9f);
            loop.fade = 1.0f;
            loop.scale = 0.1f;
            drawLoop(thin, loop, seed + 1000 + std::uint32_t(j * 64 + i));
        }
    }
}

// Long, faint loops joining neighbouring regions.
void addInterconnections(Plane &wide, core::Rng &rng, std::uint32_t seed)
{
    for (std::size_t i = 0; i < std::size(Regions); ++i) {
        for (std::size_t j = i + 1; j < std::size(Regions); ++j) {
            const Patch pi(Regions[i].lat, Regions[i].lon, 0),
                pj(Regions[j].lat, Regions[j].lon, 0);
            const float d = sphereDistance(pi.centre, pj.centre);
            if (d > 38 * Deg)
                continue;
            for (int k = 0; k < 5; ++k) {
                const float si = Regions[i].size, sj = Regions[j].size;
                Loop loop;
                loop.a = pi.at(float(rng.normal()) * si, float(rng.normal()) * si);
                loop.b = pj.at(float(rng.normal()) * sj, float(rng.normal()) * sj);
                loop.sag = float(rng.normal()) * 0.12f;
                loop.height = d * float(rng.range(0.2, 0.35));
                loop.lean = float(rng.normal()) * 0.1f;
                loop.brightness = 0.018f * lognormal(rng, 0.5f);
                loop.fade = 0.3f;
                loop.scale = 0.2f;
                drawLoop(wide, loop, seed + 5000 + std::uint32_t(i * 97 + j * 7 + k));
            }
        }
    }
}

// Tiny loops of the quiet network everywhere, which also fringe the limb.
void addQuietLoops(Plane &wide, core::Rng &rng, std::uint32_t seed)
{
    const Vec3 hole = onSphere(HoleLat * Deg, HoleLon * Deg);
    for (int i = 0; i < 4000; ++i) {
        const float lat = std::asin(float(rng.range(-0.99, 0.99))) / Deg;
        const float lon = float(rng.range(-100.0, 100.0));
        const Patch patch(lat, lon, float(rng.range(0.0, 360.0)));
        const float len = 0.5f * lognormal(rng, 0.5f);
        Loop loop;
        loop.a = patch.at(len, 0);
        loop.b = patch.at(-len, 0);
        loop.sag = float(rng.normal()) * 0.2f;
        loop.height = 2 * len * Deg * float(rng.range(0.35, 0.6));
        loop.lean = float(rng.normal()) * 0.2f;
        const float inHole =
            smoothstep(HoleRadius + 0.05f, HoleRadius - 0.1f, sphereDistance(patch.centre, hole));
        loop.brightness = 0.014f * lognormal(rng, 0.7f) * (1 - 0.8f * inHole);
        loop.fade = 0;
        loop.scale = 0.1f;
        drawLoop(wide, loop, seed + 9000 + std::uint32_t(i));
    }
}

// The flare: a sheared arcade of short, brilliant loops over the polarity
// line, and the two ribbons at their feet.
void addFlare(Plane &thin, Plane &wide, core::Rng &rng, std::uint32_t seed)
{
    const ActiveRegion &region = Regions[Flaring];
    const Patch patch(region.lat, region.lon, region.tilt);
    const float s = region.size;
    for (int i = 0; i < 70; ++i) {
        const float b = float(rng.range(-1.0, 1.0)) * s;
        Loop loop;
        loop.a = patch.at(0.5f * s + float(rng.normal()) * 0.05f * s, b + 0.15f * s);
        loop.b = patch.at(-0.5f * s + float(rng.normal()) * 0.05f * s, b - 0.15f * s);
        loop.sag = float(rng.normal()) * 0.05f;
        loop.height = sphereDistance(loop.a, loop.b) * float(rng.range(0.6, 0.95));
        loop.lean = float(rng.normal()) * 0.05f;
        loop.brightness = 0.12f * lognormal(rng, 0.6f) * (1.2f - std::fabs(b / s));
        loop.fade = 0;
        loop.scale = 0.2f;
        drawLoop(i % 2 ? thin : wide, loop, seed + 12000 + std::uint32_t(i));
    }
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i <= 400; ++i) {
            const float t = float(i) / 400 * 2 - 1;
            const float wiggle = 0.08f * s * cn::fbm(t * 3, float(side), seed + 13000, 3);
            const Vec3 p =
                patch.at(float(side) * 0.5f * s + wiggle, t * 1.05f * s + 0.15f * side * s);
            const float light =
                0.1f * (1 - t * t) * (0.5f + clamp01(0.5f + cn::value(t * 12, float(side), seed)));
            wide.deposit(Cx + p.x * Radius, Cy + p.y * Radius, light);
        }
    }
}

// The flare is bright enough for the telescope's filter mesh to diffract it
// into two diagonal arms of fading spots.
void addDiffraction(Plane &plane, float x, float y)
{
    constexpr float Spacing = 7, Length = 110;
    for (int arm = 0; arm < 4; ++arm) {
        const float angle = (0.25f + 0.5f * float(arm)) * Pi + 0.06f;
        const float c = std::cos(angle), s = std::sin(angle);
        for (float d = 12; d < Length; d += 0.5f) {
            const float spot = std::pow(0.5f + 0.5f * std::cos(2 * Pi * d / Spacing), 4.0f);
            const float light = 8.0f * spot * std::exp(-d / 30) * (1 - d / Length);
            plane.deposit(x + c * d, y + s * d, light * 0.5f);
        }
    }
}

// Local cellular noise on the sphere: the distance from a point to the wall
// between its two nearest cells.
float cellWall(float x, float y, float z, std::uint32_t seed)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y)), iz = int(std::floor(z));
    float d1 = 1e9f, d2 = 1e9f;
    for (int k = -1; k <= 1; ++k) {
        for (int j = -1; j <= 1; ++j) {
            for (int i = -1; i <= 1; ++i) {
                const std::uint32_t h = cn::hash(ix + i, iy + j, iz + k, seed);
                const float px = float(ix + i) + float(h & 0x3FF) / 1024.0f - x;
                const float py = float(iy + j) + float((h >> 10) & 0x3FF) / 1024.0f - y;
                const float pz = float(iz + k) + float(h >> 22) / 1024.0f - z;
                const float d = px * px + py * py + pz * pz;
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                } else if (d < d2) {
                    d2 = d;
                }
            }
        }
    }
    return std::sqrt(d2) - std::sqrt(d1);
}

// The disc's features, set out once.
struct Layout
{
    std::vector<Patch> patches;
    std::vector<float> reach; // cosine of the angle beyond which a region's plage is nil
    struct Spine
    {
        Vec3 a, n, towards; // start, pole of its great circle, direction of travel at a
        float arc;
    };
    std::vector<Spine> filaments;
    Vec3 hole = onSphere(HoleLat * Deg, HoleLon *Deg);
    Vec3 tongue = onSphere(42 * Deg, 12 * Deg);

    Layout()
    {
        for (const ActiveRegion &r : Regions) {
            patches.emplace_back(r.lat, r.lon, r.tilt);
            reach.push_back(std::cos(7.5f * r.size * Deg));
        }
        for (const Filament &f : Filaments) {
            const Vec3 a = onSphere(f.lat0 * Deg, f.lon0 * Deg);
            const Vec3 b = onSphere(f.lat1 * Deg, f.lon1 * Deg);
            const Vec3 n = normalised(cross(a, b));
            filaments.push_back({a, n, cross(n, a), sphereDistance(a, b)});
        }
    }
};

// 1 deep inside the coronal hole, 0 outside, with a ragged edge and a tongue
// reaching towards the equator. The hot corona above it has a softer edge
// (blur > 0), as it spreads sideways with height.
float holeDepth(Vec3 p, const Layout &layout, std::uint32_t seed, float blur = 0)
{
    float ragged = 0.3f * cn::fbm(p.x * 2.5f, p.y * 2.5f, p.z * 2.5f, seed + 8, 2);
    if (blur == 0)
        ragged += 0.1f * cn::fbm(p.x * 8, p.y * 8, p.z * 8, seed + 12, 2) +
                  0.03f * cn::fbm(p.x * 25, p.y * 25, p.z * 25, seed + 13, 2);
    const float main = smoothstep(HoleRadius + 0.06f + blur, HoleRadius - 0.08f - blur,
                                  sphereDistance(p, layout.hole) + ragged);
    const float side =
        smoothstep(0.2f + blur, 0.06f - blur, sphereDistance(p, layout.tongue) + ragged);
    return std::max(main, 0.8f * side);
}

// Light of the thin layer at the base of the corona, per unit area: the
// quiet network, the coronal hole, the bright plage and moss of the active
// regions, and the filaments lying dark across it.
float surface(Vec3 p, const Layout &layout, std::uint32_t seed)
{
    const float wx = cn::fbm(p.x * 3, p.y * 3, p.z * 3, seed + 1, 2);
    const float wy = cn::fbm(p.x * 3 + 7, p.y * 3, p.z * 3, seed + 2, 2);
    const Vec3 q{p.x + 0.06f * wx, p.y + 0.06f * wy, p.z};
    const float mottle = cn::fbm(q.x * 4, q.y * 4, q.z * 4, seed + 3, 3);
    // The network: cell walls bent at their own scale, soft, and broken.
    const float cx = cn::fbm(q.x * 30, q.y * 30, q.z * 30, seed + 9, 2);
    const float cy = cn::fbm(q.x * 30 + 3, q.y * 30, q.z * 30, seed + 10, 2);
    const float wall = cellWall(q.x * 19 + 0.5f * cx, q.y * 19 + 0.5f * cy, q.z * 19, seed + 4);
    const float broken = clamp01(0.3f + 1.2f * cn::fbm(p.x * 11, p.y * 11, p.z * 11, seed + 5, 2));
    const float network = std::exp(-wall / 0.3f) * broken;
    const float blobs = cn::fbm(q.x * 45, q.y * 45, q.z * 45, seed + 11, 2);
    const float fine = cn::fbm(p.x * 120, p.y * 120, p.z * 120, seed + 6, 2);
    float light = 0.045f * (1 + 0.5f * mottle) * (0.75f + 0.65f * network) * (1 + 0.3f * blobs) *
                  (1 + 0.22f * fine);

    float plage = 0, spread = 0;
    for (std::size_t i = 0; i < std::size(Regions); ++i) {
        const ActiveRegion &r = Regions[i];
        const Patch &patch = layout.patches[i];
        if (dot(p, patch.centre) < layout.reach[i])
            continue;
        const float s = r.size;
        float a = patch.alongOf(q) / s, b = patch.acrossOf(q) / s;
        a += 0.3f * cn::fbm(a * 1.3f, b * 1.3f, seed + 20 + std::uint32_t(i), 3);
        b += 0.3f * cn::fbm(a * 1.3f + 4, b * 1.3f, seed + 40 + std::uint32_t(i), 3);
        const float lead = std::exp(-((a - 1) * (a - 1) + b * b) / (2 * 0.45f * 0.45f));
        const float follow = std::exp(-((a + 1) * (a + 1) / 1.6f + b * b) / (2 * 0.55f * 0.55f));
        const float core = std::exp(-(a * a + b * b) / (2 * 0.9f * 0.9f));
        // Older, decaying plage spreads wide around the region in patches.
        const float r2 = a * a + b * b;
        const float halo = std::exp(-r2 / (2 * 2.6f * 2.6f)) * smoothstep(49, 25, r2);
        const float clumps =
            clamp01(0.45f + 0.9f * cn::fbm(a * 2.5f, b * 2.5f, seed + 60 + std::uint32_t(i), 3));
        const float patches =
            clamp01(0.3f + 1.2f * cn::fbm(a * 1.2f, b * 1.2f, seed + 70 + std::uint32_t(i), 2));
        plage += r.strength * (0.22f * (lead + follow) * clumps + 0.06f * core);
        spread += r.strength * 0.08f * halo * patches;
    }
    if (plage + spread > 0) {
        // Moss: a spongy speckle a few pixels across, at the loops' feet.
        const float moss = clamp01(0.45f + cn::fbm(p.x * 100, p.y * 100, p.z * 100, seed + 7, 2));
        light += plage * (0.2f + 1.6f * moss * moss) + spread * (0.7f + 0.6f * moss);
    }

    light *= 1 - 0.65f * holeDepth(p, layout, seed);

    for (std::size_t i = 0; i < std::size(Filaments); ++i) {
        const Layout::Spine &f = layout.filaments[i];
        const float off = dot(q, f.n);
        if (std::fabs(off) > 0.1f)
            continue;
        const float t = std::atan2(dot(q, f.towards), dot(q, f.a)) / f.arc;
        if (t < -0.1f || t > 1.1f)
            continue;
        const float wobble = 0.03f * std::sin(Pi * t) +
                             0.012f * cn::fbm(t * 5, float(i), seed + 80, 3) +
                             0.004f * cn::fbm(t * 25, float(i), seed + 82, 2);
        const float d = (std::asin(off) + wobble) / Deg / Filaments[i].width;
        const float ends = smoothstep(-0.1f, 0.12f, t) * smoothstep(1.1f, 0.88f, t) *
                           smoothstep(0.1f, 0.07f, std::fabs(off));
        const float thread = clamp01(0.6f + 0.6f * cn::fbm(t * 30, d * 0.7f, seed + 81, 3));
        light *= 1 - ends * (0.45f * thread * std::exp(-d * d) + 0.15f * std::exp(-d * d / 9));
    }
    return light;
}

// How much hot corona lies over a point, relative to the quiet Sun: more over
// the active regions, little over the coronal hole.
float coronaDensity(Vec3 p, const Layout &layout, std::uint32_t seed)
{
    float d = 1;
    for (std::size_t i = 0; i < std::size(Regions); ++i) {
        const float size = Regions[i].size * Deg;
        const float a2 = 2 * (1 - dot(p, layout.patches[i].centre)) / (size * size);
        d += Regions[i].strength * 0.9f * std::exp(-a2 / (2 * 3.0f * 3.0f));
    }
    return d * (1 - 0.8f * holeDepth(p, layout, seed, 0.12f));
}

// Optically thin light seen along each line of sight, as a function of
// distance from the disc centre in solar radii, for emission falling off
// with height over `scale`: over the disc only the half in front of it,
// beside it the whole chord, so the limb glows. Normalised to 1 at the disc
// centre, and softened by `softness`: the real corona is patchy, and its limb
// glows less than a smooth shell's would.
class LimbProfile
{
public:
    static constexpr float Reach = 2.6f;
    static constexpr int Samples = 1300;

    LimbProfile(float scale, float halo, float softness) : m_table(Samples + 1)
    {
        auto emissivity = [&](float h) {
            return std::exp(-h / scale) + (halo > 0 ? halo * std::exp(-h / 0.16f) : 0.0f);
        };
        auto column = [&](float r) {
            const float z0 = r < 1 ? std::sqrt(1 - r * r) : 0.0f;
            const float zMax = std::sqrt(std::max(0.0f, Reach * Reach - r * r));
            // Samples crowd towards z0, where the light is.
            const int n = 300;
            float sum = 0;
            for (int i = 0; i < n; ++i) {
                const float u = (float(i) + 0.5f) / float(n);
                const float z = z0 + (zMax - z0) * u * u;
                sum += emissivity(std::sqrt(r * r + z * z) - 1) * 2 * u;
            }
            sum *= (zMax - z0) / float(n);
            return r < 1 ? sum : 2 * sum;
        };
        const float centre = column(0);
        std::vector<float> raw(Samples + 1);
        for (int i = 0; i <= Samples; ++i)
            raw[i] = column(Reach * float(i) / Samples) / centre;
        // The step at the limb, where the far half comes into view, is
        // softened over a pixel or two, as the telescope would blur it.
        for (int i = 0; i <= Samples; ++i) {
            float sum = 0, weight = 0;
            for (int j = -6; j <= 6; ++j) {
                const float w = std::exp(-0.5f * float(j * j) / 4.0f);
                sum += w * raw[std::clamp(i + j, 0, Samples)];
                weight += w;
            }
            m_table[i] = std::pow(sum / weight, softness);
        }
    }

    float at(float r) const
    {
        const float x = std::min(r / Reach, 1.0f) * Samples;
        const int i = std::min(int(x), Samples - 1);
        return m_table[i] + (m_table[i + 1] - m_table[i]) * (x - float(i));
    }

private:
    std::vector<float> m_table;
};

// This passband's false colour: faint light is a deep brown-orange, strong
// light turns gold, then white as the develop step rolls the channels off.
Light colourOf(float intensity)
{
    const float t = smoothstep(0.02f, 0.5f, intensity);
    return Light{1.0f, 0.56f + 0.1f * t, 0.14f + 0.12f * t} * intensity;
}

} // namespace

void paintSun(Scene &scene)
{
    const std::uint32_t seed = scene.seed();
    constexpr int W = core::FloatCanvas::DefaultWidth, H = core::FloatCanvas::DefaultHeight;

    const Layout layout;

    Plane thin(W, H), wide(W, H);
    core::Rng rng(core::hash64(seed));
    for (std::size_t i = 0; i < std::size(Regions); ++i)
        addRegion(thin, wide, rng, Regions[i], seed + 100 * std::uint32_t(i));
    addInterconnections(wide, rng, seed);
    addQuietLoops(wide, rng, seed);
    addFlare(thin, wide, rng, seed);
    const Patch flare(Regions[Flaring].lat, Regions[Flaring].lon, 0);
    const float fx = Cx + flare.centre.x * Radius, fy = Cy + flare.centre.y * Radius;
    addDiffraction(thin, fx + 2, fy - 1);

    Plane loops = thin.blurred(0.6f);
    loops.add(wide.blurred(1.4f), 1.0f);
    // Unresolved loops and the telescope's scattered light: glows at three
    // scales, computed small.
    const Plane small = loops.shrunk(4);
    const Plane glowNear = small.blurred(1.5f);
    const Plane glowFar = small.blurred(6.0f);
    const Plane glowWide = loops.shrunk(8).blurred(8.0f);

    // The hot corona, and the thin, bright layer at its base.
    const LimbProfile profile(0.03f, 0.06f, 0.65f);
    const LimbProfile layer(0.012f, 0.0f, 0.36f);
    // The corona's density is smooth: held at a quarter of the resolution.
    // Beside the disc it is taken at the limb below, where most of the light
    // along the line of sight comes from.
    Plane density(W / 4, H / 4);
    density.fill(
        [&](float px, float py) {
            const float x = (px - Cx) / Radius, y = (py - Cy) / Radius;
            const float r = std::sqrt(x * x + y * y);
            const Vec3 p = r < 1 ? Vec3{x, y, std::sqrt(1 - r * r)} : Vec3{x / r, y / r, 0};
            return coronaDensity(p, layout, seed);
        },
        4);
    scene.light().addEach([&](float px, float py) {
        const float x = (px - Cx) / Radius, y = (py - Cy) / Radius;
        const float r2 = x * x + y * y;
        const float r = std::sqrt(r2);
        float intensity = 0;
        if (r < LimbProfile::Reach) {
            const float column = profile.at(r);
            if (r < 1.15f) {
                // Beyond the limb the base layer is seen edge-on above the
                // limb point below. It stands taller in some places than in
                // others, and its threads lean and bend with height.
                if (r < 1) {
                    intensity += surface({x, y, std::sqrt(1 - r2)}, layout, seed) * layer.at(r);
                } else {
                    const float ux = x / r, uy = y / r, h = r - 1;
                    const float tall = 1.0f + 0.45f * cn::fbm(ux * 4, uy * 4, seed + 33, 2) +
                                       0.25f * cn::fbm(ux * 14, uy * 14, seed + 34, 2);
                    const float bend = h * (1.5f * cn::fbm(ux * 6, uy * 6, seed + 35, 2) +
                                            2.0f * cn::fbm(ux * 40, uy * 40, seed + 36, 2));
                    const float c = std::cos(bend), sn = std::sin(bend);
                    const Vec3 p{ux * c - uy * sn, ux * sn + uy * c, 0};
                    intensity += surface(p, layout, seed) * layer.at(1 + h / std::max(tall, 0.4f));
                }
            }
            if (r < 1) {
                intensity += 0.02f * column * density.sample(px, py, 4);
            } else {
                // Beside the disc the light comes from near the plane of the
                // limb; streamers and rays depend on direction, bending a
                // little with height.
                const float ux = x / r, uy = y / r, h = r - 1;
                const float streamers =
                    0.65f + 0.7f * clamp01(0.5f + cn::fbm(ux * 2.5f, uy * 2.5f, seed + 30, 3));
                const float rayStrength =
                    0.05f + 0.3f * clamp01(cn::fbm(ux * 5, uy * 5, seed + 32, 2) + 0.2f);
                const float rays =
                    1 + rayStrength * cn::fbm(ux * 34 + h * 3, uy * 34 - h * 2, seed + 31, 3);
                intensity += 0.02f * column * density.sample(px, py, 4) * streamers * rays;
            }
        }
        const int ix = int(px), iy = int(py);
        intensity += loops.at(ix, iy) + 0.5f * glowNear.sample(px, py, 4) +
                     0.35f * glowFar.sample(px, py, 4) + 0.25f * glowWide.sample(px, py, 8);
        const float d2 = (px - fx) * (px - fx) + (py - fy) * (py - fy);
        if (d2 < 300 * 300)
            intensity += 0.6f * std::exp(-d2 / (2 * 6.0f * 6.0f)) +
                         0.15f * std::exp(-d2 / (2 * 70.0f * 70.0f));
        return colourOf(intensity);
    });

    core::StarImage burst;
    burst.x = fx + 2;
    burst.y = fy - 1;
    burst.brightness = 12.0f;
    burst.seeing = 6.0f;
    burst.colour = Light{1.0f, 0.8f, 0.5f};
    scene.light().addStar(burst);

    scene.develop().softening = 0.03f;
}

} // namespace painted
