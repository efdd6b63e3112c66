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
    const qreal d = devicePixelRatioF();
    if (m_fillImage.size() != size() * d || m_fillImage.devicePixelRatio() != d) {
        m_fillImage = QImage(size() * d, QImage::Format_ARGB32_Premultiplied);
        m_fillImage.setDevicePixelRatio(d);
        m_fillImage.fill(Qt::transparent);
        QPainter fill(&m_fillImage);
        fill.setRenderHint(QPainter::Antialiasing);
        fill.setOpacity(m_opacity);
        fill.setPen(Qt::NoPen);
        fill.setBrush(m_fill);
        fill.drawRoundedRect(rect(), m_radius, m_radius);
    }
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_fillImage);
}
