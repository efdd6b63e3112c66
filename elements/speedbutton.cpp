// SPDX-License-Identifier: MIT
#include "elements/speedbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

SpeedButton::SpeedButton(QWidget *parent, Glyph glyph) : QAbstractButton(parent), m_glyph(glyph)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
}

void SpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractButton::mouseMoveEvent(event);
    // The button owns every move over it; none reaches the element beneath.
    event->accept();
}

void SpeedButton::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && event->isAccepted())
        m_pressed = true;
}

void SpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QAbstractButton::mouseReleaseEvent(event);
}

void SpeedButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setOpacity(m_opacity);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isDown()) {
        p.setPen(QColor(0, 140, 255, 102));
        p.setBrush(QColor(0, 140, 255, 51));
        p.drawRect(box);
    } else if (underMouse()) {
        p.setPen(QColor(0, 140, 255, 51));
        p.setBrush(QColor(0, 137, 255, 26));
        p.drawRect(box);
    }

    if (m_glyph == Glyph::Text) {
        p.setPen(m_textColour);
        p.drawText(rect(), Qt::AlignCenter, text());
        return;
    }
    // A thin chevron, 16 wide and 10 high with a 2-unit stroke.
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xFF606060u), 2.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF c = QRectF(rect()).center();
    const qreal dir = m_glyph == Glyph::ChevronDown ? 1.0 : -1.0;
    QPainterPath path;
    path.moveTo(c.x() - 8 + 1, c.y() - dir * 5 + dir);
    path.lineTo(c.x(), c.y() + dir * 5 - dir);
    path.lineTo(c.x() + 8 - 1, c.y() - dir * 5 + dir);
    p.drawPath(path);
}
