// SPDX-License-Identifier: MIT
#pragma once

#include "logic/fade.h"

#include <QObject>
#include <QTimer>

#include <functional>

// An opacity fade driven by the 10 ms animation clock on the GUI thread.
// The time source is passed in so tests can step it without waiting; the
// clock must outlive the animation.
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

    // The monotonic clock an animation reads unless it is given another.
    static const AnimationClock &steadyClock();

private:
    std::function<void(float)> m_apply;
    float m_startValue;
    float m_stopValue;
    int m_durationMs;
    Fade m_fade;
    QTimer m_timer;
};
