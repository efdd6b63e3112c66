// SPDX-License-Identifier: MIT
#include "tests/widgets/viewerfixture.h"

#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

AssetView AlteredStore::open(const QString &name) const
{
    if (missing.contains(name, Qt::CaseInsensitive))
        throw notFound(name);
    for (auto it = replaced.cbegin(); it != replaced.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return {reinterpret_cast<const uchar *>(it->constData()), it->size()};
    }
    return AssetStore::embedded().open(name);
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

ViewerFixture::ViewerFixture(std::vector<int> draws, int width, int height)
{
    FloatAnimation::setDefaultClock(&clock);
    auto next = std::make_shared<size_t>(0);
    RandomInt = [draws, next](int) { return draws[std::min(draws.size() - 1, (*next)++)]; };
    m_form = std::make_unique<TForm2>();
    RandomInt = nullptr;
    // Full screen first, as the program starts; then the size under test.
    m_form->showFullScreen();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->showNormal();
    m_form->resize(width, height);
    QCoreApplication::processEvents();
}

ViewerFixture::~ViewerFixture()
{
    m_form.reset();
    FloatAnimation::setDefaultClock(nullptr);
}

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
