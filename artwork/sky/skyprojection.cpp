// SPDX-License-Identifier: MIT
#include "artwork/sky/skyprojection.h"

#include <cmath>
#include <numbers>

namespace sky {

SkyProjection::SkyProjection(double raHours, double decDeg, double widthDeg, QSize size)
    : m_centre(SkyVector::fromRaDec(raHours, decDeg)), m_size(size),
      m_middle(size.width() / 2.0, size.height() / 2.0)
{
    const double ra = raHours * (std::numbers::pi / 12.0);
    const double dec = decDeg * (std::numbers::pi / 180.0);
    m_east = {-std::sin(ra), std::cos(ra), 0.0};
    m_north = {-std::sin(dec) * std::cos(ra), -std::sin(dec) * std::sin(ra), std::cos(dec)};
    m_scale = (size.width() / 2.0) / std::tan(widthDeg / 2.0 * (std::numbers::pi / 180.0));
}

std::optional<QPointF> SkyProjection::project(const SkyVector &direction) const
{
    const double c = direction.dot(m_centre);
    if (c <= 1e-6)
        return std::nullopt;
    const double xi = direction.dot(m_east) / c;
    const double eta = direction.dot(m_north) / c;
    return QPointF(m_middle.x() - m_scale * xi, m_middle.y() - m_scale * eta);
}

std::optional<QPointF> SkyProjection::project(double raHours, double decDeg) const
{
    return project(SkyVector::fromRaDec(raHours, decDeg));
}

SkyVector SkyProjection::direction(QPointF position) const
{
    const double xi = (m_middle.x() - position.x()) / m_scale;
    const double eta = (m_middle.y() - position.y()) / m_scale;
    return (m_centre + m_east * xi + m_north * eta).normalised();
}

double SkyProjection::pixelsPerDegree() const
{
    return m_scale * (std::numbers::pi / 180.0);
}

} // namespace sky
