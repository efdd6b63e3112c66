// SPDX-License-Identifier: MIT
#include "elements/floatanimation.h"

#include <QElapsedTimer>

namespace {

class SteadyClock : public AnimationClock
{
public:
    SteadyClock() { m_timer.start(); }
    std::int64_t nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace

const AnimationClock &FloatAnimation::steadyClock()
{
    static const SteadyClock steady;
    return steady;
}

FloatAnimation::FloatAnimation(QObject *parent, std::function<void(float)> apply, float startValue,
                               float stopValue, int durationMs, const AnimationClock *clock)
    : QObject(parent), m_apply(std::move(apply)), m_startValue(startValue), m_stopValue(stopValue),
      m_durationMs(durationMs), m_fade(clock ? *clock : steadyClock())
{
    m_timer.setInterval(TickMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FloatAnimation::tick);
}

void FloatAnimation::start()
{
    m_fade.start(m_startValue, m_stopValue, m_durationMs);
    m_apply(m_fade.value());
    m_timer.start();
}

void FloatAnimation::stop()
{
    m_fade.stop();
    m_timer.stop();
}

void FloatAnimation::tick()
{
    if (!m_fade.isRunning()) {
        m_timer.stop();
        return;
    }
    m_apply(m_fade.tick());
    if (!m_fade.isRunning())
        m_timer.stop();
}
