// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetstore.h"
#include "logic/fade.h"
#include "viewer/viewercollaborators.h"

#include <QHash>
#include <QPoint>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TForm2;

// A clock the fades read; tests move it by hand.
class ManualClock : public AnimationClock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

// The embedded store with names removed or their bytes replaced.
class AlteredStore : public AssetStore
{
public:
    AssetView open(const QString &name) const override;

    QStringList missing;
    QHash<QString, QByteArray> replaced;
};

// Closes every message box that opens while it lives, noting its text, so
// that no test is left waiting on a modal box.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    QStringList texts() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// A random draw that gives the numbers of draws in turn, then the last one
// for ever.
std::function<int(int)> drawsInTurn(std::vector<int> draws);

// A viewer window at a known size, with its fades on a manual clock, its
// start picture drawn from the given sequence and its assets from store
// (the embedded ones when null), which must outlive the fixture.
class ViewerFixture
{
public:
    explicit ViewerFixture(std::vector<int> draws = {20}, int width = 1920, int height = 1080,
                           const AssetStore *store = nullptr);
    ~ViewerFixture();

    TForm2 &form() { return *m_form; }
    // Selects a list row as code does, which presents it.
    void present(int entry);
    // Moves the clock and runs one animation tick on both fades.
    void advance(int ms);
    // Lets both fades run to their end.
    void finishFades() { advance(1000); }

    ManualClock clock;

private:
    std::unique_ptr<TForm2> m_form;
};

// Both layers share scale, position and size.
void verifyInRegister(const TForm2 &form);

// Pointer input as the window system reports it: the window picks the
// element under the pointer, and a pressed element keeps the pointer.
void hover(TForm2 &form, QPoint p);
void press(TForm2 &form, QPoint p, Qt::MouseButton button = Qt::LeftButton);
void release(TForm2 &form, QPoint p, Qt::MouseButton button = Qt::LeftButton);

// Makes the viewer the active window, so the list's focus is the
// application's focus.
void activate(TForm2 &form);
