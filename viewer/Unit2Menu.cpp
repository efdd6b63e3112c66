// SPDX-License-Identifier: MIT
// The viewer window's context menu and slideshow loop.

#include "viewer/Unit2.h"

#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"
#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/textelement.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>

#include <utility>

void TForm2::createMenu()
{
    PopupMenu1 = new QMenu(this);
    auto add = [this](const QString &text, bool checkable, bool checked) {
        QAction *action = PopupMenu1->addAction(text);
        action->setCheckable(checkable);
        action->setChecked(checked);
        return action;
    };
    // Menu order; the element names do not follow it.
    MenuItem1 = add(QStringLiteral("Loop (30s)"), true, false);
    MenuItem2 = add(QStringLiteral("Show names"), true, true);
    MenuItem5 = add(QStringLiteral("Show extra"), true, false);
    MenuItem3 = add(QStringLiteral("Show info"), true, false);
    MenuItem6 = add(QStringLiteral("About"), false, false);
    MenuItem4 = add(QStringLiteral("Exit"), false, false);

    const std::pair<QAction *, void (TForm2::*)()> commands[] = {
        {MenuItem1, &TForm2::MenuItem1Click}, {MenuItem2, &TForm2::MenuItem2Click},
        {MenuItem5, &TForm2::MenuItem5Click}, {MenuItem3, &TForm2::MenuItem3Click},
        {MenuItem6, &TForm2::MenuItem6Click}, {MenuItem4, &TForm2::MenuItem4Click},
    };
    for (const auto &[item, handler] : commands) {
        connect(item, &QAction::triggered, this, [this, item, handler] {
            // Each command flips its own check mark; undo the action's flip first.
            if (item->isCheckable())
                item->setChecked(!item->isChecked());
            (this->*handler)();
        });
    }
}

void TForm2::MenuItem1Click()
{
    MenuItem1->setChecked(!MenuItem1->isChecked());
    // Enabling starts a new 30 s count; nothing else restarts it.
    if (MenuItem1->isChecked())
        Timer1->start();
    else
        Timer1->stop();
}

void TForm2::MenuItem2Click()
{
    MenuItem2->setChecked(!MenuItem2->isChecked());
    Label1->setVisible(MenuItem2->isChecked());
}

void TForm2::MenuItem5Click()
{
    MenuItem5->setChecked(!MenuItem5->isChecked());
    FloatAnimation2->stop();
    Image2->setOpacity(0.0f);
    if (MenuItem5->isChecked() && catalogue::hasOverlay(CurrentPicture))
        FloatAnimation2->start();
}

void TForm2::MenuItem3Click()
{
    MenuItem3->setChecked(!MenuItem3->isChecked());
    Text1->setVisible(MenuItem3->isChecked());
    Text2->setVisible(MenuItem3->isChecked());
}

void TForm2::MenuItem6Click()
{
    emit aboutRequested();
}

void TForm2::MenuItem4Click()
{
    Timer1->stop();
    FloatAnimation1->stop();
    FloatAnimation2->stop();
    QCoreApplication::exit(0);
}

void TForm2::Timer1Timer()
{
    advanceLoop();
}

void TForm2::advanceLoop()
{
    LoopIndex = LoopIndex + 1;
    if (LoopIndex > PictureTotal - 1)
        LoopIndex = 0;
    ListBox1->setItemIndex(LoopIndex);
}
