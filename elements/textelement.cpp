// SPDX-License-Identifier: MIT
#include "elements/textelement.h"

#include <QPainter>
#include <QTextLayout>

TextElement::TextElement(QWidget *parent, int pixelSize, QColor colour, Qt::Alignment alignment)
    : QWidget(parent), m_colour(colour), m_alignment(alignment)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = font();
    f.setPixelSize(pixelSize);
    setFont(f);
}

void TextElement::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    layoutLines();
    update();
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
