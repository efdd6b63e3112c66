// SPDX-License-Identifier: MIT
#include "artwork/sky/milkyway.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/skyfields.h"
#include "artwork/sky/skyprojection.h"
#include "catalogue/cataloguetables.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace {

// The projection has the sky as seen: north up, east to the left. A mirrored
// field would still pass the register test, since picture and overlay share
// the projection, so the orientation is checked on its own.
struct Orientation
{
    const char *name;
    double raHours;
    double decDeg;
    double widthDeg;
};

void PrintTo(const Orientation &o, std::ostream *os)
{
    *os << o.name;
}

class ProjectionOrientation : public testing::TestWithParam<Orientation>
{};

TEST_P(ProjectionOrientation, CentreIsMiddleNorthIsUpEastIsLeft)
{
    const Orientation o = GetParam();
    const sky::SkyProjection projection(o.raHours, o.decDeg, o.widthDeg, QSize(1920, 1080));
    const auto centre = projection.project(o.raHours, o.decDeg);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(centre->x(), 960.0, 1e-6);
    EXPECT_NEAR(centre->y(), 540.0, 1e-6);

    const auto north = projection.project(o.raHours, o.decDeg + 1.0);
    ASSERT_TRUE(north);
    EXPECT_NEAR(north->x(), 960.0, 1e-6);
    EXPECT_NEAR(540.0 - north->y(), projection.pixelsPerDegree(),
                0.01 * projection.pixelsPerDegree());

    const auto east = projection.project(o.raHours + 0.02, o.decDeg);
    ASSERT_TRUE(east);
    EXPECT_LT(east->x(), 960.0);

    // The field's width spans the picture's width.
    const auto leftEdge = projection.direction(QPointF(0.0, 540.0));
    const auto rightEdge = projection.direction(QPointF(1920.0, 540.0));
    EXPECT_NEAR(leftEdge.degreesTo(rightEdge), o.widthDeg, 1e-6);

    const QPointF somewhere(317.25, 845.5);
    const auto back = projection.project(projection.direction(somewhere));
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->x(), somewhere.x(), 1e-6);
    EXPECT_NEAR(back->y(), somewhere.y(), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Fields, ProjectionOrientation,
                         testing::Values(Orientation{"Equator", 5.6, 2.5, 52.0},
                                         Orientation{"South", 12.8, -18.2, 31.0},
                                         Orientation{"NearPole", 12.6, 70.5, 79.0},
                                         Orientation{"Narrow", 3.785, 24.2, 2.5}),
                         [](const auto &info) { return std::string(info.param.name); });

// Each star field with the names its overlay puts beside stars.
struct Field
{
    int entry;
    QStringList stars;
};

void PrintTo(const Field &f, std::ostream *os)
{
    *os << "entry " << f.entry;
}

class StarRegister : public testing::TestWithParam<Field>
{};

double luma(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// The centre of the brightest part of the star within `radius` of a
// position: the pixels joined to the brightest one that are within a few
// levels of it. JPEG coding and grain make a flat top ragged, and a bright
// star's core is burnt out to a saturated disc.
QPointF brightestNear(const QImage &image, QPointF at, int radius)
{
    constexpr double Tolerance = 3.0;
    constexpr int Reach = 40;
    const int cx = int(std::floor(at.x()));
    const int cy = int(std::floor(at.y()));
    double best = -1.0;
    QPoint top;
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (const double v = luma(image.pixel(x, y)); v > best) {
                best = v;
                top = QPoint(x, y);
            }
        }
    }
    const double floor = std::min(best, 250.0) - Tolerance;
    const auto key = [](QPoint p) { return quint64(quint32(p.y())) << 32 | quint32(p.x()); };
    std::vector<QPoint> todo{top};
    QSet<quint64> seen{key(top)};
    double sx = 0.0;
    double sy = 0.0;
    int count = 0;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        sx += p.x() + 0.5;
        sy += p.y() + 0.5;
        ++count;
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (!image.rect().contains(q) || std::abs(q.x() - cx) > Reach ||
                std::abs(q.y() - cy) > Reach || seen.contains(key(q)))
                continue;
            if (luma(image.pixel(q)) >= floor) {
                seen.insert(key(q));
                todo.push_back(q);
            }
        }
    }
    return QPointF(sx / count, sy / count);
}

TEST_P(StarRegister, EveryLabelledStarIsABrightnessPeakOfThePicture)
{
    const Field field = GetParam();
    const sky::StarCatalogue &catalogue = sky::loadCatalogue(QStringLiteral(NOCTIVUE_ARTWORK_DATA));
    const std::vector<sky::LabelledStar> stars = sky::labelledStars(field.entry, catalogue);

    QStringList names;
    for (const sky::LabelledStar &s : stars)
        names << s.name;
    EXPECT_EQ(names, field.stars);

    const QString path = QDir(QStringLiteral(NOCTIVUE_ARTWORK_OUT))
                             .filePath(QLatin1String(catalogue::Entries[field.entry].pictureAsset) +
                                       QStringLiteral(".jpg"));
    const QImage picture(path);
    ASSERT_FALSE(picture.isNull()) << "cannot read " << qPrintable(path);
    ASSERT_EQ(picture.size(), QSize(1920, 1080));

    constexpr int window = 3;
    for (const sky::LabelledStar &s : stars) {
        const QPointF p = s.position;
        ASSERT_TRUE(p.x() >= 40 && p.x() <= 1880 && p.y() >= 40 && p.y() <= 1040)
            << qPrintable(s.name) << " lies at the edge of the picture";
        const QPointF peak = brightestNear(picture, p, window);
        const double off = std::hypot(peak.x() - p.x(), peak.y() - p.y());
        EXPECT_LE(off, 1.0) << qPrintable(s.name) << " projects to (" << p.x() << ", " << p.y()
                            << ") but the picture peaks at (" << peak.x() << ", " << peak.y()
                            << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, StarRegister,
    testing::Values(
        Field{1,
              {"Alcyone", "Atlas", "Electra", "Maia", "Merope", "Taygeta", "Pleione", "Celaeno",
               "Asterope"}},
        Field{2, {"Alkaid", "Mizar", "Alcor", "Alioth", "Megrez", "Phecda", "Merak", "Dubhe"}},
        Field{3, {"Polaris", "Kochab"}}, Field{4, {"Caph", "Schedar", "Cih", "Ruchbah", "Segin"}},
        Field{5, {"Algorab", "Gienah", "Minkar", "Kraz", "Alchiba", "Spica"}},
        Field{6,
              {"Meissa", "Bellatrix", "Betelgeuse", "Mintaka", "Alnilam", "Alnitak", "Rigel",
               "Saiph"}},
        Field{7, {"Elnath", "Aldebaran"}}, Field{8, {"Aldebaran"}}),
    [](const auto &info) { return "Entry" + std::to_string(info.param.entry); });

// Overlay faults that would come back unseen: a label laid over a figure
// line (the line was once cut away behind the label's box), and a line
// shortened at a star by more than a quarter of its length.
class OverlayLayout : public testing::TestWithParam<int>
{
protected:
    static void SetUpTestSuite()
    {
        if (!QGuiApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "noctivue_sky_tests";
            static char *argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }
};

bool crosses(const QLineF &line, const QRectF &box)
{
    if (box.contains(line.p1()) || box.contains(line.p2()))
        return true;
    const QLineF edges[4] = {{box.topLeft(), box.topRight()},
                             {box.topRight(), box.bottomRight()},
                             {box.bottomRight(), box.bottomLeft()},
                             {box.bottomLeft(), box.topLeft()}};
    for (const QLineF &e : edges) {
        if (line.intersects(e, nullptr) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

TEST_P(OverlayLayout, LabelsStayOffLinesAndLinesKeepThreeQuartersOfTheirLength)
{
    const sky::StarCatalogue &catalogue = sky::loadCatalogue(QStringLiteral(NOCTIVUE_ARTWORK_DATA));
    const sky::OverlayLayout layout = sky::overlayLayout(GetParam(), catalogue);
    ASSERT_FALSE(layout.labels.empty());
    for (const sky::OverlayLayout::Line &l : layout.lines) {
        const double full = QLineF(l.starA, l.starB).length();
        EXPECT_LE(QLineF(l.starA, l.from).length(), 0.25 * full + 1e-9);
        EXPECT_LE(QLineF(l.starB, l.to).length(), 0.25 * full + 1e-9);
        for (const sky::OverlayLayout::Label &label : layout.labels) {
            EXPECT_FALSE(crosses(QLineF(l.from, l.to), label.box))
                << "\"" << qPrintable(label.text) << "\" lies on the line from (" << l.from.x()
                << ", " << l.from.y() << ") to (" << l.to.x() << ", " << l.to.y() << ")";
        }
    }
    for (size_t i = 0; i < layout.labels.size(); ++i) {
        for (size_t j = i + 1; j < layout.labels.size(); ++j)
            EXPECT_FALSE(layout.labels[i].box.intersects(layout.labels[j].box))
                << qPrintable(layout.labels[i].text) << " overlaps "
                << qPrintable(layout.labels[j].text);
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, OverlayLayout, testing::Range(1, 9),
                         [](const auto &info) { return "Entry" + std::to_string(info.param); });

// The Milky Way is laid out in galactic longitude, which wraps around; a
// seam or a clipped edge would show as a sudden step in the star density
// the band gives the background stars. Far from the plane the band must
// have faded out, leaving dark sky.
class MilkyWayBand : public testing::TestWithParam<int>
{};

TEST_P(MilkyWayBand, HasNoStepAndFadesOutFarFromThePlane)
{
    const sky::SkyField *field = sky::SkyField::forEntry(GetParam());
    ASSERT_TRUE(field);
    const sky::SkyProjection projection = field->projection();
    const sky::MilkyWay band(*field, projection);
    double most = 1.0;
    for (int y = 0; y < sky::SkyField::Height; y += 6) {
        sky::MilkyWay::StarDepth left = band.starDepth(QPointF(0.5, y + 0.5));
        for (int x = 1; x < sky::SkyField::Width; ++x) {
            const sky::MilkyWay::StarDepth right = band.starDepth(QPointF(x + 0.5, y + 0.5));
            ASSERT_LT(std::abs(right.crowding - left.crowding), 4.0)
                << "at (" << x << ", " << y << ")";
            ASSERT_LT(std::abs(right.transmittance - left.transmittance), 0.2)
                << "at (" << x << ", " << y << ")";
            most = std::max(most, right.crowding);
            left = right;
        }
    }
    // Each of these fields shows the band somewhere.
    EXPECT_GT(most, 4.0);
}

INSTANTIATE_TEST_SUITE_P(Entries, MilkyWayBand, testing::Values(4, 6, 7),
                         [](const auto &info) { return "Entry" + std::to_string(info.param); });

TEST(MilkyWayBand, IsGoneFarFromThePlane)
{
    // The Hyades lie 22 degrees from the plane, Ursa Major 60.
    for (int entry : {8, 2}) {
        const sky::SkyField *field = sky::SkyField::forEntry(entry);
        ASSERT_TRUE(field);
        const sky::SkyProjection projection = field->projection();
        const sky::MilkyWay band(*field, projection);
        EXPECT_LT(band.starDepth(QPointF(960.0, 540.0)).crowding, 1.05) << "entry " << entry;
    }
}

} // namespace
