// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QStaticText>
#include <QWidget>

#include <vector>

// A text or label element: the platform's UI font at its own pixel size and
// colour, wrapped at the element's width, and cut at a character with an
// ellipsis where it does not fit the height. Takes no pointer input.
//
// The lines are laid out when the text or the size changes, not on every
// paint: the labels are repainted with each frame of a fade beneath them.
class TextElement : public QWidget
{
    Q_OBJECT

public:
    TextElement(QWidget *parent, int pixelSize, QColor colour, Qt::Alignment alignment);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor colour() const { return m_colour; }
    Qt::Alignment alignment() const { return m_alignment; }

    // Places the element at a position that may fall between whole units:
    // the widget sits at the whole units below it and draws its text shifted
    // by the rest, snapped to device pixels. Holds until the next call.
    void moveTo(QPointF topLeft);
    QPointF exactPos() const { return QPointF(pos()) + m_shift; }

    // The opacity of a group the element belongs to, such as a panel's.
    void setOpacity(qreal opacity);
    qreal opacity() const { return m_opacity; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutLines();

    QString m_text;
    QColor m_colour;
    Qt::Alignment m_alignment;
    QPointF m_shift;
    qreal m_opacity = 1.0;
    std::vector<QStaticText> m_lines;
    qreal m_lineHeight = 0;
};
