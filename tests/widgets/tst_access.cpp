// SPDX-License-Identifier: MIT
// The viewer for users off the mouse-and-1080p path: what a screen reader
// finds and hears, the keyboard from the first moment, a finger on the
// list, and the name label's exact centre.

#include "tests/widgets/viewerfixture.h"

#include "about/Unit1.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"
#include "catalogue/resourceassetstore.h"
#include "elements/fittedimage.h"
#include "elements/linklabel.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "elements/speedbutton.h"
#include "elements/textelement.h"
#include "viewer/Unit2.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QPointingDevice>
#include <QTest>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <cmath>
#include <functional>

namespace {

constexpr int ListTop = 56;
constexpr int ListLast = 546;
// Entry 20 is on screen at the start, the list showing entries 11..20.
constexpr int Start = 20;
constexpr int StartPosition = 286;

QPoint rowPoint(const TForm2 &form, int row)
{
    const int position = form.ListBox1->scrollModel().position();
    return {100, ListTop + row * ListBox::RowHeight - position + ListBox::RowHeight / 2};
}

// Every interface below `root`, depth first.
void walk(QAccessibleInterface *root, const std::function<void(QAccessibleInterface *)> &visit)
{
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        QVERIFY(child);
        QCOMPARE(child->parent(), root);
        visit(child);
        walk(child, visit);
    }
}

// The interface the walk from `window` reaches for `widget`.
QAccessibleInterface *reached(QWidget &window, QObject *widget)
{
    QAccessibleInterface *found = nullptr;
    walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface *iface) {
        if (iface->object() == widget)
            found = iface;
    });
    return found;
}

// The store the program uses, counting every picture or overlay decoded.
class CountingStore : public AssetStore
{
public:
    AssetView open(const QString &name) const override
    {
        return ResourceAssetStore::embedded().open(name);
    }
    void doneReading(const AssetView &) const override { ++decodes; }

    mutable int decodes = 0;
};

// Notes the screen reader events of the list and the name label, as
// "select 21", "unselect 20", "focus 21" (an entry), "focus list" and "name".
class EventSpy
{
public:
    explicit EventSpy(TForm2 &form)
    {
        s_form = &form;
        s_events = &events;
        m_previous = QAccessible::installUpdateHandler(record);
    }
    ~EventSpy()
    {
        QAccessible::installUpdateHandler(m_previous);
        s_events = nullptr;
    }

    QStringList events;

private:
    static void record(QAccessibleEvent *event)
    {
        if (!s_events)
            return;
        const QString child = QString::number(event->child());
        if (event->object() == s_form->ListBox1) {
            switch (event->type()) {
            case QAccessible::Selection:
                *s_events << QStringLiteral("select ") + child;
                break;
            case QAccessible::SelectionRemove:
                *s_events << QStringLiteral("unselect ") + child;
                break;
            case QAccessible::Focus:
                *s_events << (event->child() < 0 ? QStringLiteral("focus list")
                                                 : QStringLiteral("focus ") + child);
                break;
            default:
                break;
            }
        } else if (event->object() == s_form->Label1 && event->type() == QAccessible::NameChanged) {
            *s_events << QStringLiteral("name");
        }
    }

    static inline TForm2 *s_form = nullptr;
    static inline QStringList *s_events = nullptr;
    QAccessible::UpdateHandler m_previous;
};

// Receives the addresses handed to the desktop in place of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

QPointingDevice *touchScreen()
{
    static QPointingDevice *const device = QTest::createTouchDevice();
    return device;
}

} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void screenReaderFindsEveryControl_data();
    void screenReaderFindsEveryControl();
    void listExposesItsEntries();
    void selectionChangesAreAnnounced_data();
    void selectionChangesAreAnnounced();
    void aboutWindowLinkAndEmblem();
    void listKeysWorkFromTheStart_data();
    void listKeysWorkFromTheStart();
    void fingerOnTheListPansOrChooses_data();
    void fingerOnTheListPansOrChooses();
    void pinchOverTheListZoomsOnly();
    void nameIsCentredToTheHalfUnit_data();
    void nameIsCentredToTheHalfUnit();
};

void AccessTest::initTestCase()
{
    // Without a screen reader listening, the platform sends no events at all.
    QPlatformAccessibility *platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void AccessTest::screenReaderFindsEveryControl_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");

    // Names in braces are the texts of the entry on screen.
    QTest::newRow("list") << "list" << int(QAccessible::List) << "Pictures";
    QTest::newRow("lower arrow") << "lower arrow" << int(QAccessible::Button)
                                 << "Scroll the list down one page";
    QTest::newRow("upper arrow") << "upper arrow" << int(QAccessible::Button)
                                 << "Scroll the list up one page";
    QTest::newRow("name label") << "name label" << int(QAccessible::StaticText) << "{name}";
    QTest::newRow("credit line") << "credit line" << int(QAccessible::StaticText) << "{credit}";
    QTest::newRow("fact-sheet labels")
        << "fact-sheet labels" << int(QAccessible::StaticText) << "{fields}";
    QTest::newRow("fact-sheet values")
        << "fact-sheet values" << int(QAccessible::StaticText) << "{facts}";
}

void AccessTest::screenReaderFindsEveryControl()
{
    QFETCH(QString, element);
    QFETCH(int, role);
    QFETCH(QString, name);
    ViewerFixture viewer({Start});
    TForm2 &form = viewer.form();
    const QHash<QString, QWidget *> elements{
        {"list", form.ListBox1},
        {"lower arrow", form.SpeedButton1},
        {"upper arrow", form.SpeedButton2},
        {"name label", form.Label1},
        {"credit line", form.Label2},
        {"fact-sheet labels", form.Text1},
        {"fact-sheet values", form.Text2},
    };
    const QHash<QString, QString> texts{
        {"{name}", PictureNames[Start]},
        {"{credit}", catalogue::creditLine(Start)},
        {"{fields}", QString::fromLatin1(catalogue::FieldLabels)},
        {"{facts}", PictureInfo[Start]},
    };
    QWidget *widget = elements.value(element);
    const QString expected = texts.value(name, name);
    QVERIFY(!expected.isEmpty());

    QAccessibleInterface *iface = reached(form, widget);
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), expected);
    QCOMPARE(bool(iface->state().invisible), !widget->isVisible());
    if (role == QAccessible::Button) {
        // The action a screen reader offers pages the list as a click does.
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(form.ListBox1->scrollModel().position(),
                     widget == form.SpeedButton1 ? ListLast : StartPosition - 260);
    }
}

void AccessTest::listExposesItsEntries()
{
    ViewerFixture viewer({Start});
    TForm2 &form = viewer.form();
    activate(form);
    QAccessibleInterface *list = reached(form, form.ListBox1);
    QVERIFY(list);

    QCOMPARE(list->childCount(), 31);
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface *entry = list->child(i);
        QVERIFY(entry);
        QCOMPARE(list->child(i), entry);
        QCOMPARE(list->indexOfChild(entry), i);
        QCOMPARE(entry->role(), QAccessible::ListItem);
        QCOMPARE(entry->text(QAccessible::Name), catalogue::listRowText(i, PictureNames[i]));
        const QAccessible::State state = entry->state();
        QVERIFY(state.selectable);
        QCOMPARE(bool(state.selected), i == Start);
        QCOMPARE(bool(state.focused), i == Start);
        QCOMPARE(bool(state.offscreen), i < 11 || i > 20);
        if (!state.offscreen)
            QCOMPARE(list->childAt(entry->rect().center().x(), entry->rect().center().y()), entry);
    }
    QCOMPARE(list->focusChild(), list->child(Start));

    // Choosing an entry through its action presents it.
    list->child(14)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(CurrentPicture, 14);
    QVERIFY(list->child(14)->state().selected);
    QVERIFY(!list->child(Start)->state().selected);
}

void AccessTest::selectionChangesAreAnnounced_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("events");

    const QStringList down{"unselect 20", "select 21", "focus 21", "name"};
    QTest::newRow("key down") << "key down" << down;
    QTest::newRow("press on an entry")
        << "press on an entry" << QStringList{"unselect 20", "select 14", "focus 14", "name"};
    QTest::newRow("set by code, list focused")
        << "set by code" << QStringList{"unselect 20", "select 5", "focus 5", "name"};
    QTest::newRow("set by code, list unfocused")
        << "set by code, unfocused" << QStringList{"unselect 20", "select 5", "name"};
    QTest::newRow("the entry already selected") << "press on the selected entry" << QStringList{};
    QTest::newRow("focus comes back")
        << "focus comes back" << QStringList{"focus list", "focus 20"};
}

void AccessTest::selectionChangesAreAnnounced()
{
    QFETCH(QString, change);
    QFETCH(QStringList, events);
    ViewerFixture viewer({Start});
    TForm2 &form = viewer.form();
    activate(form);
    if (change.endsWith(QLatin1String("unfocused")) || change == QLatin1String("focus comes back"))
        form.ListBox1->clearFocus();
    QCoreApplication::processEvents();
    EventSpy spy(form);

    if (change == QLatin1String("key down")) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
    } else if (change.startsWith(QLatin1String("set by code"))) {
        viewer.present(5);
    } else {
        const int row = change == QLatin1String("press on an entry") ? 14 : Start;
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, rowPoint(form, row));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, rowPoint(form, row));
    }
    QCoreApplication::processEvents();

    QCOMPARE(spy.events, events);
}

void AccessTest::aboutWindowLinkAndEmblem()
{
    ViewerFixture viewer;
    TForm1 about(&viewer.form());
    about.ShowAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QAccessibleInterface *link = reached(about, about.Label3);
    QVERIFY(link);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), about.Label3->text());
    QCOMPARE(link->text(QAccessible::Description), QLatin1String(TForm1::PageAddress));
    QVERIFY(link->state().linked);
    QVERIFY(
        link->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    UrlCatcher catcher;
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QLatin1String(TForm1::PageAddress))});

    QAccessibleInterface *emblem = reached(about, about.Image1);
    QVERIFY(emblem);
    QCOMPARE(emblem->role(), QAccessible::Graphic);
    QVERIFY(!emblem->text(QAccessible::Description).isEmpty());
    QCOMPARE(emblem->imageInterface()->imageDescription(), emblem->text(QAccessible::Description));
    QCOMPARE(emblem->imageInterface()->imageSize(), about.Image1->pictureRect().size().toSize());

    for (TextElement *text : {about.Label1, about.Label2, about.Label4}) {
        QAccessibleInterface *iface = reached(about, text);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), text->text());
    }
    QAccessibleInterface *ok = reached(about, about.SpeedButton1);
    QVERIFY(ok);
    QCOMPARE(ok->text(QAccessible::Name), QStringLiteral("OK"));
}

void AccessTest::listKeysWorkFromTheStart_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("panelVisible");
    QTest::addColumn<bool>("listFocused");

    // The list starts on entry 20 at position 286, showing entries 11..20.
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << 21 << 312 << true << true;
    QTest::newRow("up") << QList<int>{Qt::Key_Up} << 19 << StartPosition << true << true;
    QTest::newRow("home") << QList<int>{Qt::Key_Home} << 0 << 0 << true << true;
    QTest::newRow("end") << QList<int>{Qt::Key_End} << 30 << ListLast << true << true;
    QTest::newRow("page down") << QList<int>{Qt::Key_PageDown} << 29 << 520 << true << true;
    QTest::newRow("page up") << QList<int>{Qt::Key_PageUp} << 11 << StartPosition << true << true;
    QTest::newRow("space hides the panel once")
        << QList<int>{Qt::Key_Space} << Start << StartPosition << false << false;
    QTest::newRow("space again shows it, without the focus")
        << QList<int>{Qt::Key_Space, Qt::Key_Space, Qt::Key_Down} << Start << StartPosition << true
        << false;
}

void AccessTest::listKeysWorkFromTheStart()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, index);
    QFETCH(int, position);
    QFETCH(bool, panelVisible);
    QFETCH(bool, listFocused);
    ViewerFixture viewer({Start});
    TForm2 &form = viewer.form();
    activate(form);
    QCOMPARE(QApplication::focusWidget(), form.ListBox1);

    for (const int key : keys)
        QTest::keyClick(form.windowHandle(), Qt::Key(key));

    QCOMPARE(form.ListBox1->itemIndex(), index);
    QCOMPARE(CurrentPicture, index);
    QCOMPARE(form.ListBox1->scrollModel().position(), position);
    QCOMPARE(form.Panel1->isVisible(), panelVisible);
    QCOMPARE(form.ListBox1->hasFocus(), listFocused);
}

void AccessTest::fingerOnTheListPansOrChooses_data()
{
    QTest::addColumn<QList<QPoint>>("path");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("restMs");
    QTest::addColumn<int>("whileDown");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("decodes");
    QTest::addColumn<int>("position");

    // Window points over the list at its start position: entry r lies at
    // y = 56 + 26 r - 286 + 13, so entry 14 at 147 and entry 20 at 303.
    // The path is press, moves, release; the finger holds still for holdMs
    // after the press and rests for restMs before lifting.
    const QPoint on14(100, 147);
    QTest::newRow("tap") << QList<QPoint>{on14, on14} << 0 << 0 << Start << 14 << 1
                         << StartPosition;
    QTest::newRow("tap with a small wobble")
        << QList<QPoint>{on14, on14 + QPoint(3, 4), on14 + QPoint(-2, 6)} << 0 << 0 << Start << 14
        << 1 << StartPosition;
    QTest::newRow("tap on the entry on screen")
        << QList<QPoint>{{100, 303}, {100, 303}} << 0 << 0 << Start << Start << 0 << StartPosition;
    QTest::newRow("hold") << QList<QPoint>{on14, on14} << 300 << 0 << 14 << 14 << 1
                          << StartPosition;
    QTest::newRow("hold, then drag") << QList<QPoint>{on14, {100, 100}, {100, 47}} << 300 << 0 << 14
                                     << 14 << 1 << StartPosition + 100;
    QTest::newRow("drag up") << QList<QPoint>{{100, 250}, {100, 200}, {100, 150}, {100, 100}} << 0
                             << 0 << Start << Start << 0 << StartPosition + 150;
    QTest::newRow("drag, then rest before lifting")
        << QList<QPoint>{{100, 250}, {100, 200}, {100, 200}} << 0 << 300 << Start << Start << 0
        << StartPosition + 50;
    QTest::newRow("drag down past the first entry")
        << QList<QPoint>{{100, 80}, {100, 200}, {100, 320}, {100, 500}} << 0 << 0 << Start << Start
        << 0 << 0;
    QTest::newRow("drag up past the last entry, off the list")
        << QList<QPoint>{{100, 310}, {100, 200}, {100, 60}, {100, 5}} << 0 << 0 << Start << Start
        << 0 << ListLast;
    QTest::newRow("drag down and back") << QList<QPoint>{{100, 200}, {100, 260}, {100, 180}} << 0
                                        << 0 << Start << Start << 0 << StartPosition + 20;
}

void AccessTest::fingerOnTheListPansOrChooses()
{
    QFETCH(QList<QPoint>, path);
    QFETCH(int, holdMs);
    QFETCH(int, restMs);
    QFETCH(int, whileDown);
    QFETCH(int, shown);
    QFETCH(int, decodes);
    QFETCH(int, position);
    CountingStore store;
    ViewerFixture viewer({Start}, 1920, 1080, &store);
    TForm2 &form = viewer.form();
    activate(form);
    QCOMPARE(form.ListBox1->scrollModel().position(), StartPosition);
    const int before = store.decodes;
    QWindow *window = form.windowHandle();

    QTest::touchEvent(window, touchScreen()).press(0, path.first());
    if (holdMs)
        QTest::qWait(holdMs);
    for (qsizetype i = 1; i + 1 < path.size(); ++i)
        QTest::touchEvent(window, touchScreen()).move(0, path[i]);
    if (restMs)
        QTest::qWait(restMs);
    QCOMPARE(CurrentPicture, whileDown);
    QTest::touchEvent(window, touchScreen()).release(0, path.last());

    QCOMPARE(CurrentPicture, shown);
    QCOMPARE(form.ListBox1->itemIndex(), shown);
    QCOMPARE(store.decodes - before, decodes);
    QCOMPARE(form.ListBox1->scrollModel().position(), position);
    // No pointer press was made of the finger: nothing is dragged or held.
    QVERIFY(!form.ListBox1->isPressed());
    QVERIFY(!DragActive);
}

void AccessTest::pinchOverTheListZoomsOnly()
{
    ViewerFixture viewer({Start});
    TForm2 &form = viewer.form();
    activate(form);
    QWindow *window = form.windowHandle();
    const float scale = form.Image1->scale();

    // The second finger lands while the first still waits to select.
    QTest::touchEvent(window, touchScreen()).press(0, {100, 150});
    QTest::touchEvent(window, touchScreen()).stationary(0).press(1, {100, 200});
    QTest::touchEvent(window, touchScreen()).move(0, {100, 140}).move(1, {100, 210});
    QTest::touchEvent(window, touchScreen()).move(0, {100, 130}).move(1, {100, 220});
    QTest::qWait(300);
    QTest::touchEvent(window, touchScreen()).release(0, {100, 130}).release(1, {100, 220});

    QVERIFY(form.Image1->scale() > scale);
    QCOMPARE(CurrentPicture, Start);
    QCOMPARE(form.ListBox1->scrollModel().position(), StartPosition);
}

void AccessTest::nameIsCentredToTheHalfUnit_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1920, a half unit") << 1920;
    QTest::newRow("1366, a half unit") << 1366;
    QTest::newRow("1367, whole") << 1367;
    QTest::newRow("800, a half unit") << 800;
    QTest::newRow("400, narrower than the label") << 400;
}

void AccessTest::nameIsCentredToTheHalfUnit()
{
    QFETCH(int, width);
    ViewerFixture viewer({Start}, 1921, 1080);
    TForm2 &form = viewer.form();
    TextElement *label = form.Label1;
    const qreal d = form.devicePixelRatioF();

    // The first column of the name's ink in the window, in device pixels.
    auto inkLeft = [label, d] {
        const QImage image = label->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (image.pixel(x, y) != background)
                    return int(std::lround(label->x() * d)) + x;
            }
        }
        return -1;
    };
    // At 1921 the label sits on a whole unit.
    QCOMPARE(label->exactPos(), QPointF(760, 0));
    const int reference = inkLeft();
    QVERIFY(reference >= 0);

    form.resize(width, 1080);
    QCoreApplication::processEvents();

    const qreal left = (width - label->width()) / 2.0;
    QCOMPARE(label->exactPos(), QPointF(left, 0));
    QCOMPARE(label->exactPos().x() * 2 + label->width(), qreal(width));
    // Drawn at the device pixel the exact place falls in.
    QCOMPARE(inkLeft() - reference, int(std::floor(left * d)) - int(std::floor(760 * d)));
}

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
