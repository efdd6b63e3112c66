// SPDX-License-Identifier: MIT
// The picture layer paints what Qt's own blend over black gives, repaints
// only for a change a user can see, and a fade at most once per fade frame.

#include "tests/widgets/viewerfixture.h"

#include "elements/floatanimation.h"
#include "elements/picturelayer.h"
#include "logic/fadeframes.h"
#include "viewer/Unit2.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Every level in every channel, so any change of the blend shows.
QImage rendered(float opacity)
{
    QWidget window;
    window.resize(256, 4);
    PictureLayer layer(&window);
    layer.layoutPass(256, 4);
    layer.reserveBitmap(QSize(256, 4), QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 4; ++y)
            layer.bitmap().setPixel(x, y, qRgb(x, 255 - x, (x * 7) & 255));
    }
    layer.bitmapChanged();
    layer.setOpacity(opacity);
    QImage out(256, 4, QImage::Format_RGB32);
    out.fill(Qt::black);
    layer.render(&out);
    return out;
}

// Every level in every channel, in a bitmap drawn at an odd place in a
// larger layer.
constexpr QSize BlendBitmap(256, 5);
constexpr QSize BlendLayer(300, 11);

QImage blendBitmap()
{
    QImage bitmap(BlendBitmap, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, qRgb(x, 255 - x, (x * 7 + y * 53) & 255));
    }
    return bitmap;
}

// The layer's region rendered into a target already holding `under`, which
// shows wherever the layer leaves a pixel alone, moved by `shift`.
QImage layerOutput(float opacity, QPoint position, const QRegion &region, QPoint shift, QRgb under,
                   QImage::Format format)
{
    QWidget window;
    window.resize(BlendLayer);
    PictureLayer layer(&window);
    layer.layoutPass(BlendLayer.width(), BlendLayer.height());
    layer.bitmap() = blendBitmap();
    layer.bitmapChanged();
    layer.setPosition(float(position.x()), float(position.y()));
    layer.setOpacity(opacity);
    QImage out(BlendLayer, format);
    out.fill(under);
    // render() puts the region's bounding box at the offset it is given.
    layer.render(&out, region.boundingRect().topLeft() + shift, region, {});
    return out;
}

// The same bitmap drawn by Qt's raster engine over black.
QImage referenceOutput(float opacity, QPoint at, const QRegion &region, QPoint shift, QRgb under,
                       QImage::Format format)
{
    QImage out(BlendLayer, format);
    out.fill(under);
    QPainter p(&out);
    p.translate(shift);
    p.setClipRegion(region);
    p.fillRect(QRect(at, BlendBitmap), Qt::black);
    p.setOpacity(opacity);
    p.drawImage(at, blendBitmap());
    return out;
}

class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(PictureLayer *layer) : m_layer(layer)
    {
        layer->installEventFilter(this);
    }
    std::vector<float> opacities;
    std::vector<qint64> times;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            opacities.push_back(m_layer->opacity());
            times.push_back(m_clock.elapsed());
        }
        return false;
    }

private:
    PictureLayer *m_layer;
    QElapsedTimer m_clock{[] {
        QElapsedTimer t;
        t.start();
        return t;
    }()};
};

} // namespace

class PictureLayerTest : public QObject
{
    Q_OBJECT

private slots:
    void blendMatchesRasterEngine_data();
    void blendMatchesRasterEngine();
    void windowIsBlackBeneathAFade_data();
    void windowIsBlackBeneathAFade();
    void sameAlphaSamePixels_data();
    void sameAlphaSamePixels();
    void fadePaintsOncePerFadeFrame();
};

void PictureLayerTest::blendMatchesRasterEngine_data()
{
    QTest::addColumn<float>("opacity");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QRegion>("region");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QImage::Format>("format");
    const QImage::Format rgb = QImage::Format_RGB32;
    // What X11 backing stores hold, even without alpha.
    const QImage::Format premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QRegion whole(QRect(QPoint(), BlendLayer));
    // Odd widths and starts leave the vector loop a remainder.
    QRegion pieces(QRect(23, 1, 7, 3));
    pieces += QRect(101, 4, 133, 6);
    pieces += QRect(290, 0, 10, 11);
    // A shifted target crops the bitmap at the target's edges.
    QTest::newRow("first tick") << 0.02f << QPoint(0, 0) << whole << QPoint(0, 0) << rgb;
    QTest::newRow("half, odd place") << 0.5f << QPoint(3, 1) << whole << QPoint(0, 0) << rgb;
    QTest::newRow("overlay's end, clipped")
        << 0.85f << QPoint(-5, 2) << pieces << QPoint(0, 0) << rgb;
    QTest::newRow("just below 1, shifted")
        << 0.999f << QPoint(7, -1) << whole << QPoint(-9, 3) << rgb;
    QTest::newRow("opaque, clipped, shifted")
        << 1.0f << QPoint(1, 0) << pieces << QPoint(5, -2) << rgb;
    QTest::newRow("premultiplied target, first tick")
        << 0.02f << QPoint(0, 0) << whole << QPoint(0, 0) << premultiplied;
    QTest::newRow("premultiplied target, clipped, shifted")
        << 0.6f << QPoint(-3, 1) << pieces << QPoint(2, 1) << premultiplied;
}

// Every pixel, inside the region and out, equals what the window's black
// plus Qt's blend of the bitmap give.
void PictureLayerTest::blendMatchesRasterEngine()
{
    QFETCH(float, opacity);
    QFETCH(QPoint, position);
    QFETCH(QRegion, region);
    QFETCH(QPoint, shift);
    QFETCH(QImage::Format, format);
    const QRgb under = qRgb(200, 30, 90);
    // The layer centres the bitmap, its top-left truncated.
    const QPoint at = position + QPoint((BlendLayer.width() - BlendBitmap.width()) / 2,
                                        (BlendLayer.height() - BlendBitmap.height()) / 2);
    const QImage expected = referenceOutput(opacity, at, region, shift, under, format);
    const QImage shown = layerOutput(opacity, position, region, shift, under, format);
    const QRegion written = (region & QRect(at, BlendBitmap)).translated(shift);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb want = written.contains(QPoint(x, y)) ? expected.pixel(x, y) : under;
            QVERIFY2(shown.pixel(x, y) == want,
                     qPrintable(QStringLiteral("(%1, %2): %3, expected %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(shown.pixel(x, y), 8, 16)
                                    .arg(want, 8, 16)));
        }
    }
}

void PictureLayerTest::windowIsBlackBeneathAFade_data()
{
    QTest::addColumn<int>("fadeMs");
    QTest::addColumn<int>("stepsIn");
    QTest::newRow("before the first tick") << 0 << 0;
    QTest::newRow("mid-fade") << 250 << 0;
    QTest::newRow("mid-fade, zoomed in") << 250 << 2;
    QTest::newRow("faded in") << 1000 << 0;
}

// The window leaves the picture's rectangle to the picture only where the
// picture writes every pixel: no pixel is left unpainted, and the picture
// shows as its blend over black.
void PictureLayerTest::windowIsBlackBeneathAFade()
{
    QFETCH(int, fadeMs);
    QFETCH(int, stepsIn);
    ViewerFixture fixture({20}, 1920, 1080);
    TForm2 &form = fixture.form();
    fixture.finishFades();
    fixture.present(24);
    if (fadeMs > 0)
        fixture.advance(fadeMs);
    for (int i = 0; i < stepsIn; ++i)
        form.DoZoom(+1);
    QCoreApplication::processEvents();

    const QRgb under = qRgb(200, 30, 90);
    QImage shown(form.size(), QImage::Format_RGB32);
    shown.fill(under);
    form.render(&shown);
    // The right third below the name: clear of the panel and the label.
    const QRect clear(1280, 60, 640, 1020);
    QImage expected(form.size(), QImage::Format_RGB32);
    expected.fill(Qt::black);
    {
        QPainter p(&expected);
        p.setOpacity(form.Image1->opacity());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(form.Image1->pictureRect(), form.Image1->bitmap());
    }
    int worst = 0;
    for (int y = clear.top(); y <= clear.bottom(); ++y) {
        for (int x = clear.left(); x <= clear.right(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            QVERIFY2(a != under, "a pixel left unpainted");
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    // A zoomed picture is filtered; one pixel one level apart is rounding.
    QVERIFY2(worst <= (stepsIn > 0 ? 2 : 0), qPrintable(QStringLiteral("worst %1").arg(worst)));
    if (fadeMs == 0)
        QCOMPARE(shown.pixel(clear.center()), qRgb(0, 0, 0));
}

void PictureLayerTest::sameAlphaSamePixels_data()
{
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::addColumn<bool>("samePixels");
    QTest::newRow("first tick, nudged") << 0.02f << 0.0200001f << true;
    QTest::newRow("either side of 5/256") << 5.0f / 256 - 1e-5f << 5.0f / 256 + 1e-5f << false;
    QTest::newRow("overlay end, nudged") << 0.85f << 0.8500001f << true;
    QTest::newRow("just below 1 and 1") << 0.9999f << 1.0f << false;
    QTest::newRow("0.98 and 1") << 0.98f << 1.0f << false;
    // Nothing shows at the least alpha; repainting for it costs, never errs.
    QTest::newRow("0 and the least drawn") << 0.0f << 1.0f / 256 << true;
}

// A change is skipped only when it paints the same pixels.
void PictureLayerTest::sameAlphaSamePixels()
{
    QFETCH(float, a);
    QFETCH(float, b);
    QFETCH(bool, samePixels);
    QCOMPARE(rendered(a) == rendered(b), samePixels);
    QWidget probe;
    PictureLayer layer(&probe);
    layer.reserveBitmap(QSize(1, 1), QImage::Format_RGB32);
    if (layer.paintedAlpha(a) == layer.paintedAlpha(b))
        QVERIFY(samePixels);
}

void PictureLayerTest::fadePaintsOncePerFadeFrame()
{
    ViewerFixture fixture({20}, 1920, 1080);
    TForm2 &form = fixture.form();
    fixture.finishFades();
    QCoreApplication::processEvents();
    PaintRecorder recorder(form.Image1);

    // The whole fade's ticks within a few milliseconds: far less than a
    // fade frame each, so most of them must not paint.
    fixture.present(24);
    for (int t = 0; t < 500; t += FloatAnimation::TickMs) {
        fixture.advance(FloatAnimation::TickMs);
        QCoreApplication::processEvents();
    }
    QCOMPARE(form.Image1->opacity(), 1.0f);
    QTRY_VERIFY(!recorder.opacities.empty() && recorder.opacities.back() == 1.0f);
    const qint64 span = recorder.times.back() - recorder.times.front();
    const double frameMs = fadeFrameMs(form.screen()->refreshRate());
    QVERIFY2(double(recorder.times.size()) <= double(span) / frameMs + 2,
             qPrintable(QStringLiteral("%1 paints in %2 ms").arg(recorder.times.size()).arg(span)));
}

QTEST_MAIN(PictureLayerTest)
#include "tst_picturelayer.moc"
