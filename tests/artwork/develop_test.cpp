// SPDX-License-Identifier: MIT
// The photographic develop step and the point-spread function, on small
// synthetic canvases: the faults a photograph must not show.
#include "artwork/core/develop.h"
#include "artwork/core/floatcanvas.h"
#include "artwork/core/starimage.h"
#include "artwork/core/volume.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double columnMean(const QImage &image, int x, int channel)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb c = image.pixel(x, y);
        sum += channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
    }
    return sum / image.height();
}

// A faint, smooth ramp crosses many 8-bit steps. Averaged down each column the
// grain cancels; what is left must climb smoothly, with no step of a whole level
// between neighbouring columns (a band edge) and no flat run (a band).
TEST(Develop, SmoothGradientShowsNoBands)
{
    core::FloatCanvas canvas(600, 1000);
    canvas.addEach([](float x, float) { return core::Light::grey(0.0005f + 0.00004f * x); });
    core::DevelopStyle style;
    const QImage image = core::develop(canvas, style);
    double previous = columnMean(image, 0, 1);
    double flatRun = 0;
    double longestFlat = 0;
    for (int x = 1; x < image.width(); ++x) {
        const double m = columnMean(image, x, 1);
        EXPECT_LT(std::abs(m - previous), 0.5) << "a band edge at column " << x;
        flatRun = std::abs(m - previous) < 1e-9 ? flatRun + 1 : 0;
        longestFlat = std::max(longestFlat, flatRun);
        previous = m;
    }
    EXPECT_LT(longestFlat, 3);
    const double rise = columnMean(image, image.width() - 1, 1) - columnMean(image, 0, 1);
    EXPECT_GT(rise, 20.0);
}

// Black sky develops to a low pedestal with grain, partly in colour: never a
// digitally flat zero.
TEST(Develop, BlackSkyCarriesGrain)
{
    const core::FloatCanvas canvas(400, 300);
    core::DevelopStyle style;
    const QImage image = core::develop(canvas, style);
    double sum = 0, sum2 = 0;
    int zeros = 0, tinted = 0;
    const int n = image.width() * image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            sum += qGreen(c);
            sum2 += double(qGreen(c)) * qGreen(c);
            zeros += qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
            tinted += qRed(c) != qGreen(c) || qGreen(c) != qBlue(c);
        }
    }
    const double mean = sum / n;
    const double sd = std::sqrt(sum2 / n - mean * mean);
    EXPECT_GE(mean, 2.0);
    EXPECT_LE(mean, 7.0);
    EXPECT_GE(sd, 1.0);
    EXPECT_LE(sd, 3.5);
    EXPECT_LT(zeros, n / 50);
    EXPECT_GT(tinted, n / 2);
}

TEST(Develop, SameSeedSameBytesOtherSeedOtherGrain)
{
    core::FloatCanvas canvas(64, 48);
    canvas.addGaussian(30, 20, 8, core::Light{0.3f, 0.2f, 0.1f});
    core::DevelopStyle style;
    style.seed = 7;
    const QImage a = core::develop(canvas, style);
    EXPECT_EQ(a, core::develop(canvas, style));
    style.seed = 8;
    EXPECT_NE(a, core::develop(canvas, style));
}

// A bright star burns out to white at its centre, as on film, while its halo
// keeps the star's colour; the brightest pixel holds the star's position.
TEST(StarImage, BrightCoreSaturatesHaloKeepsColour)
{
    core::FloatCanvas canvas(200, 200);
    core::StarImage star;
    star.x = 100.3f;
    star.y = 99.6f;
    star.brightness = 60.0f;
    star.colour = core::Light::fromColourIndex(1.85f);
    canvas.addStar(star);
    const QImage image = core::develop(canvas, core::DevelopStyle{});
    const QRgb centre = image.pixel(100, 99);
    EXPECT_EQ(qRed(centre), 255);
    EXPECT_GE(qGreen(centre), 245);
    const QRgb rim = image.pixel(100 + int(star.discRadius(0.15f)), 99);
    EXPECT_GT(qRed(rim) - qBlue(rim), 40) << "the halo of an orange star has lost its colour";

    float best = -1;
    QPoint at;
    for (int y = 90; y < 110; ++y) {
        for (int x = 90; x < 110; ++x) {
            if (canvas.at(x, y).g > best) {
                best = canvas.at(x, y).g;
                at = QPoint(x, y);
            }
        }
    }
    EXPECT_EQ(at, QPoint(100, 99));
}

// A faint star still rises visibly above the sky, and a very faint one fades
// into the grain instead of vanishing at a cut-off.
TEST(StarImage, FaintStarsShow)
{
    core::FloatCanvas canvas(64, 64);
    core::StarImage star;
    star.x = 32.5f;
    star.y = 32.5f;
    star.brightness = 0.006f;
    canvas.addStar(star);
    const QImage image = core::develop(canvas, core::DevelopStyle{});
    const int rise = qGreen(image.pixel(32, 32)) - qGreen(image.pixel(5, 5));
    EXPECT_GE(rise, 8);
    EXPECT_LE(rise, 40);
}

// A glowing spherical shell seen through: the line of sight along its limb
// crosses more gas than the one through its middle. Dust in front dims what
// the canvas held behind it.
TEST(Volume, ShellBrightensAtItsLimbAndDustOccludes)
{
    const float radius = 40.0f;
    const auto shell = [&](float x, float y, float z) {
        const float r = std::sqrt((x - 50) * (x - 50) + (y - 50) * (y - 50) + z * z) / radius;
        const bool in = r > 0.85f && r < 1.0f;
        return core::Medium{core::Light::grey(in ? 0.01f : 0.0f), 0.0f};
    };
    const core::Ray middle = core::integrate(shell, 50, 50, -60, 60, 240);
    const core::Ray limb = core::integrate(shell, 50 + 0.93f * radius, 50, -60, 60, 240);
    EXPECT_GT(limb.light.g, 1.8f * middle.light.g);

    core::FloatCanvas canvas(100, 100);
    canvas.addEach([](float, float) { return core::Light::grey(1.0f); });
    const auto dust = [](float x, float, float z) {
        return core::Medium{core::Light{}, x < 50 && z < 0 ? 0.05f : 0.0f};
    };
    core::renderVolume(canvas, core::Box{0, 0, 100, 100}, 2, -20, 20, 20, dust, 1);
    EXPECT_LT(canvas.at(10, 50).g, 0.5f);
    EXPECT_FLOAT_EQ(canvas.at(90, 50).g, 1.0f);
}

} // namespace
