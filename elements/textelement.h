#pragma once

#include <QColor>
#include <QWidget>

// A text or label element: the platform's UI font at its own pixel size and
// colour, wrapped at the element's width, and cut at a character with an
// ellipsis where it does not fit the height. Takes no pointer input.
class TextElement : public QWidget
{
    Q_OBJECT

public:
    TextElement(QWidget *parent, int pixelSize, QColor colour, Qt::Alignment alignment);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor colour() const { return m_colour; }
    Qt::Alignment alignment() const { return m_alignment; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_colour;
    Qt::Alignment m_alignment;
};
