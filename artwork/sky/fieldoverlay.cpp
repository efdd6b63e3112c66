// SPDX-License-Identifier: MIT
#include "artwork/sky/fieldoverlay.h"

#include "artwork/sky/fieldchart.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/starappearance.h"
#include "artwork/sky/starcatalogue.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

namespace sky {

namespace {

constexpr double LineGap = 6.0;       // between a line's end and a star's disc
constexpr double MaxLineShare = 0.25; // of a segment, the most either end may lose
constexpr double LabelGap = 7.0;      // between a label and a star's disc
constexpr double ObjectGap = 16.0;    // between a label and the object it names
constexpr double LabelMargin = 4.0;   // labels keep this far from lines, discs and each other
constexpr double FrameMargin = 6.0;
const QColor Halo(0, 0, 0, 170);

QPointF labelBaseline(QPointF at, double gap, LabelSide side, const QFontMetricsF &fm,
                      double textWidth)
{
    const double cap = fm.capHeight();
    const double d = gap * 0.75;
    switch (side) {
    case LabelSide::Left:
        return {at.x() - gap - textWidth, at.y() + cap / 2.0};
    case LabelSide::Right:
        return {at.x() + gap, at.y() + cap / 2.0};
    case LabelSide::Above:
        return {at.x() - textWidth / 2.0, at.y() - gap - fm.descent()};
    case LabelSide::Below:
        return {at.x() - textWidth / 2.0, at.y() + gap + cap};
    case LabelSide::AboveLeft:
        return {at.x() - d - textWidth, at.y() - d};
    case LabelSide::AboveRight:
        return {at.x() + d, at.y() - d};
    case LabelSide::BelowLeft:
        return {at.x() - d - textWidth, at.y() + d + cap};
    case LabelSide::BelowRight:
        return {at.x() + d, at.y() + d + cap};
    case LabelSide::Centre:
        break;
    }
    return {at.x() - textWidth / 2.0, at.y() + cap / 2.0};
}

// The sides around a point in turn, so the nearest alternatives to the
// chart's choice are tried first.
constexpr std::array<LabelSide, 8> Ring = {
    LabelSide::Right, LabelSide::BelowRight, LabelSide::Below, LabelSide::BelowLeft,
    LabelSide::Left,  LabelSide::AboveLeft,  LabelSide::Above, LabelSide::AboveRight};

std::vector<LabelSide> candidates(LabelSide preferred)
{
    if (preferred == LabelSide::Centre)
        return {LabelSide::Centre, LabelSide::Above, LabelSide::Below, LabelSide::Right,
                LabelSide::Left};
    const int start = int(std::find(Ring.begin(), Ring.end(), preferred) - Ring.begin());
    std::vector<LabelSide> order{preferred};
    for (int k = 1; k <= 4; ++k) {
        order.push_back(Ring[(start + k) % 8]);
        if (k < 4)
            order.push_back(Ring[(start + 8 - k) % 8]);
    }
    return order;
}

bool segmentHitsRect(QPointF a, QPointF b, const QRectF &r)
{
    if (r.contains(a) || r.contains(b))
        return true;
    const QLineF line(a, b);
    const QLineF edges[4] = {{r.topLeft(), r.topRight()},
                             {r.topRight(), r.bottomRight()},
                             {r.bottomRight(), r.bottomLeft()},
                             {r.bottomLeft(), r.topLeft()}};
    for (const QLineF &e : edges) {
        if (line.intersects(e, nullptr) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

double distanceToRect(QPointF p, const QRectF &r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

double farthestInRect(QPointF p, const QRectF &r)
{
    const double dx = std::max(std::abs(p.x() - r.left()), std::abs(p.x() - r.right()));
    const double dy = std::max(std::abs(p.y() - r.top()), std::abs(p.y() - r.bottom()));
    return std::hypot(dx, dy);
}

QFont labelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

FieldOverlay::FieldOverlay(const SkyField &field, const StarCatalogue &catalogue)
    : m_field(field), m_catalogue(catalogue), m_chart(catalogue.chart(field.entry)),
      m_projection(field.projection())
{}

double FieldOverlay::clearance(int hr) const
{
    const CatalogueStar *s = m_catalogue.star(hr);
    return s ? discRadius(s->magnitude, m_field) : 0.0;
}

bool FieldOverlay::starPosition(int hr, QPointF &at) const
{
    const CatalogueStar *s = m_catalogue.star(hr);
    const auto p = s ? m_projection.project(s->direction) : std::nullopt;
    if (p)
        at = *p;
    return p.has_value();
}

std::vector<LabelledStar> FieldOverlay::labelledStars() const
{
    std::vector<LabelledStar> result;
    for (const FieldChart::Star &s : m_chart.stars) {
        QPointF p;
        if (starPosition(s.hr, p))
            result.push_back({s.name, p});
    }
    return result;
}

OverlayLayout FieldOverlay::layout() const
{
    OverlayLayout layout;
    for (const FieldChart::Path &path : m_chart.paths) {
        for (size_t i = 1; i < path.hrs.size(); ++i) {
            QPointF pa;
            QPointF pb;
            if (!starPosition(path.hrs[i - 1], pa) || !starPosition(path.hrs[i], pb))
                continue;
            const QPointF d = pb - pa;
            const double length = std::hypot(d.x(), d.y());
            if (length <= 0.0)
                continue;
            const double cap = MaxLineShare * length;
            const double ga = std::min(clearance(path.hrs[i - 1]) + LineGap, cap);
            const double gb = std::min(clearance(path.hrs[i]) + LineGap, cap);
            const QPointF u = d / length;
            layout.lines.push_back({pa, pb, pa + u * ga, pb - u * gb, path.thin});
        }
    }
    for (const FieldChart::Circle &c : m_chart.circles) {
        const SkyVector centre = SkyVector::fromRaDec(c.raHours, c.decDeg);
        const auto p = m_projection.project(centre);
        if (!p)
            continue;
        const double cosine = centre.dot(m_projection.centre());
        layout.circles.push_back(
            {*p, c.radiusDeg * m_projection.pixelsPerDegree() / (cosine * cosine)});
    }
    placeLabels(layout, labelFont());
    return layout;
}

void FieldOverlay::placeLabels(OverlayLayout &layout, const QFont &font) const
{
    const QFontMetricsF fm(font);
    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(m_projection.size()))
                             .adjusted(FrameMargin, FrameMargin, -FrameMargin, -FrameMargin);
    // Every star of a figure or a name keeps its disc free of text.
    std::vector<Disc> discs;
    const auto addDisc = [&](int hr) {
        QPointF p;
        if (starPosition(hr, p))
            discs.push_back({p, clearance(hr) + 2.0});
    };
    for (const FieldChart::Star &s : m_chart.stars)
        addDisc(s.hr);
    for (const FieldChart::Path &path : m_chart.paths) {
        for (int hr : path.hrs)
            addDisc(hr);
    }

    const auto isFree = [&](const QRectF &box) {
        const QRectF padded = box.adjusted(-LabelMargin, -LabelMargin, LabelMargin, LabelMargin);
        if (!frame.contains(box))
            return false;
        for (const OverlayLayout::Line &l : layout.lines) {
            if (segmentHitsRect(l.from, l.to, padded))
                return false;
        }
        for (const OverlayLayout::Circle &c : layout.circles) {
            if (distanceToRect(c.centre, padded) <= c.radius &&
                farthestInRect(c.centre, padded) >= c.radius)
                return false;
        }
        for (const Disc &d : discs) {
            if (distanceToRect(d.centre, padded) < d.radius)
                return false;
        }
        for (const OverlayLayout::Label &other : layout.labels) {
            if (other.box.intersects(padded))
                return false;
        }
        return true;
    };

    const auto place = [&](const QString &text, QPointF at, double gap, LabelSide preferred) {
        const double width = fm.horizontalAdvance(text);
        const auto boxAt = [&](LabelSide side, double g) {
            const QPointF baseline =
                labelBaseline(at, side == LabelSide::Centre ? 0.0 : g, side, fm, width);
            return OverlayLayout::Label{text, baseline,
                                        QRectF(baseline.x(), baseline.y() - fm.ascent(), width,
                                               fm.ascent() + fm.descent())};
        };
        // The chart's side first, then its neighbours, then a little farther out.
        for (double g : {gap, gap + 10.0, gap + 24.0}) {
            for (LabelSide side : candidates(preferred)) {
                const OverlayLayout::Label label = boxAt(side, g);
                if (isFree(label.box)) {
                    layout.labels.push_back(label);
                    return;
                }
            }
        }
        layout.labels.push_back(boxAt(preferred, gap));
    };
    for (const FieldChart::Star &s : m_chart.stars) {
        QPointF p;
        if (starPosition(s.hr, p))
            place(s.name, p, clearance(s.hr) + LabelGap, s.side);
    }
    for (const FieldChart::Label &l : m_chart.labels) {
        if (const auto p = m_projection.project(l.raHours, l.decDeg))
            place(l.text, *p, ObjectGap, l.side);
    }
}

QImage FieldOverlay::render() const
{
    const OverlayLayout layout = this->layout();
    QImage image(m_projection.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QColor figure = m_chart.figureColour;
    figure.setAlpha(230);
    QColor guide = m_chart.figureColour;
    guide.setAlpha(190);
    for (const OverlayLayout::Line &l : layout.lines) {
        painter.setPen(
            QPen(l.thin ? guide : figure, l.thin ? 1.1 : 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(l.from, l.to);
    }

    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.3));
    painter.setBrush(Qt::NoBrush);
    for (const OverlayLayout::Circle &c : layout.circles)
        painter.drawEllipse(c.centre, c.radius, c.radius);

    const QFont font = labelFont();
    for (const OverlayLayout::Label &l : layout.labels) {
        QPainterPath text;
        text.addText(l.baseline, font, l.text);
        painter.strokePath(text, QPen(Halo, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(text, Qt::white);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace sky
