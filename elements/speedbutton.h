// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QColor>

// A flat button that never takes the keyboard focus: nothing but its glyph
// or text until the pointer is over it (a faint blue box) or holds it down
// (a stronger one).
class SpeedButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Glyph { Text, ChevronUp, ChevronDown };

    SpeedButton(QWidget *parent, Glyph glyph);

    void setTextColour(QColor colour) { m_textColour = colour; }
    // The opacity of a group the button belongs to, such as a panel's.
    void setOpacity(qreal opacity) { m_opacity = opacity; }

    // True from a left press on the button to the release, wherever the
    // pointer goes meanwhile (isDown() turns false while it is off the button).
    bool isPressed() const { return m_pressed; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Glyph m_glyph;
    QColor m_textColour = Qt::black;
    qreal m_opacity = 1.0;
    bool m_pressed = false;
};
