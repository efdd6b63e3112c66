// SPDX-License-Identifier: MIT
#include "elements/textelement.h"

#include "elements/accessiblefactory.h"

#include <QAccessible>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

TextElement::TextElement(QWidget *parent, int pixelSize, QColor colour, Qt::Alignment alignment)
    : QWidget(parent), m_colour(colour), m_alignment(alignment)
{
    accessiblefactory::install();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = font();
    f.setPixelSize(pixelSize);
    setFont(f);
}

void TextElement::moveTo(QPointF topLeft)
{
    const QPoint whole(int(std::floor(topLeft.x())), int(std::floor(topLeft.y())));
    const QPointF shift = topLeft - QPointF(whole);
    const bool redraw = shift != m_shift;
    m_shift = shift;
    move(whole);
    if (redraw)
        update();
}

void TextElement::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    layoutLines();
    update();
    // A screen reader hears the element by its text unless it was named.
    if (accessibleName().isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TextElement::setOpacity(qreal opacity)
{
    m_opacity = opacity;
    update();
}

void TextElement::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutLines();
}

void TextElement::layoutLines()
{
    m_lines.clear();
    if (m_text.isEmpty())
        return;
    const QFontMetricsF fm(font());
    m_lineHeight = fm.lineSpacing();
    const int maxLines = std::max(1, int(height() / m_lineHeight));

    // Wrap each paragraph at the width; stop once the height is full.
    QStringList lines;
    bool cut = false;
    const QStringList paragraphs = m_text.split(u'\n');
    for (qsizetype i = 0; i < paragraphs.size() && !cut; ++i) {
        if (lines.size() == maxLines) {
            cut = true;
            break;
        }
        if (paragraphs[i].isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraphs[i], font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width());
            if (lines.size() == maxLines) {
                cut = true;
                break;
            }
            lines << paragraphs[i].mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    if (cut && !lines.isEmpty())
        lines.back() = fm.elidedText(lines.back() + QChar(0x2026), Qt::ElideRight, width());

    for (const QString &line : lines) {
        QStaticText staticText(line);
        staticText.setTextFormat(Qt::PlainText);
        staticText.setPerformanceHint(QStaticText::AggressiveCaching);
        staticText.prepare(QTransform(), font());
        m_lines.push_back(std::move(staticText));
    }
}

void TextElement::paintEvent(QPaintEvent *)
{
    if (m_lines.empty())
        return;
    QPainter p(this);
    p.setOpacity(m_opacity);
    p.setPen(m_colour);
    p.setFont(font());
    const qreal total = qreal(m_lines.size()) * m_lineHeight;
    qreal y = 0;
    if (m_alignment & Qt::AlignVCenter)
        y = (height() - total) / 2;
    else if (m_alignment & Qt::AlignBottom)
        y = height() - total;
    if (!m_shift.isNull()) {
        // Snapped in window coordinates, where device pixels are whole.
        const qreal d = devicePixelRatioF();
        const QPointF origin = mapTo(window(), QPointF(0, 0));
        p.translate(std::floor((origin.x() + m_shift.x()) * d) / d - origin.x(),
                    std::floor((origin.y() + m_shift.y()) * d) / d - origin.y());
    }
    const QFontMetricsF fm(font());
    for (const QStaticText &line : m_lines) {
        // Centre the glyphs in the line box as drawText would.
        const qreal top = y + (m_lineHeight - fm.height()) / 2;
        qreal x = 0;
        const qreal w = line.size().width();
        if (m_alignment & Qt::AlignRight)
            x = width() - w;
        else if (m_alignment & Qt::AlignHCenter)
            x = (width() - w) / 2;
        p.drawStaticText(QPointF(x, top), line);
        y += m_lineHeight;
    }
}
