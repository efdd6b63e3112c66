// SPDX-License-Identifier: MIT
#include "logic/gesturerecognizer.h"

#include <algorithm>
#include <cmath>

GestureRecognizer::Finger *GestureRecognizer::finger(int id)
{
    const auto it = std::find_if(m_fingers.begin(), m_fingers.end(),
                                 [id](const Finger &f) { return f.id == id; });
    return it == m_fingers.end() ? nullptr : &*it;
}

double GestureRecognizer::pairDistance()
{
    const Finger *a = finger(m_pairIds[0]);
    const Finger *b = finger(m_pairIds[1]);
    if (!a || !b)
        return 0;
    return std::hypot(a->x - b->x, a->y - b->y);
}

std::vector<GestureRecord> GestureRecognizer::process(const std::vector<TouchPoint> &points,
                                                      std::int64_t ms)
{
    std::vector<GestureRecord> out;
    const bool wasUntouched = m_fingers.empty();
    bool fingersChanged = false;
    int joined = 0;
    bool lonePress = false;

    for (const TouchPoint &p : points) {
        Finger *f = finger(p.id);
        if (f) {
            f->x = p.x;
            f->y = p.y;
            if (p.state == TouchPoint::Released) {
                f->released = true;
                fingersChanged = true;
            }
        } else if (p.state != TouchPoint::Released) {
            // A finger whose press was not seen (after a reset) still counts as
            // down, but only a seen press can start a tap.
            m_fingers.push_back({p.id, p.x, p.y, p.x, p.y, false});
            fingersChanged = true;
            ++joined;
            lonePress = p.state == TouchPoint::Pressed;
            m_tapId = p.id;
        }
    }

    // A tap is one finger alone from press to release; any other finger
    // touching meanwhile spoils it and any pending first tap as well.
    if (joined > 0) {
        m_tapCandidate = wasUntouched && joined == 1 && lonePress;
        if (m_tapCandidate)
            m_tapPressMs = ms;
        else
            m_tapPending = false;
    }
    if (m_tapCandidate) {
        const Finger *f = finger(m_tapId);
        if (std::hypot(f->x - f->pressX, f->y - f->pressY) > TapSlop) {
            // A slide is no tap, and it separates whatever tap came before
            // from the next one.
            m_tapCandidate = false;
            m_tapPending = false;
        }
    }

    trackPinch(fingersChanged, out);

    const bool tapDone = m_tapCandidate && finger(m_tapId)->released;
    std::erase_if(m_fingers, [](const Finger &f) { return f.released; });
    if (tapDone)
        finishTap(ms, out);
    return out;
}

void GestureRecognizer::trackPinch(bool fingersChanged, std::vector<GestureRecord> &out)
{
    if (m_pairActive) {
        const double distance = pairDistance();
        if (fingersChanged) {
            // One of the two lifted or a third landed: the pinch is over.
            if (m_zooming)
                out.push_back({GestureRecord::Zoom, GestureRecord::End,
                               static_cast<std::int32_t>(std::lround(distance))});
            m_pairActive = false;
            m_zooming = false;
        } else {
            const double baseline = m_zooming ? m_reportedDistance : m_pairStartDistance;
            if (std::abs(distance - baseline) > ZoomThreshold) {
                out.push_back({GestureRecord::Zoom, m_zooming ? 0u : GestureRecord::Begin,
                               static_cast<std::int32_t>(std::lround(distance))});
                m_zooming = true;
                m_reportedDistance = distance;
            }
        }
    }

    if (!m_pairActive) {
        const auto down = std::count_if(m_fingers.begin(), m_fingers.end(),
                                        [](const Finger &f) { return !f.released; });
        if (down == 2) {
            int k = 0;
            for (const Finger &f : m_fingers) {
                if (!f.released)
                    m_pairIds[k++] = f.id;
            }
            m_pairActive = true;
            m_zooming = false;
            m_pairStartDistance = pairDistance();
        }
    }
}

void GestureRecognizer::finishTap(std::int64_t ms, std::vector<GestureRecord> &out)
{
    m_tapCandidate = false;
    // The window opens at the first tap's press and must still be open at the
    // second tap's release.
    if (m_tapPending && ms - m_pendingPressMs <= DoubleTapMs) {
        out.push_back({GestureRecord::DoubleTap, GestureRecord::Begin | GestureRecord::End, 0});
        m_tapPending = false;
        return;
    }
    m_tapPending = true;
    m_pendingPressMs = m_tapPressMs;
}

void GestureRecognizer::reset()
{
    m_fingers.clear();
    m_pairActive = false;
    m_zooming = false;
    m_tapCandidate = false;
    m_tapPending = false;
}
