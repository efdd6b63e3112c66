// SPDX-License-Identifier: MIT
#include "elements/roundedpanel.h"

#include <QMouseEvent>
#include <QPainter>

RoundedPanel::RoundedPanel(QWidget *parent, QColor fill, qreal radius, qreal opacity)
    : QWidget(parent), m_fill(fill), m_radius(radius), m_opacity(opacity)
{
    setMouseTracking(true);
}

namespace {
bool inside(const QWidget *widget, QPointF pos)
{
    return pos.x() >= 0 && pos.x() < widget->width() && pos.y() >= 0 && pos.y() < widget->height();
}
} // namespace

// A press on the surface does not hold the pointer: once the pointer is off
// the panel, its moves and the release go on to the window beneath.
void RoundedPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (!inside(this, event->position())) {
        event->ignore();
        return;
    }
    event->accept();
    emit mouseMoved();
}

// The panel takes pointer input: presses on it never reach the window beneath.
void RoundedPanel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void RoundedPanel::mouseReleaseEvent(QMouseEvent *event)
{
    event->setAccepted(inside(this, event->position()));
}

void RoundedPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(m_opacity);
    p.setPen(Qt::NoPen);
    p.setBrush(m_fill);
    p.drawRoundedRect(rect(), m_radius, m_radius);
}
