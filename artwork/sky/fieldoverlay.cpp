// SPDX-License-Identifier: MIT
#include "artwork/sky/fieldoverlay.h"

#include "artwork/sky/fieldchart.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/starappearance.h"
#include "artwork/sky/starcatalogue.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace sky {

namespace {

constexpr double LineGap = 6.0;     // between a line's end and a star's disc
constexpr double LabelGap = 7.0;    // between a label and a star's disc
constexpr double ObjectGap = 16.0;  // between a label and the object it names
constexpr double LabelMargin = 4.0; // lines keep this far from a label's box
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
    return s ? StarAppearance::forMagnitude(s->magnitude, m_field).discRadius() : 0.0;
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

std::vector<FieldOverlay::PlacedLabel> FieldOverlay::placeLabels(const QFont &font) const
{
    const QFontMetricsF fm(font);
    std::vector<PlacedLabel> placed;
    const auto place = [&](const QString &text, QPointF at, double gap, LabelSide side) {
        const double width = fm.horizontalAdvance(text);
        const QPointF baseline = labelBaseline(at, gap, side, fm, width);
        const QRectF box(baseline.x(), baseline.y() - fm.ascent(), width,
                         fm.ascent() + fm.descent());
        placed.push_back({text, baseline, box});
    };
    for (const FieldChart::Star &s : m_chart.stars) {
        QPointF p;
        if (starPosition(s.hr, p))
            place(s.name, p, clearance(s.hr) + LabelGap, s.side);
    }
    for (const FieldChart::Label &l : m_chart.labels) {
        if (const auto p = m_projection.project(l.raHours, l.decDeg))
            place(l.text, *p, l.side == LabelSide::Centre ? 0.0 : ObjectGap, l.side);
    }
    return placed;
}

QImage FieldOverlay::render() const
{
    QImage image(m_projection.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QFont font = labelFont();
    const std::vector<PlacedLabel> labels = placeLabels(font);

    // Lines pass behind labels, not through them.
    QPainterPath open;
    open.addRect(QRectF(QPointF(0, 0), QSizeF(m_projection.size())));
    for (const PlacedLabel &l : labels) {
        QPainterPath box;
        box.addRect(l.box.adjusted(-LabelMargin, -LabelMargin, LabelMargin, LabelMargin));
        open = open.subtracted(box);
    }
    painter.setClipPath(open);

    QColor figure = m_chart.figureColour;
    figure.setAlpha(230);
    QColor guide = m_chart.figureColour;
    guide.setAlpha(190);
    for (const FieldChart::Path &path : m_chart.paths) {
        painter.setPen(
            QPen(path.thin ? guide : figure, path.thin ? 1.1 : 1.8, Qt::SolidLine, Qt::RoundCap));
        for (size_t i = 1; i < path.hrs.size(); ++i) {
            QPointF pa;
            QPointF pb;
            if (!starPosition(path.hrs[i - 1], pa) || !starPosition(path.hrs[i], pb))
                continue;
            const QPointF d = pb - pa;
            const double length = std::hypot(d.x(), d.y());
            const double ga = clearance(path.hrs[i - 1]) + LineGap;
            const double gb = clearance(path.hrs[i]) + LineGap;
            if (length <= ga + gb)
                continue;
            const QPointF u = d / length;
            painter.drawLine(pa + u * ga, pb - u * gb);
        }
    }

    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.3));
    painter.setBrush(Qt::NoBrush);
    for (const FieldChart::Circle &c : m_chart.circles) {
        const SkyVector centre = SkyVector::fromRaDec(c.raHours, c.decDeg);
        const auto p = m_projection.project(centre);
        if (!p)
            continue;
        const double cosine = centre.dot(m_projection.centre());
        const double radius = c.radiusDeg * m_projection.pixelsPerDegree() / (cosine * cosine);
        painter.drawEllipse(*p, radius, radius);
    }

    painter.setClipping(false);
    for (const PlacedLabel &l : labels) {
        QPainterPath text;
        text.addText(l.baseline, font, l.text);
        painter.strokePath(text, QPen(Halo, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(text, Qt::white);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace sky
