// SPDX-License-Identifier: MIT
#pragma once

#include "logic/fade.h"

#include <QObject>
#include <QTimer>

#include <functional>

// An opacity fade driven by the 10 ms animation clock on the GUI thread.
// The time source is injectable so tests can step it without waiting.
class FloatAnimation : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = 10;

    FloatAnimation(QObject *parent, std::function<void(float)> apply, float startValue,
                   float stopValue, int durationMs, const AnimationClock *clock = nullptr);

    void start();
    void stop();
    bool isRunning() const { return m_fade.isRunning(); }

    // One clock tick; the timer calls it, tests may too.
    void tick();

    // The clock animations created from now on use unless given another;
    // nullptr restores the steady clock.
    static void setDefaultClock(const AnimationClock *clock);
    static const AnimationClock &defaultClock();

private:
    std::function<void(float)> m_apply;
    float m_startValue;
    float m_stopValue;
    int m_durationMs;
    Fade m_fade;
    QTimer m_timer;
};
