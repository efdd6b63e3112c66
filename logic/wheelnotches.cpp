// SPDX-License-Identifier: MIT
#include "logic/wheelnotches.h"

std::optional<int> WheelNotches::feed(int delta, Phase phase)
{
    if (phase == Phase::Begin)
        m_pending = 0;
    std::optional<int> notification;
    if (delta == 0) {
        if (phase == Phase::None)
            notification = 0;
    } else {
        // Turning back starts a new notch rather than cancelling the old one.
        if ((m_pending > 0 && delta < 0) || (m_pending < 0 && delta > 0))
            m_pending = 0;
        m_pending += delta;
        if (m_pending >= Notch || m_pending <= -Notch) {
            notification = m_pending;
            m_pending %= Notch;
        }
    }
    // What is left of a scroll does not carry over into the next one.
    if (phase == Phase::End)
        m_pending = 0;
    return notification;
}
