// SPDX-License-Identifier: MIT
#include "tests/widgets/viewerfixture.h"

#include "catalogue/resourceassetstore.h"
#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

AssetView AlteredStore::open(const QString &name) const
{
    if (missing.contains(name, Qt::CaseInsensitive))
        throw notFound(name);
    for (auto it = replaced.cbegin(); it != replaced.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return {reinterpret_cast<const uchar *>(it->constData()), it->size()};
    }
    return ResourceAssetStore::embedded().open(name);
}

struct MessageBoxCatcher::Private
{
    QTimer timer;
    QStringList texts;
};

MessageBoxCatcher::MessageBoxCatcher() : d(std::make_unique<Private>())
{
    d->timer.setInterval(20);
    QObject::connect(&d->timer, &QTimer::timeout, [p = d.get()] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                p->texts << box->text();
                box->done(QMessageBox::Ok);
            }
        }
    });
    d->timer.start();
}

MessageBoxCatcher::~MessageBoxCatcher() = default;

QStringList MessageBoxCatcher::texts() const
{
    return d->texts;
}

std::function<int(int)> drawsInTurn(std::vector<int> draws)
{
    auto next = std::make_shared<size_t>(0);
    return [draws = std::move(draws), next](int) {
        return draws[std::min(draws.size() - 1, (*next)++)];
    };
}

ViewerFixture::ViewerFixture(std::vector<int> draws, int width, int height, const AssetStore *store)
{
    ViewerCollaborators collaborators;
    collaborators.clock = &clock;
    collaborators.randomInt = drawsInTurn(std::move(draws));
    if (store)
        collaborators.store = store;
    m_form = std::make_unique<TForm2>(collaborators);
    // Full screen first, as the program starts; then the size under test.
    m_form->showFullScreen();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->showNormal();
    m_form->resize(width, height);
    QCoreApplication::processEvents();
}

ViewerFixture::~ViewerFixture() = default;

void ViewerFixture::present(int entry)
{
    m_form->ListBox1->setItemIndex(entry);
}

void ViewerFixture::advance(int ms)
{
    clock.now += ms;
    m_form->FloatAnimation1->tick();
    m_form->FloatAnimation2->tick();
}

void verifyInRegister(const TForm2 &form)
{
    QCOMPARE(form.Image2->scale(), form.Image1->scale());
    QCOMPARE(form.Image2->x(), form.Image1->x());
    QCOMPARE(form.Image2->y(), form.Image1->y());
    QCOMPARE(form.Image2->unscaledWidth(), form.Image1->unscaledWidth());
    QCOMPARE(form.Image2->unscaledHeight(), form.Image1->unscaledHeight());
}

void hover(TForm2 &form, QPoint p)
{
    QTest::mouseMove(form.windowHandle(), p);
}

void press(TForm2 &form, QPoint p, Qt::MouseButton button)
{
    QTest::mousePress(form.windowHandle(), button, {}, p);
}

void release(TForm2 &form, QPoint p, Qt::MouseButton button)
{
    QTest::mouseRelease(form.windowHandle(), button, {}, p);
}

void activate(TForm2 &form)
{
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}
