// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The time source of the fades; tests drive their own.
class AnimationClock
{
public:
    virtual ~AnimationClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// A linear opacity fade over real elapsed time. Starting sets the start
// value at once and restarts; stopping leaves the value where it is; the last
// tick lands exactly on the stop value.
class Fade
{
public:
    explicit Fade(const AnimationClock &clock) : m_clock(&clock) {}

    void start(float from, float to, int durationMs);
    void stop() { m_running = false; }
    bool isRunning() const { return m_running; }

    // Advances to the clock's time and returns the value; ends the fade once
    // its duration has passed.
    float tick();
    float value() const { return m_value; }

private:
    const AnimationClock *m_clock;
    std::int64_t m_startMs = 0;
    int m_durationMs = 0;
    float m_from = 0.0f;
    float m_to = 0.0f;
    float m_value = 0.0f;
    bool m_running = false;
};
