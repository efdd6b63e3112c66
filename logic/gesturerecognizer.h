// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

// What a gesture notification carries to the window.
struct GestureRecord
{
    enum Flag : unsigned { Begin = 1u << 0, Inertia = 1u << 1, End = 1u << 2 };
    // The standard swipes, then the interactive gestures: 259 plus their
    // place in the list from Zoom to DoubleTap.
    static constexpr std::int16_t SwipeLeft = 1;
    static constexpr std::int16_t SwipeRight = 2;
    static constexpr std::int16_t Zoom = 259;
    static constexpr std::int16_t Pan = 260;
    static constexpr std::int16_t Rotate = 261;
    static constexpr std::int16_t TwoFingerTap = 262;
    static constexpr std::int16_t PressAndTap = 263;
    static constexpr std::int16_t LongTap = 264;
    static constexpr std::int16_t DoubleTap = 265;

    std::int16_t id = 0;
    unsigned flags = 0;
    std::int32_t distance = 0; // zoom: distance between the two fingers, window units

    bool operator==(const GestureRecord &) const = default;
};

// One touch point of a touch event, in window units.
struct TouchPoint
{
    enum State { Pressed, Moved, Stationary, Released };
    int id = 0;
    double x = 0;
    double y = 0;
    State state = Stationary;
};

// Turns raw touch events into zoom and double-tap notifications:
// - zoom: with two fingers down, each change of their distance by more than
//   2 units since the last notification sends one; the first carries Begin,
//   and lifting a finger sends a last one with End;
// - double tap: a second tap released within 300 ms (inclusive) of the first
//   tap's press, neither finger having strayed more than 10 pixels from where
//   it pressed; a second finger touching in between cancels it.
class GestureRecognizer
{
public:
    static constexpr double ZoomThreshold = 2.0;
    static constexpr std::int64_t DoubleTapMs = 300;
    static constexpr double TapSlop = 10.0;

    // Feed every touch event: all its points, released ones included, and its
    // time. Returns the notifications it produces, in order.
    std::vector<GestureRecord> process(const std::vector<TouchPoint> &points, std::int64_t ms);
    // Forgets any gesture in progress (touch cancelled).
    void reset();

private:
    struct Finger
    {
        int id = 0;
        double x = 0;
        double y = 0;
        double pressX = 0;
        double pressY = 0;
        bool released = false;
    };

    Finger *finger(int id);
    double pairDistance();
    void trackPinch(bool fingersChanged, std::vector<GestureRecord> &out);
    void finishTap(std::int64_t ms, std::vector<GestureRecord> &out);

    std::vector<Finger> m_fingers; // fingers down, including those lifting in this event

    // Pinch: the two fingers while exactly two are down.
    bool m_pairActive = false;
    int m_pairIds[2] = {0, 0};
    double m_pairStartDistance = 0;
    double m_reportedDistance = 0;
    bool m_zooming = false;

    // Tap: the lone finger now down, and a completed first tap waiting for a second.
    bool m_tapCandidate = false;
    int m_tapId = 0;
    std::int64_t m_tapPressMs = 0;
    bool m_tapPending = false;
    std::int64_t m_pendingPressMs = 0;
};
