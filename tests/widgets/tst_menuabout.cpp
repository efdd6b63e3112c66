// SPDX-License-Identifier: MIT
// The viewer's context menu, its slideshow loop and the About window.

#include "tests/widgets/viewerfixture.h"

#include "about/Unit1.h"
#include "app/noctivueapp.h"
#include "elements/fittedimage.h"
#include "elements/floatanimation.h"
#include "elements/linklabel.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "elements/speedbutton.h"
#include "elements/textelement.h"
#include "viewer/Unit2.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGraphicsDropShadowEffect>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>
#include <functional>

namespace {

// Deals with the context menu from inside its own event loop, so that no test
// is left waiting on it: notes where it opened, then chooses `choice` as a
// user would, or closes it when there is none.
class MenuDriver : public QObject
{
public:
    explicit MenuDriver(QAction *choice = nullptr) : m_choice(choice)
    {
        QTimer::singleShot(0, this, [this] { act(); });
    }

    bool opened = false;
    QRect geometry;
    QList<QAction *> actions;

private:
    void act()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        opened = true;
        geometry = menu->geometry();
        actions = menu->actions();
        if (m_choice) {
            menu->setActiveAction(m_choice);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    }

    QAction *m_choice;
};

const QPoint OverPicture(1200, 700);

// How far a loop's count must have run before a test can tell it from a
// restarted one.
constexpr int CountMovedMs = 200;

// Opens the context menu over the picture and chooses item.
void choose(TForm2 &form, QAction *item)
{
    MenuDriver driver(item);
    press(form, OverPicture, Qt::RightButton);
    release(form, OverPicture, Qt::RightButton);
    QVERIFY2(driver.opened, "the context menu did not open");
}

// The element a check command governs, read back as on or off.
enum class Governed { Loop, Names, Extra, Info };

bool elementState(const TForm2 &form, Governed governed)
{
    switch (governed) {
    case Governed::Loop:
        return form.Timer1->isActive();
    case Governed::Names:
        return form.Label1->isVisible();
    case Governed::Extra:
        return form.FloatAnimation2->isRunning();
    case Governed::Info:
        return form.Text1->isVisible();
    }
    return false;
}

QAction *checkItem(const TForm2 &form, Governed governed)
{
    switch (governed) {
    case Governed::Loop:
        return form.MenuItem1;
    case Governed::Names:
        return form.MenuItem2;
    case Governed::Extra:
        return form.MenuItem5;
    case Governed::Info:
        return form.MenuItem3;
    }
    return nullptr;
}

// Counts the events of one type that reach a widget.
class EventCounter : public QObject
{
public:
    EventCounter(QWidget *widget, QEvent::Type type, int &count) : m_type(type), m_count(count)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++m_count;
        return false;
    }

private:
    QEvent::Type m_type;
    int &m_count;
};

// Runs the application's event loop, starting with `first`, until something
// ends it; a loop still running after endMs is ended with endCode.
int runEventLoop(const std::function<void()> &first, int endMs = 5000, int endCode = -1)
{
    QObject guard;
    QTimer::singleShot(0, &guard, first);
    QTimer::singleShot(endMs, &guard, [endCode] { QCoreApplication::exit(endCode); });
    return QApplication::exec();
}

} // namespace

// Receives the addresses handed to the desktop in place of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

// The About window as the program makes it: owned apart from the viewer,
// reachable through Form1 and shown by the viewer's "About".
class AboutFixture
{
public:
    AboutFixture() : about(&viewer.form())
    {
        Form1 = &about;
        connectAboutWindow(viewer.form(), about);
    }
    ~AboutFixture() { Form1 = nullptr; }

    ViewerFixture viewer;
    TForm1 about;
};

class MenuAboutTest : public QObject
{
    Q_OBJECT

private slots:
    void menuHoldsTheCommandsInOrder();
    void rightPressOpensTheMenuOnlyOutsideThePanel_data();
    void rightPressOpensTheMenuOnlyOutsideThePanel();
    void menuOpensAtThePointerInsideTheWorkArea_data();
    void menuOpensAtThePointerInsideTheWorkArea();
    void wheelOverTheOpenMenuLeavesThePicture();
    void checkCommandFlipsOnceThroughTheMenu_data();
    void checkCommandFlipsOnceThroughTheMenu();
    void showExtraWithoutOverlayOnScreenWaitsForTheNextStarField_data();
    void showExtraWithoutOverlayOnScreenWaitsForTheNextStarField();
    void showExtraFadesTheOverlayOnScreenAndHidesItAtOnce_data();
    void showExtraFadesTheOverlayOnScreenAndHidesItAtOnce();
    void showExtraOffMidFadeStaysHidden();
    void textsShownAgainShowTheEntryOnScreen();
    void loopTickAdvancesAndWraps_data();
    void loopTickAdvancesAndWraps();
    void loopTicksFromTheTimer();
    void choiceInTheListKeepsTheLoopCount();
    void loopOffAndOnRestartsTheCount();
    void exitEndsAtOnceWithoutClosing_data();
    void exitEndsAtOnceWithoutClosing();
    void closingTheViewerReleasesThePicturesAndQuits();
    void aboutWindowHoldsItsElements();
    void aboutIsCentredFirstAndLaterKeptWhereLeft();
    void aboutShownAgainIsOnlyRaised();
    void okHidesAboutAndActivatesTheViewer();
    void linkOpensThePageOnceAndAboutStaysOpen_data();
    void linkOpensThePageOnceAndAboutStaysOpen();
    void closeRequestHidesAbout();
    void keysTypedIntoAboutReachNeitherWindow_data();
    void keysTypedIntoAboutReachNeitherWindow();
};

void MenuAboutTest::menuHoldsTheCommandsInOrder()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    MenuDriver driver;
    press(form, OverPicture, Qt::RightButton);
    release(form, OverPicture, Qt::RightButton);
    QVERIFY(driver.opened);

    const QList<QAction *> order{form.MenuItem1, form.MenuItem2, form.MenuItem5,
                                 form.MenuItem3, form.MenuItem6, form.MenuItem4};
    QCOMPARE(driver.actions, order);
    const QStringList texts{"Loop (30s)", "Show names", "Show extra", "Show info", "About", "Exit"};
    const QList<bool> checkable{true, true, true, true, false, false};
    const QList<bool> checked{false, true, false, false, false, false};
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(order[i]->text(), texts[i]);
        QCOMPARE(order[i]->isCheckable(), checkable[i]);
        QCOMPARE(order[i]->isChecked(), checked[i]);
    }
    // The elements start as the marks say.
    for (Governed g : {Governed::Loop, Governed::Names, Governed::Info})
        QCOMPARE(elementState(form, g), checkItem(form, g)->isChecked());
    QCOMPARE(form.Image2->opacity(), 0.0f);
    QCOMPARE(form.Timer1->interval(), 30000);
    QVERIFY(!form.Timer1->isSingleShot());
}

void MenuAboutTest::rightPressOpensTheMenuOnlyOutsideThePanel_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("opens");
    QTest::newRow("picture") << "picture" << true;
    QTest::newRow("name label") << "name label" << true;
    QTest::newRow("fact sheet") << "fact sheet" << true;
    QTest::newRow("list") << "list" << false;
    QTest::newRow("arrow button") << "arrow button" << false;
    QTest::newRow("panel margin") << "panel margin" << false;
    QTest::newRow("credit line") << "credit line" << false;
}

void MenuAboutTest::rightPressOpensTheMenuOnlyOutsideThePanel()
{
    QFETCH(QString, where);
    QFETCH(bool, opens);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.finishFades();
    form.MenuItem3Click();
    auto centreOf = [&form](const QWidget *w) { return w->mapTo(&form, w->rect().center()); };
    const QHash<QString, QPoint> points{
        {"picture", OverPicture},
        {"name label", centreOf(form.Label1)},
        {"fact sheet", centreOf(form.Text2)},
        {"list", centreOf(form.ListBox1)},
        {"arrow button", centreOf(form.SpeedButton1)},
        {"panel margin", form.Panel1->mapTo(&form, QPoint(6, 150))},
        {"credit line", centreOf(form.Label2)},
    };
    const QPoint pos = points.value(where);
    const float x = form.Image1->x();
    const float y = form.Image1->y();

    MenuDriver driver;
    press(form, pos, Qt::RightButton);
    // Opened on the press, before any release.
    QCOMPARE(driver.opened, opens);
    QVERIFY(!DragActive);
    QTest::mouseMove(form.windowHandle(), pos + QPoint(-80, 60));
    release(form, pos + QPoint(-80, 60), Qt::RightButton);
    QVERIFY(!DragActive);
    QCOMPARE(form.Image1->x(), x);
    QCOMPARE(form.Image1->y(), y);
}

void MenuAboutTest::menuOpensAtThePointerInsideTheWorkArea_data()
{
    // Where the pointer is, as a fraction of the work area.
    QTest::addColumn<QPointF>("fraction");
    QTest::newRow("middle") << QPointF(0.5, 0.5);
    QTest::newRow("near the top left") << QPointF(0.05, 0.05);
    QTest::newRow("bottom right corner") << QPointF(0.995, 0.995);
    QTest::newRow("right edge") << QPointF(0.995, 0.3);
    QTest::newRow("bottom edge") << QPointF(0.6, 0.995);
}

void MenuAboutTest::menuOpensAtThePointerInsideTheWorkArea()
{
    QFETCH(QPointF, fraction);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    // The viewer covers the whole screen, as it does when full screen.
    ViewerFixture viewer({20}, work.width() + 200, work.height() + 200);
    TForm2 &form = viewer.form();
    const QPoint global(work.left() + int(fraction.x() * work.width()),
                        work.top() + int(fraction.y() * work.height()));
    const QPoint pos = form.mapFromGlobal(global);
    QVERIFY(form.rect().contains(pos));

    MenuDriver driver;
    press(form, pos, Qt::RightButton);
    release(form, pos, Qt::RightButton);

    QVERIFY(driver.opened);
    const QRect menu = driver.geometry;
    QVERIFY(work.contains(menu));
    // At the pointer, moved up or left only as far as the work area needs.
    QCOMPARE(menu.left(), std::min(global.x(), work.right() - menu.width() + 1));
    QCOMPARE(menu.top(), std::min(global.y(), work.bottom() - menu.height() + 1));
}

void MenuAboutTest::wheelOverTheOpenMenuLeavesThePicture()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    bool turned = false;
    // The menu is a window of its own although the viewer owns it.
    QTimer::singleShot(0, &form, [&turned] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QPointF at = menu->rect().center();
        QWheelEvent wheel(at, menu->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(menu, &wheel);
        turned = true;
        menu->close();
    });

    press(form, OverPicture, Qt::RightButton);
    release(form, OverPicture, Qt::RightButton);

    QVERIFY(turned);
    QCOMPARE(form.Image1->scale(), scale);
}

void MenuAboutTest::checkCommandFlipsOnceThroughTheMenu_data()
{
    QTest::addColumn<Governed>("governed");
    QTest::newRow("loop") << Governed::Loop;
    QTest::newRow("names") << Governed::Names;
    QTest::newRow("extra") << Governed::Extra;
    QTest::newRow("info") << Governed::Info;
}

void MenuAboutTest::checkCommandFlipsOnceThroughTheMenu()
{
    QFETCH(Governed, governed);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    // A star field is on screen, so "Show extra" has an overlay to fade.
    viewer.present(3);
    viewer.finishFades();
    QAction *item = checkItem(form, governed);

    for (int round = 0; round < 2; ++round) {
        const bool before = item->isChecked();
        choose(form, item);
        QCOMPARE(item->isChecked(), !before);
        QCOMPARE(elementState(form, governed), !before);
        // The fact sheet's two columns always go together.
        QCOMPARE(form.Text2->isVisible(), form.Text1->isVisible());
    }
}

void MenuAboutTest::showExtraWithoutOverlayOnScreenWaitsForTheNextStarField_data()
{
    QTest::addColumn<int>("onScreen");
    QTest::addColumn<int>("next");
    QTest::newRow("sun, then pleiades") << 0 << 1;
    QTest::newRow("first nebula, then hyades") << 9 << 8;
    QTest::newRow("last nebula, then corvus") << 30 << 5;
}

void MenuAboutTest::showExtraWithoutOverlayOnScreenWaitsForTheNextStarField()
{
    QFETCH(int, onScreen);
    QFETCH(int, next);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.present(onScreen);
    viewer.finishFades();

    form.MenuItem5Click();
    QVERIFY(form.MenuItem5->isChecked());
    QVERIFY(!form.FloatAnimation2->isRunning());
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.0f);

    viewer.present(next);
    viewer.advance(250);
    QCOMPARE(form.Image2->opacity(), 0.425f);
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.85f);
}

void MenuAboutTest::showExtraFadesTheOverlayOnScreenAndHidesItAtOnce_data()
{
    QTest::addColumn<int>("entry");
    QTest::newRow("pleiades") << 1;
    QTest::newRow("orion") << 4;
    QTest::newRow("hyades") << 8;
}

void MenuAboutTest::showExtraFadesTheOverlayOnScreenAndHidesItAtOnce()
{
    QFETCH(int, entry);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.present(entry);
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.0f);

    form.MenuItem5Click();
    QCOMPARE(form.Image2->opacity(), 0.0f);
    viewer.advance(100);
    QCOMPARE(form.Image2->opacity(), 0.17f);
    viewer.advance(300);
    QCOMPARE(form.Image2->opacity(), 0.68f);
    viewer.advance(100);
    QCOMPARE(form.Image2->opacity(), 0.85f);
    QVERIFY(!form.FloatAnimation2->isRunning());
    // The picture itself is not faded again.
    QCOMPARE(form.Image1->opacity(), 1.0f);

    form.MenuItem5Click();
    QCOMPARE(form.Image2->opacity(), 0.0f);
    QVERIFY(!form.FloatAnimation2->isRunning());
}

void MenuAboutTest::showExtraOffMidFadeStaysHidden()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    form.MenuItem5Click();
    viewer.present(6);
    viewer.advance(200);
    QVERIFY(form.Image2->opacity() > 0.0f);

    form.MenuItem5Click();
    QCOMPARE(form.Image2->opacity(), 0.0f);
    viewer.advance(100);
    viewer.finishFades();
    QCOMPARE(form.Image2->opacity(), 0.0f);
}

void MenuAboutTest::textsShownAgainShowTheEntryOnScreen()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    form.MenuItem2Click();
    QVERIFY(!form.Label1->isVisible());
    QVERIFY(!form.Text1->isVisible());

    viewer.present(11);
    viewer.present(25);
    form.MenuItem2Click();
    form.MenuItem3Click();

    QVERIFY(form.Label1->isVisible());
    QVERIFY(form.Text1->isVisible());
    QVERIFY(form.Text2->isVisible());
    QCOMPARE(form.Label1->text(), PictureNames[25]);
    QCOMPARE(form.Text2->text(), PictureInfo[25]);
}

void MenuAboutTest::loopTickAdvancesAndWraps_data()
{
    QTest::addColumn<int>("onScreen");
    QTest::addColumn<int>("next");
    QTest::newRow("last wraps to first") << 30 << 0;
    QTest::newRow("first to second") << 0 << 1;
    QTest::newRow("middle") << 17 << 18;
    QTest::newRow("second to last") << 29 << 30;
}

void MenuAboutTest::loopTickAdvancesAndWraps()
{
    QFETCH(int, onScreen);
    QFETCH(int, next);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.present(onScreen);

    form.Timer1Timer();

    QCOMPARE(LoopIndex, next);
    QCOMPARE(CurrentPicture, next);
    QCOMPARE(form.ListBox1->itemIndex(), next);
    QCOMPARE(form.Label1->text(), PictureNames[next]);
    // The list shows the entry on screen.
    const ListScrollModel &scroll = form.ListBox1->scrollModel();
    QVERIFY(scroll.firstVisibleRow() <= next && next <= scroll.lastVisibleRow());
    if (next == 0)
        QCOMPARE(scroll.position(), 0);
}

void MenuAboutTest::loopTicksFromTheTimer()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    QList<int> presented;
    connect(form.ListBox1, &ListBox::changed, &form,
            [&] { presented << form.ListBox1->itemIndex(); });

    choose(form, form.MenuItem1);
    QVERIFY(form.Timer1->isActive());
    // Each timeout of the running timer is a tick; when it comes is the
    // timer's own affair.
    for (int i = 0; i < 2; ++i)
        QVERIFY(QMetaObject::invokeMethod(form.Timer1, "timeout"));
    QCOMPARE(presented.size(), 2);
    choose(form, form.MenuItem1);
    QVERIFY(!form.Timer1->isActive());
    const QList<int> whileOn = presented;
    QCoreApplication::processEvents();

    QCOMPARE(presented, whileOn);
    for (qsizetype i = 0; i < presented.size(); ++i)
        QCOMPARE(presented[i], 21 + int(i));
    QCOMPARE(CurrentPicture, presented.last());
}

void MenuAboutTest::choiceInTheListKeepsTheLoopCount()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    choose(form, form.MenuItem1);
    QVERIFY(form.Timer1->isActive());
    // The timer counts in milliseconds; once its count has run for longer
    // than a presentation takes, a restarted count would show.
    QCOMPARE(form.Timer1->timerType(), Qt::PreciseTimer);
    QTRY_VERIFY(form.Timer1->remainingTime() <= form.Timer1->interval() - CountMovedMs);
    const int remaining = form.Timer1->remainingTime();

    viewer.present(4);

    QVERIFY(form.Timer1->isActive());
    QVERIFY(form.Timer1->remainingTime() <= remaining);
    form.Timer1Timer();
    QCOMPARE(CurrentPicture, 5);
    QCOMPARE(form.ListBox1->itemIndex(), 5);
}

void MenuAboutTest::loopOffAndOnRestartsTheCount()
{
    ViewerFixture viewer({20});
    TForm2 &form = viewer.form();
    form.MenuItem1Click();
    QCOMPARE(form.Timer1->timerType(), Qt::PreciseTimer);
    QTRY_VERIFY(form.Timer1->remainingTime() <= form.Timer1->interval() - CountMovedMs);

    form.MenuItem1Click();
    QVERIFY(!form.Timer1->isActive());
    form.MenuItem1Click();

    QVERIFY(form.Timer1->isActive());
    QVERIFY(form.Timer1->remainingTime() > form.Timer1->interval() - CountMovedMs);
}

void MenuAboutTest::exitEndsAtOnceWithoutClosing_data()
{
    QTest::addColumn<bool>("aboutOpen");
    QTest::newRow("loop running") << false;
    QTest::newRow("loop running, About open") << true;
}

void MenuAboutTest::exitEndsAtOnceWithoutClosing()
{
    QFETCH(bool, aboutOpen);
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    form.MenuItem1Click();
    if (aboutOpen)
        fixture.about.ShowAbout();

    const int code = runEventLoop([&form] { choose(form, form.MenuItem4); });

    QCOMPARE(code, 0);
    QVERIFY(!form.Timer1->isActive());
    // Ended without closing the viewer: its pictures are still open.
    QVERIFY(form.isVisible());
    for (const AssetView &stream : PictureStreams)
        QVERIFY(stream.isOpen());
    QCOMPARE(fixture.about.isVisible(), aboutOpen);
}

void MenuAboutTest::closingTheViewerReleasesThePicturesAndQuits()
{
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    fixture.about.ShowAbout();

    const int code = runEventLoop([&form] { form.windowHandle()->close(); });

    QCOMPARE(code, 0);
    QVERIFY(!form.isVisible());
    for (const AssetView &stream : PictureStreams)
        QVERIFY(!stream.isOpen());
    for (const AssetView &stream : OverlayStreams)
        QVERIFY(stream.isOpen());
}

void MenuAboutTest::aboutWindowHoldsItsElements()
{
    AboutFixture fixture;
    TForm1 &about = fixture.about;
    QVERIFY(!about.isVisible());
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    for (Qt::WindowType item : {Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint,
                                Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        QVERIFY(!(flags & item));
    QCOMPARE(about.minimumSize(), QSize(495, 265));
    QCOMPARE(about.maximumSize(), QSize(495, 265));
    QCOMPARE(about.windowModality(), Qt::NonModal);

    QCOMPARE(about.SpeedButton1->geometry(), QRect(207, 192, 80, 33));
    QCOMPARE(about.SpeedButton1->text(), QStringLiteral("OK"));
    QCOMPARE(about.SpeedButton1->focusPolicy(), Qt::NoFocus);
    QCOMPARE(about.Label1->text(), QStringLiteral("Noctivue"));
    QCOMPARE(about.Label1->geometry(), QRect(264, 32, 177, 41));
    QCOMPARE(about.Label2->text(), QStringLiteral("Tarvel Com Ltd."));
    QCOMPARE(about.Label2->geometry(), QRect(264, 80, 177, 25));
    QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+(\\.\\d+)*$"))
                .match(about.Label4->text())
                .hasMatch());
    QCOMPARE(about.Label4->geometry(), QRect(264, 112, 177, 25));
    QCOMPARE(about.Label3->geometry(), QRect(264, 142, 217, 25));
    QCOMPARE(about.Label3->cursor().shape(), Qt::PointingHandCursor);

    QCOMPARE(about.Label1->graphicsEffect(), about.ShadowEffect1);
    const QColor shadow = about.ShadowEffect1->color();
    QCOMPARE(shadow.rgb(), QColor(0xFF00FFFFu).rgb());
    QVERIFY(std::abs(shadow.alphaF() - 0.5f) < 1.0f / 255);
    QVERIFY(std::abs(about.ShadowEffect1->xOffset() - std::sqrt(2.0)) < 1e-6);
    QVERIFY(std::abs(about.ShadowEffect1->yOffset() - std::sqrt(2.0)) < 1e-6);

    // The emblem fitted with ratio 1.2 and snapped to whole pixels.
    QCOMPARE(about.Image1->geometry(), QRect(32, 40, 200, 120));
    QCOMPARE(about.Image1->pictureRect().translated(about.Image1->pos()), QRectF(42, 40, 179, 120));

    // Dark blue under the top edge, near black at the bottom.
    const QImage painted = about.grab().toImage();
    QCOMPARE(painted.size(), QSize(495, 265));
    QCOMPARE(painted.pixelColor(5, 0).rgb(), QColor(0xFF244477u).rgb());
    QCOMPARE(painted.pixelColor(5, 264).rgb(), QColor(0xFF0C0E11u).rgb());
    // The emblem is drawn over the gradient, which shows through its
    // transparent corner; the same rows left of it hold the bare gradient.
    const QImage emblem(QStringLiteral(":/ui/emblem"));
    QCOMPARE(emblem.size(), QSize(215, 144));
    QCOMPARE(emblem.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(painted.pixel(42, 40), painted.pixel(20, 40));
    QVERIFY(painted.pixel(131, 100) != painted.pixel(20, 100));
}

void MenuAboutTest::aboutIsCentredFirstAndLaterKeptWhereLeft()
{
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    TForm1 &about = fixture.about;

    choose(form, form.MenuItem6);
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QRect viewer = form.frameGeometry();
    const QRect first = about.frameGeometry();
    QCOMPARE(first.left(),
             viewer.left() + int(std::lround((viewer.width() - first.width()) / 2.0)));
    QCOMPARE(first.top(),
             viewer.top() + int(std::lround((viewer.height() - first.height()) / 2.0)));

    // The user drags it aside, then leaves with "OK".
    const QPoint dragged = about.pos() + QPoint(-140, 90);
    about.move(dragged);
    QTRY_COMPARE(about.pos(), dragged);
    QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {},
                      about.SpeedButton1->geometry().center());
    QVERIFY(!about.isVisible());

    choose(form, form.MenuItem6);
    QVERIFY(about.isVisible());
    QCOMPARE(about.pos(), dragged);
}

void MenuAboutTest::aboutShownAgainIsOnlyRaised()
{
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    TForm1 &about = fixture.about;
    choose(form, form.MenuItem6);
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTRY_COMPARE(QApplication::activeWindow(), &about);
    const QPoint moved = about.pos() + QPoint(30, -20);
    about.move(moved);
    QTRY_COMPARE(about.pos(), moved);

    // The viewer comes to the front, as when clicked; the About window stays
    // shown behind it.
    form.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &form);
    QVERIFY(about.isVisible());

    // The viewer's menu keeps working while the About window is shown.
    choose(form, form.MenuItem6);
    QTRY_COMPARE(QApplication::activeWindow(), &about);
    QCOMPARE(about.pos(), moved);
    int abouts = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        abouts += qobject_cast<TForm1 *>(w) ? 1 : 0;
    QCOMPARE(abouts, 1);
}

void MenuAboutTest::okHidesAboutAndActivatesTheViewer()
{
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    TForm1 &about = fixture.about;
    about.ShowAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTRY_COMPARE(QApplication::activeWindow(), &about);

    QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {},
                      about.SpeedButton1->geometry().center());

    QVERIFY(!about.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &form);
    // The viewer has the keyboard again.
    const bool panel = form.Panel1->isVisible();
    QTest::keyClick(form.windowHandle(), Qt::Key_Space);
    QCOMPARE(form.Panel1->isVisible(), !panel);
}

void MenuAboutTest::linkOpensThePageOnceAndAboutStaysOpen_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("opened");
    QTest::newRow("click") << "click" << 1;
    QTest::newRow("double click") << "double click" << 1;
    QTest::newRow("right click") << "right click" << 0;
    QTest::newRow("released off the link") << "released off" << 0;
    QTest::newRow("click on the maker") << "maker" << 0;
}

void MenuAboutTest::linkOpensThePageOnceAndAboutStaysOpen()
{
    QFETCH(QString, gesture);
    QFETCH(int, opened);
    AboutFixture fixture;
    TForm1 &about = fixture.about;
    about.ShowAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    UrlCatcher catcher;
    QWindow *window = about.windowHandle();
    const QPoint link = about.Label3->geometry().center();
    int doubleClicks = 0;
    EventCounter counter(about.Label3, QEvent::MouseButtonDblClick, doubleClicks);

    if (gesture == "click") {
        QTest::mouseClick(window, Qt::LeftButton, {}, link);
    } else if (gesture == "double click") {
        QTest::mouseDClick(window, Qt::LeftButton, {}, link);
    } else if (gesture == "right click") {
        QTest::mouseClick(window, Qt::RightButton, {}, link);
    } else if (gesture == "released off") {
        QTest::mousePress(window, Qt::LeftButton, {}, link);
        QTest::mouseMove(window, about.Label2->geometry().center());
        QTest::mouseRelease(window, Qt::LeftButton, {}, about.Label2->geometry().center());
    } else {
        QTest::mouseClick(window, Qt::LeftButton, {}, about.Label2->geometry().center());
    }
    QCoreApplication::processEvents();

    // The gesture reached the link as the window system would have sent it.
    QCOMPARE(doubleClicks, gesture == "double click" ? 1 : 0);
    QCOMPARE(catcher.urls.size(), opened);
    QVERIFY(about.isVisible());
    if (opened) {
        const QUrl url = catcher.urls.first();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY(url.host() == "example.com" || url.host().endsWith(".example.com"));
        // The link shows the same address without its scheme.
        QCOMPARE(about.Label3->text(), url.host() + url.path());
    }
}

void MenuAboutTest::closeRequestHidesAbout()
{
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    TForm1 &about = fixture.about;
    QPointer<TForm1> alive(&about);

    const int code = runEventLoop(
        [&about] {
            about.ShowAbout();
            about.windowHandle()->close();
        },
        200, 7);

    // Still running after the request: nothing ended the program.
    QCOMPARE(code, 7);
    QVERIFY(alive);
    QVERIFY(!about.isVisible());
    QVERIFY(form.isVisible());
    about.ShowAbout();
    QVERIFY(about.isVisible());
}

void MenuAboutTest::keysTypedIntoAboutReachNeitherWindow_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("space") << Qt::Key_Space;
    QTest::newRow("return") << Qt::Key_Return;
    QTest::newRow("enter") << Qt::Key_Enter;
}

void MenuAboutTest::keysTypedIntoAboutReachNeitherWindow()
{
    QFETCH(Qt::Key, key);
    AboutFixture fixture;
    TForm2 &form = fixture.viewer.form();
    TForm1 &about = fixture.about;
    about.ShowAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTRY_COMPARE(QApplication::activeWindow(), &about);
    const bool panel = form.Panel1->isVisible();

    QTest::keyClick(about.windowHandle(), key);

    QCOMPARE(form.Panel1->isVisible(), panel);
    // Nothing pressed "OK" either.
    QVERIFY(about.isVisible());
}

QTEST_MAIN(MenuAboutTest)
#include "tst_menuabout.moc"
