#include "textelement.h"

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
    update();
}

void TextElement::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty())
        return;
    QPainter p(this);
    p.setPen(m_colour);
    const QFontMetricsF fm(font());
    const qreal lineHeight = fm.lineSpacing();
    const int maxLines = std::max(1, int(height() / lineHeight));

    // Wrap each paragraph at the width; stop once the height is full.
    QStringList lines;
    bool cut = false;
    const QStringList paragraphs = m_text.split(u'\n');
    for (qsizetype i = 0; i < paragraphs.size() && !cut; ++i) {
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
        if (paragraphs[i].isEmpty() && !cut) {
            if (lines.size() == maxLines)
                cut = true;
            else
                lines << QString();
        }
    }
    if (cut && !lines.isEmpty())
        lines.back() = fm.elidedText(lines.back() + QChar(0x2026), Qt::ElideRight, width());

    const qreal total = lines.size() * lineHeight;
    qreal y = 0;
    if (m_alignment & Qt::AlignVCenter)
        y = (height() - total) / 2;
    else if (m_alignment & Qt::AlignBottom)
        y = height() - total;
    const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
    for (const QString &line : lines) {
        p.drawText(QRectF(0, y, width(), lineHeight), int(horizontal | Qt::AlignVCenter), line);
        y += lineHeight;
    }
}
