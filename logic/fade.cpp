// SPDX-License-Identifier: MIT
#include "logic/fade.h"

void Fade::start(float from, float to, int durationMs)
{
    m_from = from;
    m_to = to;
    m_durationMs = durationMs;
    m_startMs = m_clock->nowMs();
    m_value = from;
    m_running = true;
}

float Fade::tick()
{
    if (!m_running)
        return m_value;
    const std::int64_t elapsed = m_clock->nowMs() - m_startMs;
    if (elapsed >= m_durationMs) {
        // Snap to the stop value rather than trust the interpolation, which
        // would overshoot when the clock has run past the end.
        m_value = m_to;
        m_running = false;
    } else if (elapsed > 0) {
        const double t = static_cast<double>(elapsed) / m_durationMs;
        m_value = static_cast<float>(m_from + (static_cast<double>(m_to) - m_from) * t);
    }
    return m_value;
}
