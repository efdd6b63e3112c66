// SPDX-License-Identifier: MIT
// The picture on a scaled display, as the user sees it. ctest runs this once
// per scale factor (QT_SCALE_FACTOR 1, 1.5 and 2): at every factor the fit
// scale fills a 16:9 window and zoom 3.0 is three times the fit, in window
// units; at factor 1 the pixels are the bitmap's own.

#include "tests/widgets/viewerfixture.h"

#include "elements/picturelayer.h"
#include "viewer/Unit2.h"

#include <QTest>

#include <cmath>
#include <cstring>

namespace {

constexpr int Entry = 24;

// The mean of all channels over a rectangle of device pixels.
double meanLevel(const QImage &image, const QRect &r)
{
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            sum += qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]);
    }
    return sum / (3.0 * r.width() * r.height());
}

} // namespace

class HiDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void pictureSize_data();
    void pictureSize();
    void pixelsReachTheEdges();
};

void HiDpiTest::pictureSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stepsIn");
    QTest::addColumn<QRectF>("expected");

    const double s3 = 2.9999993; // twenty steps in from 1.0
    QTest::newRow("1920x1080 at the fit") << 1920 << 1080 << 0 << QRectF(0, 0, 1920, 1080);
    QTest::newRow("1920x1080 at 3.0")
        << 1920 << 1080 << 20 << QRectF(960 - 960 * s3, 540 - 540 * s3, 1920 * s3, 1080 * s3);
    QTest::newRow("1280x720 at the fit") << 1280 << 720 << 0 << QRectF(0, 0, 1280, 720);
    // From the fit 720 / 1080 the steps stop at 2.9666667, below 3.0.
    const double s23 = 2.9666667;
    QTest::newRow("1280x720 at the last step")
        << 1280 << 720 << 23 << QRectF(640 - 960 * s23, 360 - 540 * s23, 1920 * s23, 1080 * s23);
}

void HiDpiTest::pictureSize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stepsIn);
    QFETCH(QRectF, expected);

    ViewerFixture fixture({20}, width, height);
    TForm2 &form = fixture.form();
    const qreal d = form.devicePixelRatioF();
    QCOMPARE(d, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    // Presenting resets the zoom to the fit and centres it.
    fixture.present(Entry);
    fixture.finishFades();
    for (int i = 0; i < stepsIn; ++i)
        form.DoZoom(+1);

    const QRectF shown = form.Image1->pictureRect();
    // Drawing snaps the picture's corner to whole device pixels of the
    // layer, which the layer's scale magnifies.
    const qreal tolerance = (form.Image1->scale() + 1.0) / d + 0.01;
    QVERIFY2(std::abs(shown.left() - expected.left()) <= tolerance &&
                 std::abs(shown.top() - expected.top()) <= tolerance &&
                 std::abs(shown.right() - expected.right()) <= tolerance &&
                 std::abs(shown.bottom() - expected.bottom()) <= tolerance,
             qPrintable(QStringLiteral("shown (%1, %2, %3 x %4) at scale factor %5")
                            .arg(shown.x())
                            .arg(shown.y())
                            .arg(shown.width())
                            .arg(shown.height())
                            .arg(d)));
}

void HiDpiTest::pixelsReachTheEdges()
{
    ViewerFixture fixture({20}, 1920, 1080);
    TForm2 &form = fixture.form();
    fixture.present(Entry);
    fixture.finishFades();
    const qreal d = form.devicePixelRatioF();
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(std::lround(1920 * d), std::lround(1080 * d)));

    // The right third below the name: clear of the panel and the label.
    const QRect units(1280, 60, 640, 1020);
    const QImage &bitmap = form.Image1->bitmap();
    const double expected = meanLevel(bitmap, units);
    QVERIFY(expected > 4.0);
    const QRect device(QPoint(std::lround(units.left() * d), std::lround(units.top() * d)),
                       QPoint(std::lround((units.right() + 1) * d) - 1,
                              std::lround((units.bottom() + 1) * d) - 1));
    QVERIFY2(std::abs(meanLevel(shown, device) - expected) < 1.0,
             qPrintable(QStringLiteral("mean %1, bitmap %2 at scale factor %3")
                            .arg(meanLevel(shown, device))
                            .arg(expected)
                            .arg(d)));
    if (d == 1.0) {
        for (int y = units.top(); y <= units.bottom(); ++y) {
            QVERIFY(std::memcmp(shown.constScanLine(y) + units.left() * 4,
                                bitmap.constScanLine(y) + units.left() * 4,
                                size_t(units.width()) * 4) == 0);
        }
    }
}

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
