// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetstore.h"
#include "logic/fade.h"

#include <QHash>
#include <QStringList>

#include <cstdint>
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

// A viewer window at a known size, with its fades on a manual clock and its
// start picture drawn from the given sequence.
class ViewerFixture
{
public:
    explicit ViewerFixture(std::vector<int> draws = {20}, int width = 1920, int height = 1080);
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
