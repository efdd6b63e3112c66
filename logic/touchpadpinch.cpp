// SPDX-License-Identifier: MIT
#include "logic/touchpadpinch.h"

#include <cmath>

void TouchpadPinch::begin()
{
    m_scale = 1.0;
    m_reported = int(std::lround(Span));
    m_started = false;
}

std::optional<GestureRecord> TouchpadPinch::zoom(double delta)
{
    m_scale *= 1.0 + delta;
    const double distance = Span * m_scale;
    if (std::abs(distance - m_reported) <= GestureRecognizer::ZoomThreshold)
        return std::nullopt;
    GestureRecord record;
    record.id = GestureRecord::Zoom;
    record.flags = m_started ? 0u : unsigned(GestureRecord::Begin);
    record.distance = std::int32_t(std::lround(distance));
    m_reported = record.distance;
    m_started = true;
    return record;
}

std::optional<GestureRecord> TouchpadPinch::end()
{
    if (!m_started)
        return std::nullopt;
    m_started = false;
    GestureRecord record;
    record.id = GestureRecord::Zoom;
    record.flags = GestureRecord::End;
    record.distance = m_reported;
    return record;
}
