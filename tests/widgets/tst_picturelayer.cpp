// SPDX-License-Identifier: MIT
// The picture layer repaints only for a change a user can see, and a fade
// at most once per display frame.

#include "tests/widgets/viewerfixture.h"

#include "elements/floatanimation.h"
#include "elements/picturelayer.h"
#include "viewer/Unit2.h"

#include <QElapsedTimer>
#include <QTest>

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
    void sameAlphaSamePixels_data();
    void sameAlphaSamePixels();
    void fadePaintsOncePerFrame();
};

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

void PictureLayerTest::fadePaintsOncePerFrame()
{
    ViewerFixture fixture({20}, 1920, 1080);
    TForm2 &form = fixture.form();
    fixture.finishFades();
    QCoreApplication::processEvents();
    PaintRecorder recorder(form.Image1);

    // The whole fade's ticks within a few milliseconds: far less than a
    // display frame each, so most of them must not paint.
    fixture.present(24);
    for (int t = 0; t < 500; t += FloatAnimation::TickMs) {
        fixture.advance(FloatAnimation::TickMs);
        QCoreApplication::processEvents();
    }
    QCOMPARE(form.Image1->opacity(), 1.0f);
    QTRY_VERIFY(!recorder.opacities.empty() && recorder.opacities.back() == 1.0f);
    const qint64 span = recorder.times.back() - recorder.times.front();
    QVERIFY2(qint64(recorder.times.size()) <= span / 16 + 2,
             qPrintable(QStringLiteral("%1 paints in %2 ms").arg(recorder.times.size()).arg(span)));
}

QTEST_MAIN(PictureLayerTest)
#include "tst_picturelayer.moc"
