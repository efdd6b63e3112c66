// SPDX-License-Identifier: MIT
// The viewer window: start-up, presentation, zoom and resizing.

#include "tests/widgets/viewerfixture.h"

#include "about/Unit1.h"
#include "app/noctivueapp.h"
#include "catalogue/bitmapdecoder.h"
#include "catalogue/cataloguetables.h"
#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/textelement.h"
#include "logic/zoommath.h"
#include "viewer/Unit2.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

void verifyCentred(const TForm2 &form)
{
    for (const PictureLayer *layer : {form.Image1, form.Image2}) {
        QCOMPARE(layer->x(),
                 zoommath::centredPosition(form.width(), layer->scale(), layer->unscaledWidth()));
        QCOMPARE(layer->y(),
                 zoommath::centredPosition(form.height(), layer->scale(), layer->unscaledHeight()));
    }
}

} // namespace

class ViewerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startEntryIsAlwaysANebula_data();
    void startEntryIsAlwaysANebula();
    void startPictureIsCentredAtTheFullScreenFit();
    void listHoldsEveryEntryInOrder();
    void resizeLaysOutTextsAndSetsTheFitWithoutRecentring_data();
    void resizeLaysOutTextsAndSetsTheFitWithoutRecentring();
    void windowWithoutAreaKeepsItsLayout_data();
    void windowWithoutAreaKeepsItsLayout();
    void listRefusesAnIndexOutsideItsRows_data();
    void listRefusesAnIndexOutsideItsRows();
    void presentingTheEntryOnScreenChangesNothing();
    void overlayFadesInOnlyForStarFieldsWithShowExtra_data();
    void overlayFadesInOnlyForStarFieldsWithShowExtra();
    void overlayVanishesAtOnceWhenTheNextEntryHasNone();
    void newEntryResetsTheZoomAndCentres();
    void textsAreFilledWhileHidden();
    void everyPresentationDecodesAnew();
    void fadeIsLinearAndEndsExactly();
    void undecodablePictureIsReportedAndTheViewerGoesOn();
    void missingAssetStopsStartUpWithExitCodeOne();
    void startUpCompletesAfterTheFirstFrame();
};

void ViewerWindowTest::startEntryIsAlwaysANebula_data()
{
    QTest::addColumn<std::vector<int>>("draws");
    QTest::addColumn<int>("expected");
    QTest::newRow("first draw taken") << std::vector<int>{12} << 12;
    QTest::newRow("lowest nebula") << std::vector<int>{9} << 9;
    QTest::newRow("last entry") << std::vector<int>{30} << 30;
    QTest::newRow("sun and star fields redrawn") << std::vector<int>{0, 1, 5, 8, 27} << 27;
}

void ViewerWindowTest::startEntryIsAlwaysANebula()
{
    QFETCH(std::vector<int>, draws);
    QFETCH(int, expected);
    ViewerFixture viewer(draws);
    QCOMPARE(CurrentPicture, expected);
    QCOMPARE(LoopIndex, expected);
    QCOMPARE(viewer.form().ListBox1->itemIndex(), expected);
    QCOMPARE(viewer.form().Label1->text(), PictureNames[expected]);
}

void ViewerWindowTest::startPictureIsCentredAtTheFullScreenFit()
{
    ViewerCollaborators collaborators;
    collaborators.randomInt = drawsInTurn({15});
    TForm2 form(collaborators);
    form.showFullScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.size(), form.screen()->geometry().size());
    QCOMPARE(FitScale, zoommath::fitScale(form.width(), form.height(), 1.0f));
    QCOMPARE(form.Image1->scale(), FitScale);
    verifyInRegister(form);
    // The picture's centre is the window's centre.
    QVERIFY(std::abs(form.Image1->pictureRect().center().x() - form.width() / 2.0) < 0.5);
    QVERIFY(std::abs(form.Image1->pictureRect().center().y() - form.height() / 2.0) < 0.5);
}

void ViewerWindowTest::listHoldsEveryEntryInOrder()
{
    ViewerFixture viewer;
    const ListBox &list = *viewer.form().ListBox1;
    QCOMPARE(list.count(), catalogue::EntryCount);
    QCOMPARE(list.itemText(0), QStringLiteral("1. Sun"));
    QCOMPARE(list.itemText(9), QStringLiteral("10. Cat's Eye Nebula"));
    QCOMPARE(list.itemText(30), QStringLiteral("31. Pillars of Creation"));
    viewer.present(0);
    QCOMPARE(viewer.form().Label1->text(), QStringLiteral("Sun"));
}

void ViewerWindowTest::resizeLaysOutTextsAndSetsTheFitWithoutRecentring_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<float>("fit");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.0f;
    QTest::newRow("1366x768") << QSize(1366, 768) << 0.7111111f;
    QTest::newRow("1920x1200") << QSize(1920, 1200) << 1.1111112f;
    QTest::newRow("2560x1080") << QSize(2560, 1080) << 1.0f;
    QTest::newRow("3840x2160") << QSize(3840, 2160) << 2.0f;
    QTest::newRow("portrait 1080x1920") << QSize(1080, 1920) << 1.0f;
}

void ViewerWindowTest::resizeLaysOutTextsAndSetsTheFitWithoutRecentring()
{
    QFETCH(QSize, size);
    QFETCH(float, fit);
    ViewerFixture viewer({20}, 1600, 900);
    TForm2 &form = viewer.form();
    const float before = form.Image1->scale();

    form.resize(size);
    QCoreApplication::processEvents();

    QCOMPARE(FitScale, fit);
    const int W = size.width();
    QCOMPARE(form.Text1->x() + form.Text1->width() + 14, form.Text2->x());
    QCOMPARE(form.Text1->x() + form.Text1->width(), W / 2 - 7);
    QCOMPARE(form.Text1->y(), 40);
    QCOMPARE(form.Text2->y(), 40);
    QCOMPARE(form.Label1->x() * 2 + form.Label1->width(), W - (W - form.Label1->width()) % 2);
    // Laid out at the old scale, then given the new one: anchored at the
    // top-left corner, not re-centred.
    for (const PictureLayer *layer : {form.Image1, form.Image2}) {
        QCOMPARE(layer->scale(), fit);
        QCOMPARE(layer->x(), 0.0f);
        QCOMPARE(layer->y(), 0.0f);
        QCOMPARE(layer->unscaledWidth(), float(double(W) / before));
    }
    verifyInRegister(form);
}

void ViewerWindowTest::windowWithoutAreaKeepsItsLayout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("no width") << QSize(0, 700);
    QTest::newRow("no height") << QSize(700, 0);
}

void ViewerWindowTest::windowWithoutAreaKeepsItsLayout()
{
    QFETCH(QSize, size);
    ViewerFixture viewer({20}, 1366, 768);
    TForm2 &form = viewer.form();
    const float fit = FitScale;
    const QPoint text1 = form.Text1->pos();
    const float w = form.Image1->unscaledWidth();
    const float h = form.Image1->unscaledHeight();

    QResizeEvent event(size, form.size());
    form.setGeometry(QRect(form.pos(), size));
    QCoreApplication::sendEvent(&form, &event);
    form.DoZoom(0);

    QCOMPARE(FitScale, fit);
    QCOMPARE(form.Text1->pos(), text1);
    for (const PictureLayer *layer : {form.Image1, form.Image2}) {
        QCOMPARE(layer->unscaledWidth(), w);
        QCOMPARE(layer->unscaledHeight(), h);
        QVERIFY(std::isfinite(layer->x()) && std::isfinite(layer->y()));
        QVERIFY(layer->scale() > 0.0f);
    }
}

void ViewerWindowTest::listRefusesAnIndexOutsideItsRows_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("just below no entry") << -2;
    QTest::newRow("far below") << std::numeric_limits<int>::min();
    QTest::newRow("one past the last") << catalogue::EntryCount;
    QTest::newRow("far past") << 1000;
}

void ViewerWindowTest::listRefusesAnIndexOutsideItsRows()
{
    QFETCH(int, index);
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    const int position = form.ListBox1->scrollModel().position();
    QSignalSpy changes(form.ListBox1, &ListBox::changed);

    form.ListBox1->setItemIndex(index);

    QCOMPARE(changes.count(), 0);
    QCOMPARE(form.ListBox1->itemIndex(), 20);
    QCOMPARE(form.ListBox1->scrollModel().position(), position);
    QCOMPARE(CurrentPicture, 20);
    QCOMPARE(LoopIndex, 20);
}

void ViewerWindowTest::presentingTheEntryOnScreenChangesNothing()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    viewer.finishFades();
    form.DoZoom(+1);
    form.Image1->setPosition(-10.0f, -5.0f);
    form.Image2->setPosition(-10.0f, -5.0f);

    ShowPicture(20);
    form.ListBox1Click();

    QVERIFY(!form.FloatAnimation1->isRunning());
    QCOMPARE(form.Image1->opacity(), 1.0f);
    QCOMPARE(form.Image1->scale(), float(double(FitScale) + 0.1));
    QCOMPARE(form.Image1->x(), -10.0f);
    QCOMPARE(form.Image1->y(), -5.0f);
}

void ViewerWindowTest::overlayFadesInOnlyForStarFieldsWithShowExtra_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("showExtra");
    QTest::addColumn<float>("overlay");
    QTest::newRow("sun") << 0 << true << 0.0f;
    QTest::newRow("pleiades") << 1 << true << 0.85f;
    QTest::newRow("hyades") << 8 << true << 0.85f;
    QTest::newRow("first nebula") << 9 << true << 0.0f;
    QTest::newRow("last nebula") << 30 << true << 0.0f;
    QTest::newRow("pleiades, extra off") << 1 << false << 0.0f;
    QTest::newRow("corvus, extra off") << 5 << false << 0.0f;
}

void ViewerWindowTest::overlayFadesInOnlyForStarFieldsWithShowExtra()
{
    QFETCH(int, entry);
    QFETCH(bool, showExtra);
    QFETCH(float, overlay);
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    form.MenuItem5->setChecked(showExtra);

    viewer.present(entry);
    QCOMPARE(form.Image2->opacity(), 0.0f);
    viewer.advance(250);
    QCOMPARE(form.Image1->opacity(), 0.5f);
    viewer.finishFades();
    QCOMPARE(form.Image1->opacity(), 1.0f);
    QCOMPARE(form.Image2->opacity(), overlay);
    // The overlay layer holds its entry's overlay whenever the entry has one.
    if (catalogue::hasOverlay(entry)) {
        QImage expected;
        catalogue::decodeOverlay(OverlayStreams[entry - 1], expected);
        QCOMPARE(form.Image2->bitmap(), expected);
    }
}

void ViewerWindowTest::overlayVanishesAtOnceWhenTheNextEntryHasNone()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    form.MenuItem5->setChecked(true);

    viewer.present(3);
    viewer.advance(200);
    QVERIFY(form.Image2->opacity() > 0.0f);
    viewer.present(12);
    QCOMPARE(form.Image2->opacity(), 0.0f);
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.0f);

    viewer.present(4);
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.85f);
}

void ViewerWindowTest::newEntryResetsTheZoomAndCentres()
{
    ViewerFixture viewer({20}, 1366, 768);
    TForm2 &form = viewer.form();
    for (int entry : {2, 13, 0, 30}) {
        form.DoZoom(+1);
        form.DoZoom(+1);
        form.Image1->setPosition(form.Image1->x() - 7.0f, form.Image1->y() + 3.0f);
        form.Image2->setPosition(form.Image2->x() - 7.0f, form.Image2->y() + 3.0f);
        viewer.present(entry);
        QCOMPARE(form.Image1->scale(), FitScale);
        verifyCentred(form);
        verifyInRegister(form);
    }
}

void ViewerWindowTest::textsAreFilledWhileHidden()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    QVERIFY(form.Text1->isHidden());
    QVERIFY(form.Text2->isHidden());
    form.Label1->hide();

    viewer.present(22);

    QCOMPARE(form.Label1->text(), QStringLiteral("NGC 604"));
    QCOMPARE(form.Label2->text(), QStringLiteral("Credits: Hubble"));
    QCOMPARE(form.Text2->text(), QStringLiteral("none\nNebula \n2.7 million ly\nTriangulum"));
    QCOMPARE(form.Text1->text(), QLatin1String(catalogue::FieldLabels));
}

void ViewerWindowTest::everyPresentationDecodesAnew()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    QImage five;
    catalogue::decodePicture(PictureStreams[5], five);

    viewer.present(5);
    viewer.present(6);
    QVERIFY(form.Image1->bitmap() != five);
    viewer.present(5);
    QCOMPARE(form.Image1->bitmap(), five);
}

void ViewerWindowTest::fadeIsLinearAndEndsExactly()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    viewer.present(21);
    QCOMPARE(form.Image1->opacity(), 0.0f);
    viewer.advance(100);
    QCOMPARE(form.Image1->opacity(), 0.2f);
    // Restarting mid-fade begins again from 0.
    viewer.present(22);
    QCOMPARE(form.Image1->opacity(), 0.0f);
    viewer.advance(490);
    QVERIFY(form.FloatAnimation1->isRunning());
    viewer.advance(37);
    QCOMPARE(form.Image1->opacity(), 1.0f);
    QVERIFY(!form.FloatAnimation1->isRunning());
}

void ViewerWindowTest::undecodablePictureIsReportedAndTheViewerGoesOn()
{
    AlteredStore store;
    store.replaced.insert(QStringLiteral("JpgImage_14"), QByteArray("no picture here"));
    {
        ViewerFixture viewer({20}, 1920, 1080, &store);
        TForm2 &form = viewer.form();
        viewer.finishFades();
        MessageBoxCatcher catcher;

        viewer.present(13);

        QCOMPARE(catcher.texts(), QStringList{QStringLiteral("Loading bitmap failed.")});
        QCOMPARE(CurrentPicture, 13);
        QVERIFY(!form.FloatAnimation1->isRunning());
        QCOMPARE(form.Label1->text(), PictureNames[20]);

        viewer.present(14);
        viewer.finishFades();
        QVERIFY(form.isVisible());
        QCOMPARE(form.Label1->text(), PictureNames[14]);
        QCOMPARE(form.Image1->opacity(), 1.0f);
    }
}

void ViewerWindowTest::missingAssetStopsStartUpWithExitCodeOne()
{
    AlteredStore store;
    store.missing << QStringLiteral("PngImage_4");
    ViewerCollaborators collaborators;
    collaborators.store = &store;
    MessageBoxCatcher catcher;

    const int code = runNoctivue(*qApp, collaborators);

    QCOMPARE(code, 1);
    QCOMPARE(catcher.texts(), QStringList{QStringLiteral("Resource PngImage_4 not found")});
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TForm2 *>(w));
    QVERIFY(!Form2);
}

// The About window and the icon wait for the viewer's first frame; they must
// still come, and the About command must reach the window.
void ViewerWindowTest::startUpCompletesAfterTheFirstFrame()
{
    qApp->setWindowIcon(QIcon());
    bool built = false;
    bool icon = false;
    bool aboutOpened = false;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!Form1 || !Form2)
            return;
        probe.stop();
        built = true;
        icon = !qApp->windowIcon().isNull();
        emit Form2->aboutRequested();
        aboutOpened = Form1->isVisible();
        Form1->close();
        Form2->close();
    });
    probe.start();

    const int code = runNoctivue(*qApp, ViewerCollaborators());

    QCOMPARE(code, 0);
    QVERIFY(built);
    QVERIFY(icon);
    QVERIFY(aboutOpened);
}

QTEST_MAIN(ViewerWindowTest)
#include "tst_viewerwindow.moc"
