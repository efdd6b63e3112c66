// SPDX-License-Identifier: MIT
// The viewer window's input: wheel and pointer routing, the list panel and
// its keys, touch gestures and the drag pan.

#include "tests/widgets/viewerfixture.h"

#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "logic/zoommath.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>
#include <vector>

namespace {

// Window points over the elements of the list panel, which sits at (40, 40)
// and is 257 x 321; the list fills (56, 56) to (217, 316).
constexpr QPoint PanelMargin(45, 100);
constexpr QPoint CreditLine(100, 340);
constexpr QPoint OnList(100, 100);
constexpr QPoint UpperButton(272, 175);
constexpr QPoint LowerButton(272, 223);
constexpr QPoint OnPicture(1000, 600);
constexpr QPoint OnName(960, 20);

constexpr int ListTop = 56;
constexpr int ListLast = 546;

QPoint rowPoint(const TForm2 &form, int row)
{
    const int position = form.ListBox1->scrollModel().position();
    return {100, ListTop + row * ListBox::RowHeight - position + ListBox::RowHeight / 2};
}

int listPosition(const TForm2 &form)
{
    return form.ListBox1->scrollModel().position();
}

void setListPosition(TForm2 &form, int position)
{
    form.ListBox1->scrollBy(10000);
    form.ListBox1->scrollBy(-position);
    QCOMPARE(listPosition(form), position);
}

// The wheel goes to the element under the pointer, as the window delivers it.
void turnWheel(TForm2 &form, QPoint p, int delta)
{
    QWidget *target = form.childAt(p);
    if (!target)
        target = &form;
    QWheelEvent wheel(target->mapFrom(&form, QPointF(p)), form.mapToGlobal(QPointF(p)), QPoint(),
                      QPoint(0, delta), QGuiApplication::mouseButtons(), Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

// One wheel event as a mouse, a touchpad or a high-resolution wheel sends it.
struct WheelStep
{
    QPoint angle;
    QPoint pixel;
    Qt::ScrollPhase phase = Qt::NoScrollPhase;
};

// The wheel event goes to the native window, which hands it to the element
// under the pointer.
void sendThroughTheWindow(TForm2 &form, QPoint p, const WheelStep &step)
{
    QWheelEvent wheel(QPointF(p), form.mapToGlobal(QPointF(p)), step.pixel, step.angle,
                      Qt::NoButton, Qt::NoModifier, step.phase, false);
    QApplication::sendEvent(form.windowHandle(), &wheel);
}

void typeKey(TForm2 &form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(form.windowHandle(), key, modifiers);
}

// The scale reached from `from` by `steps` zoom steps, each as DoZoom takes it.
float zoomedBy(float from, int steps)
{
    float s = from;
    for (int i = 0; i < std::abs(steps); ++i)
        s = zoommath::zoomStep(s, steps > 0 ? +1 : -1, FitScale).value();
    return s;
}

// The window first came up at the screen's size, so its layers were laid
// out at that fit scale; two size changes lay them out at the current one.
void layOutAtTheFit(TForm2 &form)
{
    const QSize size = form.size();
    form.resize(size + QSize(1, 0));
    form.resize(size);
    QCOMPARE(form.Image1->scale() * form.Image1->unscaledWidth(), float(size.width()));
    QCOMPARE(form.Image1->scale() * form.Image1->unscaledHeight(), float(size.height()));
}

void zoomIn(TForm2 &form, int steps)
{
    for (int i = 0; i < steps; ++i)
        form.DoZoom(+1);
}

// Clicks the entry already selected: the list takes the focus and nothing
// else changes.
void focusList(TForm2 &form)
{
    activate(form);
    const QPoint p = rowPoint(form, form.ListBox1->itemIndex());
    press(form, p);
    release(form, p);
    QVERIFY(form.ListBox1->hasFocus());
}

GestureRecord zoomRecord(unsigned flags, int distance)
{
    return {GestureRecord::Zoom, flags, distance};
}

} // namespace

class InputTest : public QObject
{
    Q_OBJECT

private slots:
    void touchpadPinchZooms_data();
    void touchpadPinchZooms();
    void wheelFollowsThePointer_data();
    void wheelFollowsThePointer();
    void wheelEventsBecomeOneNotificationPerNotch_data();
    void wheelEventsBecomeOneNotificationPerNotch();
    void pressedListOrButtonTakesTheWheelAlone_data();
    void pressedListOrButtonTakesTheWheelAlone();
    void hiddenPanelKeepsTheWheelUntilThePointerMoves();
    void movesOffAPressedPanelReachTheWindow();
    void leavingTheWindowClearsThePanelFlagAndEndsADrag();
    void arrowButtonsPageTheList_data();
    void arrowButtonsPageTheList();
    void keysInTheFocusedList_data();
    void keysInTheFocusedList();
    void spaceTogglesThePanelOnce_data();
    void spaceTogglesThePanelOnce();
    void hidingThePanelTakesTheFocusForGood_data();
    void hidingThePanelTakesTheFocusForGood();
    void pressingAnEntryPresentsItAtOnce_data();
    void pressingAnEntryPresentsItAtOnce();
    void pinchZoomsByTheChangeBetweenNotifications_data();
    void pinchZoomsByTheChangeBetweenNotifications();
    void gesturesActOrPassOn_data();
    void gesturesActOrPassOn();
    void touchOnTheWindowMakesGestures();
    void dragStepsAreJudgedPerAxis_data();
    void dragStepsAreJudgedPerAxis();
    void onlyTheLeftButtonStartsADrag();
    void releaseOverThePanelEndsTheDrag();
};

void InputTest::wheelFollowsThePointer_data()
{
    QTest::addColumn<QList<QPoint>>("route");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("listStart");
    QTest::addColumn<bool>("overPanel");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("listEnd");

    const QList<QPoint> viaMargin{OnPicture, PanelMargin, OnList};
    QTest::newRow("picture, away") << QList{OnPicture} << 120 << 100 << false << 1 << 100;
    QTest::newRow("picture, toward") << QList{OnPicture} << -120 << 100 << false << -1 << 100;
    QTest::newRow("picture, zero") << QList{OnPicture} << 0 << 100 << false << -1 << 100;
    QTest::newRow("picture, big turn") << QList{OnPicture} << 960 << 100 << false << 1 << 100;
    QTest::newRow("name label") << QList{PanelMargin, OnName} << 120 << 100 << false << 1 << 100;
    QTest::newRow("list via margin, toward") << viaMargin << -120 << 100 << true << 0 << 126;
    QTest::newRow("list via margin, away") << viaMargin << 120 << 100 << true << 0 << 74;
    QTest::newRow("list via margin, zero") << viaMargin << 0 << 100 << true << 0 << 74;
    QTest::newRow("list via margin, big turn") << viaMargin << -960 << 100 << true << 0 << 126;
    QTest::newRow("button via margin")
        << QList{OnPicture, PanelMargin, UpperButton} << -120 << 100 << true << 0 << 126;
    QTest::newRow("list via button via margin")
        << QList{PanelMargin, LowerButton, OnList} << 120 << 100 << true << 0 << 74;
    QTest::newRow("credit line") << QList{OnPicture, CreditLine} << -120 << 100 << true << 0 << 126;
    QTest::newRow("list at the top") << viaMargin << 120 << 0 << true << 0 << 0;
    QTest::newRow("list at the bottom") << viaMargin << -120 << ListLast << true << 0 << ListLast;
    QTest::newRow("jump onto the list")
        << QList{OnPicture, OnList} << -120 << 100 << false << -1 << 100;
    QTest::newRow("jump onto a button")
        << QList{OnPicture, LowerButton} << 120 << 100 << false << 1 << 100;
    QTest::newRow("margin, then picture")
        << QList{PanelMargin, OnPicture} << 120 << 100 << false << 1 << 100;
}

void InputTest::wheelFollowsThePointer()
{
    QFETCH(QList<QPoint>, route);
    QFETCH(int, delta);
    QFETCH(int, listStart);
    QFETCH(bool, overPanel);
    QFETCH(int, zoomSteps);
    QFETCH(int, listEnd);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    setListPosition(form, listStart);
    const int selected = form.ListBox1->itemIndex();

    for (const QPoint p : route)
        hover(form, p);
    QCOMPARE(MouseOverPanel, overPanel);
    turnWheel(form, route.last(), delta);

    QCOMPARE(form.Image1->scale(), zoomedBy(scale, zoomSteps));
    verifyInRegister(form);
    QCOMPARE(listPosition(form), listEnd);
    QCOMPARE(form.ListBox1->itemIndex(), selected);
}

void InputTest::wheelEventsBecomeOneNotificationPerNotch_data()
{
    QTest::addColumn<bool>("overList");
    QTest::addColumn<std::vector<WheelStep>>("events");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("listEnd");

    const auto mouse = [](int delta) { return WheelStep{{0, delta}, {}, Qt::NoScrollPhase}; };
    const auto pad = [](int delta, Qt::ScrollPhase phase = Qt::ScrollUpdate) {
        // A touchpad reports the pixels moved beside the angle.
        return WheelStep{{0, delta}, {0, delta / 4}, phase};
    };
    const WheelStep begin = pad(0, Qt::ScrollBegin);
    const WheelStep end = pad(0, Qt::ScrollEnd);

    QTest::newRow("mouse notch away") << false << std::vector{mouse(120)} << 1 << 100;
    QTest::newRow("mouse notches toward")
        << false << std::vector{mouse(-120), mouse(-120)} << -2 << 100;
    QTest::newRow("mouse zero") << false << std::vector{mouse(0)} << -1 << 100;
    QTest::newRow("horizontal notch")
        << false << std::vector{WheelStep{{120, 0}, {}, Qt::NoScrollPhase}} << 1 << 100;
    QTest::newRow("touchpad, one notch in quarters")
        << false << std::vector{begin, pad(30), pad(30), pad(30), pad(30), end} << 1 << 100;
    QTest::newRow("touchpad, 300 units")
        << false << std::vector{begin, pad(60), pad(60), pad(60), pad(60), pad(60), end} << 2
        << 100;
    QTest::newRow("touchpad toward the user")
        << false << std::vector{begin, pad(-50), pad(-50), pad(-50), end} << -1 << 100;
    QTest::newRow("touchpad, less than a notch")
        << false << std::vector{begin, pad(50), pad(50), end, begin, pad(50), end} << 0 << 100;
    QTest::newRow("begin and end alone") << false << std::vector{begin, end} << 0 << 100;
    QTest::newRow("pixels without an angle")
        << false << std::vector{WheelStep{{}, {0, 40}, Qt::ScrollUpdate}} << 0 << 100;
    QTest::newRow("high-resolution wheel")
        << false << std::vector{mouse(30), mouse(30), mouse(30), mouse(30)} << 1 << 100;
    QTest::newRow("list, mouse notch") << true << std::vector{mouse(-120)} << 0 << 126;
    QTest::newRow("list, touchpad notch in thirds")
        << true << std::vector{begin, pad(40), pad(40), pad(40), end} << 0 << 74;
    QTest::newRow("list, begin and end alone") << true << std::vector{begin, end} << 0 << 100;
}

void InputTest::wheelEventsBecomeOneNotificationPerNotch()
{
    QFETCH(bool, overList);
    QFETCH(std::vector<WheelStep>, events);
    QFETCH(int, zoomSteps);
    QFETCH(int, listEnd);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    form.DoZoom(+1);
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    setListPosition(form, 100);
    if (overList) {
        hover(form, PanelMargin);
        hover(form, OnList);
    } else {
        hover(form, OnPicture);
    }

    for (const WheelStep &step : events)
        sendThroughTheWindow(form, overList ? OnList : OnPicture, step);

    QCOMPARE(form.Image1->scale(), zoomedBy(scale, zoomSteps));
    verifyInRegister(form);
    QCOMPARE(listPosition(form), listEnd);
}

void InputTest::pressedListOrButtonTakesTheWheelAlone_data()
{
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("wheelAt");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("listMove");

    // The list shows 100..360, so the pressed row is already in view.
    const QPoint row(100, ListTop + 30);
    QTest::newRow("list, away") << row << row << 120 << -26;
    QTest::newRow("list, toward") << row << row << -120 << 26;
    QTest::newRow("list, pointer dragged onto the picture") << row << OnPicture << 120 << -26;
    QTest::newRow("upper button") << UpperButton << UpperButton << 120 << 0;
    QTest::newRow("lower button, pointer dragged off") << LowerButton << OnPicture << -120 << 0;
}

void InputTest::pressedListOrButtonTakesTheWheelAlone()
{
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, wheelAt);
    QFETCH(int, delta);
    QFETCH(int, listMove);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    setListPosition(form, 100);
    // Straight from the picture: unpressed, the wheel here would zoom.
    hover(form, OnPicture);
    hover(form, pressAt);
    press(form, pressAt);
    hover(form, wheelAt);
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    const int position = listPosition(form);

    turnWheel(form, wheelAt, delta);

    QCOMPARE(form.Image1->scale(), scale);
    QCOMPARE(listPosition(form), position + listMove);
    release(form, wheelAt);
}

void InputTest::hiddenPanelKeepsTheWheelUntilThePointerMoves()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    activate(form);
    setListPosition(form, 100);
    hover(form, PanelMargin);
    QVERIFY(MouseOverPanel);

    typeKey(form, Qt::Key_Space);
    QVERIFY(form.Panel1->isHidden());
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    turnWheel(form, PanelMargin, -120);
    QCOMPARE(listPosition(form), 126);
    QCOMPARE(form.Image1->scale(), scale);

    hover(form, PanelMargin + QPoint(1, 0));
    QVERIFY(!MouseOverPanel);
    turnWheel(form, PanelMargin + QPoint(1, 0), -120);
    QCOMPARE(listPosition(form), 126);
    QCOMPARE(form.Image1->scale(), zoomedBy(scale, -1));
}

void InputTest::movesOffAPressedPanelReachTheWindow()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    setListPosition(form, 100);
    hover(form, PanelMargin);
    press(form, PanelMargin);
    hover(form, PanelMargin + QPoint(2, 3));
    QVERIFY(MouseOverPanel);

    // The panel's surface does not hold the pointer: over the picture the
    // window sees the moves and the wheel zooms.
    hover(form, OnPicture);
    QVERIFY(!MouseOverPanel);
    form.DoZoom(+1);
    const float scale = form.Image1->scale();
    turnWheel(form, OnPicture, 120);
    QCOMPARE(form.Image1->scale(), zoomedBy(scale, 1));
    QCOMPARE(listPosition(form), 100);
    release(form, OnPicture);
    QVERIFY(!DragActive);
}

void InputTest::leavingTheWindowClearsThePanelFlagAndEndsADrag()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    hover(form, PanelMargin);
    QVERIFY(MouseOverPanel);
    form.FormMouseDown(Qt::LeftButton, 500.0f, 500.0f);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(form.windowHandle(), &leave);

    QVERIFY(!MouseOverPanel);
    QVERIFY(!DragActive);
}

void InputTest::arrowButtonsPageTheList_data()
{
    QTest::addColumn<QPoint>("button");
    QTest::addColumn<int>("listStart");
    QTest::addColumn<int>("listEnd");
    QTest::newRow("upper at the top") << UpperButton << 0 << 0;
    QTest::newRow("upper, a page") << UpperButton << 300 << 40;
    QTest::newRow("upper, less than a page") << UpperButton << 200 << 0;
    QTest::newRow("lower, a page") << LowerButton << 0 << 260;
    QTest::newRow("lower, a second page") << LowerButton << 260 << 520;
    QTest::newRow("lower stops at the last entry") << LowerButton << 500 << ListLast;
    QTest::newRow("lower at the bottom") << LowerButton << ListLast << ListLast;
}

void InputTest::arrowButtonsPageTheList()
{
    QFETCH(QPoint, button);
    QFETCH(int, listStart);
    QFETCH(int, listEnd);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    setListPosition(form, listStart);
    const int selected = form.ListBox1->itemIndex();

    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, button);

    QCOMPARE(listPosition(form), listEnd);
    QCOMPARE(form.ListBox1->itemIndex(), selected);
    QCOMPARE(CurrentPicture, selected);
}

void InputTest::keysInTheFocusedList_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("position");

    // Each row starts with the list at the top and `start` scrolled into view.
    QTest::newRow("down below the view") << 9 << int(Qt::Key_Down) << 10 << 26;
    QTest::newRow("right") << 4 << int(Qt::Key_Right) << 5 << 0;
    QTest::newRow("up inside the view") << 12 << int(Qt::Key_Up) << 11 << 78;
    QTest::newRow("left") << 5 << int(Qt::Key_Left) << 4 << 0;
    QTest::newRow("up at the first") << 0 << int(Qt::Key_Up) << 0 << 0;
    QTest::newRow("down at the last") << 30 << int(Qt::Key_Down) << 30 << ListLast;
    QTest::newRow("home") << 30 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("end") << 3 << int(Qt::Key_End) << 30 << ListLast;
    QTest::newRow("page down") << 0 << int(Qt::Key_PageDown) << 9 << 0;
    QTest::newRow("page down stops at the last") << 25 << int(Qt::Key_PageDown) << 30 << ListLast;
    QTest::newRow("page up") << 30 << int(Qt::Key_PageUp) << 21 << ListLast;
    QTest::newRow("page up stops at the first") << 3 << int(Qt::Key_PageUp) << 0 << 0;
    QTest::newRow("letter of an entry") << 12 << int(Qt::Key_P) << 12 << 78;
    QTest::newRow("digit of an entry") << 12 << int(Qt::Key_3) << 12 << 78;
}

void InputTest::keysInTheFocusedList()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, index);
    QFETCH(int, position);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    setListPosition(form, 0);
    viewer.present(start);
    focusList(form);

    typeKey(form, Qt::Key(key));

    QCOMPARE(form.ListBox1->itemIndex(), index);
    QCOMPARE(CurrentPicture, index);
    QCOMPARE(LoopIndex, index);
    QCOMPARE(listPosition(form), position);
    QVERIFY(form.Panel1->isVisible());
    QVERIFY(form.ListBox1->hasFocus());
}

void InputTest::spaceTogglesThePanelOnce_data()
{
    QTest::addColumn<bool>("listFocused");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("toggles");
    for (const bool focused : {false, true}) {
        const char *where = focused ? "list focused" : "no focus";
        QTest::addRow("%s, plain", where) << focused << Qt::KeyboardModifiers() << true;
        QTest::addRow("%s, shift", where)
            << focused << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
        QTest::addRow("%s, ctrl", where)
            << focused << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
        QTest::addRow("%s, alt", where)
            << focused << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    }
}

void InputTest::spaceTogglesThePanelOnce()
{
    QFETCH(bool, listFocused);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, toggles);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    activate(form);
    // The list has the focus from the start; only hiding the panel takes it.
    if (listFocused)
        focusList(form);
    else
        form.ListBox1->clearFocus();
    const int selected = form.ListBox1->itemIndex();

    typeKey(form, Qt::Key_Space, modifiers);

    QCOMPARE(form.Panel1->isVisible(), !toggles);
    QCOMPARE(form.ListBox1->hasFocus(), listFocused && !toggles);
    QCOMPARE(form.ListBox1->itemIndex(), selected);
}

void InputTest::hidingThePanelTakesTheFocusForGood_data()
{
    QTest::addColumn<bool>("byDoubleTap");
    QTest::addColumn<bool>("windowActive");
    QTest::newRow("space") << false << true;
    QTest::newRow("double tap") << true << true;
    QTest::newRow("double tap while another window is active") << true << false;
}

void InputTest::hidingThePanelTakesTheFocusForGood()
{
    QFETCH(bool, byDoubleTap);
    QFETCH(bool, windowActive);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    focusList(form);
    QWidget other;
    if (!windowActive) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(form.focusWidget(), form.ListBox1);
    }

    if (byDoubleTap) {
        bool handled = false;
        form.FormGesture({GestureRecord::DoubleTap, 0, 0}, handled);
    } else {
        typeKey(form, Qt::Key_Space);
    }
    QVERIFY(form.Panel1->isHidden());
    QVERIFY(form.focusWidget() != form.ListBox1);

    other.hide();
    activate(form);
    typeKey(form, Qt::Key_Space);
    QVERIFY(form.Panel1->isVisible());
    QVERIFY(!form.ListBox1->hasFocus());
    const int selected = form.ListBox1->itemIndex();
    typeKey(form, Qt::Key_Down);
    QCOMPARE(form.ListBox1->itemIndex(), selected);

    focusList(form);
    typeKey(form, Qt::Key_Down);
    QCOMPARE(form.ListBox1->itemIndex(), selected + 1);
}

void InputTest::pressingAnEntryPresentsItAtOnce_data()
{
    QTest::addColumn<int>("pressRow");
    QTest::addColumn<QList<int>>("dragRows");
    QTest::addColumn<QList<int>>("presented");

    // The list starts on entry 20, showing entries 11..20.
    QTest::newRow("another entry") << 14 << QList<int>{} << QList<int>{14};
    QTest::newRow("dragged down the list")
        << 12 << QList<int>{13, 14, 15} << QList<int>{12, 13, 14, 15};
    QTest::newRow("the selected entry") << 20 << QList<int>{} << QList<int>{};
    QTest::newRow("dragged back onto the first")
        << 16 << QList<int>{17, 16} << QList<int>{16, 17, 16};
}

void InputTest::pressingAnEntryPresentsItAtOnce()
{
    QFETCH(int, pressRow);
    QFETCH(QList<int>, dragRows);
    QFETCH(QList<int>, presented);
    QList<int> changes;
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.finishFades();
    connect(form.ListBox1, &ListBox::changed, this, [&] { changes << CurrentPicture; });
    QSignalSpy clicks(form.ListBox1, &ListBox::clicked);

    const QPoint first = rowPoint(form, pressRow);
    hover(form, first);
    press(form, first);
    QCOMPARE(changes, presented.mid(0, 1));
    QPoint last = first;
    for (int row : dragRows) {
        last = rowPoint(form, row);
        hover(form, last);
    }
    QCOMPARE(changes, presented);
    viewer.advance(100);
    const float opacity = form.Image1->opacity();

    release(form, last);

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(changes, presented);
    const int expected = presented.isEmpty() ? 20 : presented.last();
    QCOMPARE(CurrentPicture, expected);
    QCOMPARE(LoopIndex, expected);
    // The click presents nothing new: a running fade goes on undisturbed.
    QCOMPARE(form.Image1->opacity(), opacity);
}

void InputTest::pinchZoomsByTheChangeBetweenNotifications_data()
{
    using G = GestureRecord;
    QTest::addColumn<int>("zoomedIn");
    QTest::addColumn<std::vector<GestureRecord>>("records");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("lastDistance");

    QTest::newRow("slow spread never zooms")
        << 0 << std::vector{zoomRecord(G::Begin, 100), zoomRecord(0, 103), zoomRecord(0, 106),
                            zoomRecord(0, 109),        zoomRecord(0, 112), zoomRecord(G::End, 112)}
        << 0 << 112;
    QTest::newRow("fast spread, a step each")
        << 0
        << std::vector{zoomRecord(G::Begin, 100), zoomRecord(0, 120), zoomRecord(0, 140),
                       zoomRecord(0, 160), zoomRecord(G::End, 160)}
        << 3 << 160;
    QTest::newRow("fast pinch, a step each")
        << 3 << std::vector{zoomRecord(G::Begin, 300), zoomRecord(0, 280), zoomRecord(0, 260)} << -2
        << 260;
    QTest::newRow("a change of 4 is too small")
        << 1 << std::vector{zoomRecord(G::Begin, 100), zoomRecord(0, 104), zoomRecord(0, 100)} << 0
        << 100;
    QTest::newRow("a change of 5 zooms in")
        << 0 << std::vector{zoomRecord(G::Begin, 100), zoomRecord(0, 105)} << 1 << 105;
    QTest::newRow("a change of -5 zooms out")
        << 1 << std::vector{zoomRecord(G::Begin, 100), zoomRecord(0, 95)} << -1 << 95;
    QTest::newRow("the begin only sets the distance")
        << 0 << std::vector{zoomRecord(G::Begin, 400)} << 0 << 400;
    QTest::newRow("the end only sets handled")
        << 1 << std::vector{zoomRecord(G::End, 500)} << 0 << 77;
    QTest::newRow("without a begin the last distance counts")
        << 0 << std::vector{zoomRecord(0, 90)} << 1 << 90;
}

void InputTest::pinchZoomsByTheChangeBetweenNotifications()
{
    QFETCH(int, zoomedIn);
    QFETCH(std::vector<GestureRecord>, records);
    QFETCH(int, zoomSteps);
    QFETCH(int, lastDistance);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    zoomIn(form, zoomedIn);
    const float scale = form.Image1->scale();
    LastGestureDistance = 77;

    for (const GestureRecord &record : records) {
        bool handled = false;
        form.FormGesture(record, handled);
        QVERIFY(handled);
    }

    QCOMPARE(form.Image1->scale(), zoomedBy(scale, zoomSteps));
    verifyInRegister(form);
    QCOMPARE(LastGestureDistance, lastDistance);
}

void InputTest::gesturesActOrPassOn_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("handledIn");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("panelVisible");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("position");

    // The list shows entries 11..20 throughout unless the row says otherwise.
    QTest::newRow("long tap") << 264 << 12 << false << true << true << 13 << 286;
    QTest::newRow("long tap wraps to the first") << 264 << 30 << false << true << true << 0 << 0;
    QTest::newRow("double tap") << 265 << 12 << false << true << false << 12 << 286;
    QTest::newRow("left swipe") << 1 << 12 << false << true << true << 12 << 286;
    QTest::newRow("right swipe") << 2 << 12 << false << true << true << 12 << 286;
    QTest::newRow("pan") << 260 << 12 << false << true << true << 12 << 286;
    QTest::newRow("rotate") << 261 << 12 << false << false << true << 12 << 286;
    QTest::newRow("two-finger tap") << 262 << 12 << false << false << true << 12 << 286;
    QTest::newRow("press and tap") << 263 << 12 << false << false << true << 12 << 286;
    QTest::newRow("none") << 0 << 12 << false << false << true << 12 << 286;
    QTest::newRow("unknown, already handled") << 263 << 12 << true << true << true << 12 << 286;
}

void InputTest::gesturesActOrPassOn()
{
    QFETCH(int, id);
    QFETCH(int, start);
    QFETCH(bool, handledIn);
    QFETCH(bool, handled);
    QFETCH(bool, panelVisible);
    QFETCH(int, entry);
    QFETCH(int, position);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    viewer.present(start);
    form.DoZoom(+1);
    const float scale = form.Image1->scale();

    bool result = handledIn;
    form.FormGesture({std::int16_t(id), GestureRecord::Begin, 200}, result);

    QCOMPARE(result, handled);
    QCOMPARE(form.Panel1->isVisible(), panelVisible);
    QCOMPARE(LoopIndex, entry);
    QCOMPARE(CurrentPicture, entry);
    QCOMPARE(form.ListBox1->itemIndex(), entry);
    QCOMPARE(listPosition(form), position);
    if (entry == start)
        QCOMPARE(form.Image1->scale(), scale);
}

void InputTest::touchOnTheWindowMakesGestures()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    activate(form);
    static QPointingDevice *const screen = QTest::createTouchDevice();
    QWindow *window = form.windowHandle();
    const float scale = form.Image1->scale();

    // Two fingers spread 20 units per event: the first change begins the
    // gesture, the second zooms one step.
    QTest::touchEvent(window, screen).press(0, {900, 600}).press(1, {1000, 600});
    QTest::touchEvent(window, screen).move(0, {890, 600}).move(1, {1010, 600});
    QTest::touchEvent(window, screen).move(0, {880, 600}).move(1, {1020, 600});
    QTest::touchEvent(window, screen).release(0, {880, 600}).release(1, {1020, 600});
    QCOMPARE(form.Image1->scale(), zoomedBy(scale, 1));
    verifyInRegister(form);

    // Two quick taps on the picture hide the panel.
    const QPoint tap(1200, 500);
    QTest::touchEvent(window, screen).press(0, tap);
    QTest::touchEvent(window, screen).release(0, tap);
    QTest::touchEvent(window, screen).press(0, tap);
    QTest::touchEvent(window, screen).release(0, tap);
    QVERIFY(form.Panel1->isHidden());
}

void InputTest::touchpadPinchZooms_data()
{
    QTest::addColumn<QString>("under");
    QTest::addColumn<double>("delta");
    QTest::addColumn<int>("steps");
    QTest::newRow("spread over the picture") << QStringLiteral("picture") << 0.02 << 2;
    QTest::newRow("spread over the list") << QStringLiteral("list") << 0.02 << 2;
    QTest::newRow("too slow to zoom") << QStringLiteral("picture") << 0.008 << 0;
}

void InputTest::touchpadPinchZooms()
{
    QFETCH(QString, under);
    QFETCH(double, delta);
    QFETCH(int, steps);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    const float scale = form.Image1->scale();
    QWidget *target = under == QLatin1String("list") ? static_cast<QWidget *>(form.ListBox1)
                                                     : static_cast<QWidget *>(&form);
    const QPointF at(40, 40);
    auto send = [&](Qt::NativeGestureType type, qreal value) {
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, at, at,
                                  target->mapToGlobal(at), value, {});
        QApplication::sendEvent(target, &event);
    };
    // Three events of the same spread: the first begins, each later one zooms
    // once its change is large enough.
    send(Qt::BeginNativeGesture, 0);
    for (int i = 0; i < 3; ++i)
        send(Qt::ZoomNativeGesture, delta);
    send(Qt::EndNativeGesture, 0);
    QCOMPARE(form.Image1->scale(), zoomedBy(scale, steps));
    verifyInRegister(form);
}

void InputTest::dragStepsAreJudgedPerAxis_data()
{
    QTest::addColumn<int>("layoutSteps");
    QTest::addColumn<int>("zoomedIn");
    QTest::addColumn<QPointF>("pressAt");
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<QPointF>("shift");
    QTest::addColumn<bool>("dragging");
    QTest::addColumn<QPointF>("fDown");

    // 1920 x 1080 at fit scale 1: one zoom step lets the layers move 96 units
    // either way across and 54 up or down from the centre.
    const QPointF at(1000, 600);
    QTest::newRow("below the layout scale nothing moves")
        << 2 << 0 << at << QList<QPointF>{{990, 595}, {1010, 610}} << QPointF(0, 0) << true
        << QPointF(1010, 610);
    QTest::newRow("at the fit nothing moves")
        << 0 << 0 << at << QList<QPointF>{{990, 595}, {1010, 610}} << QPointF(0, 0) << true
        << QPointF(1010, 610);
    QTest::newRow("zoomed in, inside the limits")
        << 0 << 1 << at << QList<QPointF>{{990, 595}, {1000, 610}} << QPointF(0, 10) << true
        << QPointF(1000, 610);
    QTest::newRow("left edge would show, x dropped")
        << 0 << 1 << at << QList<QPointF>{{1100, 620}} << QPointF(0, 20) << true
        << QPointF(1100, 620);
    QTest::newRow("bottom edge would show, y dropped")
        << 0 << 1 << at << QList<QPointF>{{990, 470}} << QPointF(-10, 0) << true
        << QPointF(990, 470);
    QTest::newRow("a dropped step is not shortened")
        << 0 << 1 << at << QList<QPointF>{{1050, 600}, {1100, 600}, {1140, 600}} << QPointF(90, 0)
        << true << QPointF(1140, 600);
    QTest::newRow("negative x keeps the drag")
        << 0 << 1 << QPointF(10, 600) << QList<QPointF>{{-5, 600}, {5, 600}} << QPointF(-5, 0)
        << true << QPointF(5, 600);
    QTest::newRow("negative y ends the drag")
        << 0 << 1 << at << QList<QPointF>{{990, -1}, {980, 590}} << QPointF(0, 0) << false << at;
}

void InputTest::dragStepsAreJudgedPerAxis()
{
    QFETCH(int, layoutSteps);
    QFETCH(int, zoomedIn);
    QFETCH(QPointF, pressAt);
    QFETCH(QList<QPointF>, moves);
    QFETCH(QPointF, shift);
    QFETCH(bool, dragging);
    QFETCH(QPointF, fDown);
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    layOutAtTheFit(form);
    if (layoutSteps > 0) {
        // Laid out while zoomed in, then given the smaller fit scale.
        zoomIn(form, layoutSteps);
        form.resize(1920, 1090);
        QCoreApplication::processEvents();
        QVERIFY(form.Image1->scale() * form.Image1->unscaledWidth() < form.width());
    }
    zoomIn(form, zoomedIn);
    const float x = form.Image1->x();
    const float y = form.Image1->y();

    form.FormMouseDown(Qt::LeftButton, float(pressAt.x()), float(pressAt.y()));
    for (const QPointF &p : moves) {
        form.FormMouseMove(float(p.x()), float(p.y()));
        verifyInRegister(form);
    }

    QVERIFY(std::abs(form.Image1->x() - (x + shift.x())) < 1e-3);
    QVERIFY(std::abs(form.Image1->y() - (y + shift.y())) < 1e-3);
    QCOMPARE(DragActive, dragging);
    QCOMPARE(form.fDownX(), float(fDown.x()));
    QCOMPARE(form.fDownY(), float(fDown.y()));
}

void InputTest::onlyTheLeftButtonStartsADrag()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    layOutAtTheFit(form);
    zoomIn(form, 1);
    const float x = form.Image1->x();

    form.FormMouseDown(Qt::MiddleButton, 1000.0f, 600.0f);
    form.FormMouseMove(990.0f, 600.0f);
    QVERIFY(!DragActive);
    QCOMPARE(form.Image1->x(), x);

    form.FormMouseDown(Qt::LeftButton, 1000.0f, 600.0f);
    form.FormMouseUp(Qt::MiddleButton, 1000.0f, 600.0f);
    QVERIFY(!DragActive);
    form.FormMouseMove(990.0f, 600.0f);
    QCOMPARE(form.Image1->x(), x);
}

void InputTest::releaseOverThePanelEndsTheDrag()
{
    ViewerFixture viewer;
    TForm2 &form = viewer.form();
    layOutAtTheFit(form);
    // Two steps in: 192 units of travel either way across, 108 up or down.
    zoomIn(form, 2);
    const float x = form.Image1->x();
    const float y = form.Image1->y();

    const QPoint start(320, 300);
    const QPoint overList(200, 200);
    hover(form, start);
    press(form, start);
    QVERIFY(DragActive);
    // Over the panel the pressed pointer still belongs to the window.
    hover(form, overList);
    QVERIFY(std::abs(form.Image1->x() - (x - 120)) < 1e-3);
    QVERIFY(std::abs(form.Image1->y() - (y - 100)) < 1e-3);
    release(form, overList);
    QVERIFY(!DragActive);

    const float heldX = form.Image1->x();
    const float heldY = form.Image1->y();
    hover(form, start);
    QCOMPARE(form.Image1->x(), heldX);
    QCOMPARE(form.Image1->y(), heldY);
    verifyInRegister(form);
}

QTEST_MAIN(InputTest)
#include "tst_input.moc"
