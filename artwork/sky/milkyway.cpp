// SPDX-License-Identifier: MIT
#include "artwork/sky/milkyway.h"

#include "artwork/core/light.h"
#include "artwork/core/noise.h"
#include "artwork/core/rng.h"
#include "artwork/core/shaping.h"
#include "artwork/sky/galacticframe.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/skyprojection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sky {

namespace {

using core::Light;
using core::shaping::smoothstep;
using core::shaping::square;
namespace noise = core::noise;

constexpr double Degree = std::numbers::pi / 180.0;

// One sky: the same seed in every field, so overlapping fields agree.
constexpr std::uint32_t Seed = 0x6a1ac7u;

// Grid spacing and reach beyond the frame, in pixels.
constexpr int Step = 2;
constexpr int Margin = 16;

// Linear light of the band's glow on the plane, for milkyWay = 1.
constexpr float BandLight = 0.02f;
// Pixels holding a speck, per unit of star density, and the most that may.
constexpr float SpeckRate = 0.5f;
constexpr float MaxSpecks = 0.7f;
// The specks' brightness: a power law from 1 to SpeckRange, of this index.
constexpr float SpeckIndex = 1.6f;
constexpr float SpeckRange = 12.0f;

// Optical depth per channel relative to green: dust reddens what it dims.
constexpr float RedDepth = 0.85f;
constexpr float BlueDepth = 1.15f;

struct Band
{
    float stars;
    float dust;
};

// The band at a direction. finestDeg is the smallest feature worth
// computing: about two pixels in the field at hand.
Band bandAt(const SkyVector &d, float finestDeg, const SkyField::Band &look)
{
    // Longitude in [0, 360): its seam lies towards the galactic centre, far
    // from every field that shows the band.
    const double l360 = std::atan2(d.dot(galactic::Y), d.dot(galactic::Centre)) / Degree;
    const float gl = float(l360 < 0.0 ? l360 + 360.0 : l360);
    const float gb = float(galactic::latitudeDeg(d));
    // The band wanders a little about the plane; its thin bright core sits on
    // a broader, fainter base, and the base fades out with no edge.
    const float b = (gb - 1.3f * noise::fbm(gl / 24.0f, 0.37f, Seed, 3)) / float(look.width);
    const float envelope =
        (0.78f * std::exp(-0.5f * square(b / 4.6f)) + 0.22f * std::exp(-0.5f * square(b / 8.5f))) *
        std::exp(-square(square(b / 15.0f)));
    if (envelope < 1e-4f)
        return {0.0f, 0.0f};

    // Clouds go down to about two pixels; dust stays softer, so its lanes
    // fray without breaking into cracks.
    const auto octaves = [finestDeg](float largestDeg, float finest = 1.0f) {
        return noise::octavesFor(largestDeg / finestDeg, finest);
    };
    const noise::Offset w = noise::warp(gl / 6.0f, gb / 6.0f, Seed + 1, 3);
    const float l = gl + 1.2f * w.x, bw = gb + 0.8f * w.y;

    // Star clouds at several scales, drawn out along the plane.
    const float broad = noise::fbm(l / 9.0f, bw / 5.0f, Seed + 2, 2);
    const float clouds = noise::fbm(l / 3.4f, bw / 1.5f, Seed + 3, octaves(1.5f), 0.62f);
    const float knots = noise::fbm(l / 0.5f, bw / 0.35f, Seed + 8, octaves(0.35f), 0.6f);
    const float stars =
        envelope * std::exp(float(look.contrast) * (1.1f * broad + 1.6f * clouds + 0.9f * knots));

    // Dust: long winding lanes where a noise field crosses zero, smooth
    // across so no lane has a crease, frayed by the field's finer octaves;
    // finer wisps beside them; and broad dark patches. It lies in a thinner
    // layer than the stars.
    const float laneField = noise::fbm(l / 7.0f, bw / 2.2f, Seed + 4, octaves(2.2f, 3.0f), 0.55f);
    const float wispField = noise::fbm(l / 2.2f, bw / 0.9f, Seed + 5, octaves(0.9f, 3.0f), 0.5f);
    const float mask = smoothstep(-0.25f, 0.3f, noise::fbm(l / 8.0f, gb / 5.0f, Seed + 6, 2));
    const float lanes = std::exp(-square(laneField / 0.15f)) * mask;
    const float wisps = std::exp(-square(wispField / 0.12f)) * (0.2f + 0.8f * mask);
    const float patches = smoothstep(
        0.05f, 0.5f, noise::fbm(l / 4.0f, bw / 2.0f, Seed + 7, octaves(2.0f, 3.0f), 0.5f));
    const float layer = std::exp(-0.5f * square(b / 4.0f));
    return {stars, float(look.dust) * layer * (1.4f * lanes + 0.35f * wisps + 0.35f * patches)};
}

inline float unit(std::uint64_t h, int shift)
{
    return float((h >> shift) & 0xffff) * (1.0f / 65536.0f);
}

} // namespace

MilkyWay::MilkyWay(const SkyField &field, const SkyProjection &projection) : m_field(field)
{
    m_columns = (projection.size().width() + 2 * Margin) / Step + 2;
    m_rows = (projection.size().height() + 2 * Margin) / Step + 2;
    m_grid.resize(std::size_t(m_columns) * m_rows);
    const float finestDeg = float(2.0 / projection.pixelsPerDegree());
    for (int j = 0; j < m_rows; ++j) {
        for (int i = 0; i < m_columns; ++i) {
            const QPointF p(double(i * Step - Margin), double(j * Step - Margin));
            const Band band = bandAt(projection.direction(p), finestDeg, field.band);
            m_grid[std::size_t(j) * m_columns + i] = {band.stars, band.dust};
        }
    }
}

MilkyWay::Sample MilkyWay::sampleAt(QPointF position) const
{
    const float u = std::clamp(float(position.x() + Margin) / Step, 0.0f, float(m_columns - 1));
    const float v = std::clamp(float(position.y() + Margin) / Step, 0.0f, float(m_rows - 1));
    const int i = std::min(int(u), m_columns - 2);
    const int j = std::min(int(v), m_rows - 2);
    const float fu = u - float(i), fv = v - float(j);
    const Sample *a = &m_grid[std::size_t(j) * m_columns + i];
    const Sample *c = a + m_columns;
    const auto blend = [&](float Sample::*m) {
        const float top = a[0].*m + (a[1].*m - a[0].*m) * fu;
        const float bottom = c[0].*m + (c[1].*m - c[0].*m) * fu;
        return top + (bottom - top) * fv;
    };
    return {blend(&Sample::stars), blend(&Sample::dust)};
}

MilkyWay::StarDepth MilkyWay::starDepth(QPointF position) const
{
    const Sample s = sampleAt(position);
    const double t = std::exp(-double(s.dust));
    StarDepth depth;
    depth.crowding = std::min(MaxCrowding, 1.0 + 14.0 * s.stars * t);
    if (m_field.milkyWay > 0.0)
        depth.transmittance = t;
    return depth;
}

void MilkyWay::paint(core::FloatCanvas &canvas) const
{
    if (m_field.milkyWay <= 0.0)
        return;
    const float light = BandLight * float(m_field.milkyWay);
    const float speckShare = float(m_field.band.specks);
    const float speckRate = SpeckRate * float(m_field.band.speckRate);
    const float maxSpecks = MaxSpecks * float(m_field.band.speckRate);
    const float fade = 1.0f - float(m_field.band.reddening);
    const float redDepth = RedDepth + (1.0f - RedDepth) * fade;
    const float blueDepth = BlueDepth + (1.0f - BlueDepth) * fade;
    // Faint parts of the band are browner, its star clouds yellow-white.
    const Light brown{1.0f, 0.75f, 0.52f};
    const Light cream{1.0f, 0.88f, 0.7f};
    const float meanSpeck = (SpeckIndex / (SpeckIndex - 1.0f)) *
                            (1.0f - std::pow(SpeckRange, 1.0f - SpeckIndex)) /
                            (1.0f - std::pow(SpeckRange, -SpeckIndex));
    const float sigma = std::max(0.6f, float(0.7 * m_field.starScale));
    const float spread = -0.5f / (sigma * sigma);
    const std::uint64_t seed = m_field.seed ^ 0x5bec5ULL;
    const Light white{1.0f, 1.0f, 1.0f};

    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Sample s = sampleAt(QPointF(x + 0.5, y + 0.5));
            if (s.stars <= 1e-5f)
                continue;
            const Light through{std::exp(-redDepth * s.dust), std::exp(-s.dust),
                                std::exp(-blueDepth * s.dust)};
            const float seen = s.stars * through.g;
            const Light tint = mix(brown, cream, smoothstep(0.1f, 1.2f, seen));
            canvas.add(x, y, tint * through * (light * (1.0f - speckShare) * s.stars));

            // A speck here? Its chance follows the stars seen through the dust.
            const std::uint64_t h = core::hashPixel(x, y, seed);
            const float chance = std::min(maxSpecks, speckRate * seen);
            if (unit(h, 0) >= chance)
                continue;
            // Every speck carries the mean light the pixel's chance asks for.
            const float k =
                std::pow(1.0f - unit(h, 16) * (1.0f - std::pow(SpeckRange, -SpeckIndex)),
                         -1.0f / SpeckIndex);
            const float flux = light * speckShare * (seen / chance) * (k / meanSpeck);
            const float bv = 0.1f + 1.5f * 0.5f * (unit(h, 32) + unit(h, 48));
            const Light colour = mix(Light::fromColourIndex(bv), white, 0.15f) * through *
                                 (1.0f / std::max(through.g, 1e-6f));
            const std::uint64_t jitter = core::hash64(h);
            const float fx = unit(jitter, 0) - 0.5f, fy = unit(jitter, 16) - 0.5f;
            float wx[5], wy[5], total = 0.0f;
            for (int d = 0; d < 5; ++d) {
                wx[d] = std::exp(square(float(d - 2) - fx) * spread);
                wy[d] = std::exp(square(float(d - 2) - fy) * spread);
            }
            for (int a = 0; a < 5; ++a) {
                for (int b = 0; b < 5; ++b)
                    total += wx[a] * wy[b];
            }
            const Light amount = colour * (flux / total);
            for (int b = 0; b < 5; ++b) {
                const int yy = y + b - 2;
                if (yy < 0 || yy >= canvas.height())
                    continue;
                for (int a = 0; a < 5; ++a) {
                    const int xx = x + a - 2;
                    if (xx >= 0 && xx < canvas.width())
                        canvas.add(xx, yy, amount * (wx[a] * wy[b]));
                }
            }
        }
    }
}

} // namespace sky
