// SPDX-License-Identifier: MIT
#include "elements/fittedimage.h"

#include "elements/accessiblefactory.h"

#include <QPainter>

#include <cmath>

FittedImage::FittedImage(QWidget *parent, const QImage &image) : QWidget(parent), m_image(image)
{
    accessiblefactory::install();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QRectF FittedImage::pictureRect() const
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return {};
    const qreal ratio =
        std::max(qreal(m_image.width()) / width(), qreal(m_image.height()) / height());
    const qreal w = m_image.width() / ratio;
    const qreal h = m_image.height() / ratio;
    const qreal d = devicePixelRatioF();
    // Snapped in window coordinates, where device pixels are whole.
    const QPointF origin = mapTo(window(), QPointF(0, 0));
    const qreal left = std::trunc((origin.x() + (width() - w) / 2) * d) / d - origin.x();
    const qreal top = std::trunc((origin.y() + (height() - h) / 2) * d) / d - origin.y();
    return {left, top, std::round(w * d) / d, std::round(h * d) / d};
}

void FittedImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), m_image);
}
