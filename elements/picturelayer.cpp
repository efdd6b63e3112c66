// SPDX-License-Identifier: MIT
#include "elements/picturelayer.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

PictureLayer::PictureLayer(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureLayer::setPosition(float x, float y)
{
    if (x == m_x && y == m_y)
        return;
    m_x = x;
    m_y = y;
    update();
}

void PictureLayer::setScale(float s)
{
    if (s == m_scale)
        return;
    m_scale = s;
    update();
}

void PictureLayer::setOpacity(float opacity)
{
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

void PictureLayer::layoutPass(int clientWidth, int clientHeight)
{
    setGeometry(0, 0, clientWidth, clientHeight);
    m_x = 0.0f;
    m_y = 0.0f;
    m_width = static_cast<float>(double(clientWidth) / double(m_scale));
    m_height = static_cast<float>(double(clientHeight) / double(m_scale));
    update();
}

void PictureLayer::bitmapChanged()
{
    if (m_bitmapScale == 0.0 && !m_bitmap.isNull())
        m_bitmapScale = devicePixelRatioF();
    update();
}

QRectF PictureLayer::destinationInLayer() const
{
    if (m_bitmap.isNull())
        return {};
    const qreal b = m_bitmapScale > 0.0 ? m_bitmapScale : 1.0;
    const qreal d = devicePixelRatioF();
    const qreal bw = m_bitmap.width() / b;
    const qreal bh = m_bitmap.height() / b;
    // Snap to whole device pixels: left and top truncated, size rounded.
    const qreal left = std::trunc((m_width - bw) / 2.0 * d) / d;
    const qreal top = std::trunc((m_height - bh) / 2.0 * d) / d;
    return {left, top, std::round(bw * d) / d, std::round(bh * d) / d};
}

QRectF PictureLayer::pictureRect() const
{
    const QRectF r = destinationInLayer();
    return {m_x + m_scale * r.x(), m_y + m_scale * r.y(), m_scale * r.width(),
            m_scale * r.height()};
}

void PictureLayer::paintEvent(QPaintEvent *)
{
    if (m_bitmap.isNull() || m_opacity <= 0.0f)
        return;
    QPainter p(this);
    p.setOpacity(m_opacity);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(m_x, m_y);
    p.scale(m_scale, m_scale);
    p.drawImage(destinationInLayer(), m_bitmap);
}
