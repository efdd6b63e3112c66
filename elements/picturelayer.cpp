// SPDX-License-Identifier: MIT
#include "elements/picturelayer.h"

#include "elements/fadeblit.h"
#include "logic/fadeframes.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

#include <sys/mman.h>
#include <unistd.h>

PictureLayer::PictureLayer(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void PictureLayer::setPosition(float x, float y)
{
    if (x == m_x && y == m_y)
        return;
    m_x = x;
    m_y = y;
    if (isDrawn())
        update();
}

void PictureLayer::setScale(float s)
{
    if (s == m_scale)
        return;
    m_scale = s;
    if (isDrawn())
        update();
}

int PictureLayer::paintedAlpha(float opacity) const
{
    if (m_bitmap.isNull() || opacity <= 0.0f)
        return -1;
    // Qt's raster engine blends with the opacity in 1/256 steps, truncated.
    return std::min(256, int(qreal(opacity) * 256));
}

void PictureLayer::setOpacity(float opacity)
{
    if (opacity == m_opacity)
        return;
    const bool repaint = paintedAlpha(opacity) != paintedAlpha(m_opacity);
    m_opacity = opacity;
    if (repaint)
        repaintWithinFrame();
}

void PictureLayer::repaintWithinFrame()
{
    if (m_frameTimer.isActive())
        return;
    const QScreen *s = screen();
    const qreal hz = s ? s->refreshRate() : 0.0;
    // After a frame without the picture (the black before a fade in), the
    // picture's first frame comes on the next display frame.
    const qreal frameMs = m_lastPaintDrew ? fadeFrameMs(hz) : displayFrameMs(hz);
    const qreal wait = m_lastPaint.isValid() ? frameMs - qreal(m_lastPaint.elapsed()) : 0.0;
    if (wait <= 0.0)
        update();
    else
        m_frameTimer.start(int(std::ceil(wait)));
}

void PictureLayer::layoutPass(int clientWidth, int clientHeight)
{
    setGeometry(0, 0, clientWidth, clientHeight);
    m_x = 0.0f;
    m_y = 0.0f;
    m_width = static_cast<float>(double(clientWidth) / double(m_scale));
    m_height = static_cast<float>(double(clientHeight) / double(m_scale));
    if (isDrawn())
        update();
}

void PictureLayer::reserveBitmap(QSize size, QImage::Format format)
{
    if (m_bitmap.size() == size && m_bitmap.format() == format)
        return;
    const QImage probe(1, 1, format);
    const qsizetype bytesPerLine = qsizetype(size.width()) * probe.depth() / 8;
    const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
    constexpr size_t Huge = size_t(2) << 20;
    m_bitmap = QImage();
    if (bytes == 0 || bytesPerLine % 4 != 0)
        return;
    // Over-allocate, keep a huge-page-aligned span and give the rest back.
    void *area =
        mmap(nullptr, bytes + Huge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return;
    const auto start = reinterpret_cast<quintptr>(area);
    const quintptr aligned = (start + Huge - 1) & ~quintptr(Huge - 1);
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr end = (aligned + bytes + page - 1) & ~(page - 1);
    if (aligned > start)
        munmap(area, aligned - start);
    if (start + bytes + Huge > end)
        munmap(reinterpret_cast<void *>(end), start + bytes + Huge - end);
    auto *pixels = reinterpret_cast<uchar *>(aligned);
    madvise(pixels, end - aligned, MADV_HUGEPAGE);
    struct Span
    {
        void *at;
        size_t length;
    };
    auto *span = new Span{pixels, end - aligned};
    m_bitmap = QImage(
        pixels, size.width(), size.height(), bytesPerLine, format,
        [](void *info) {
            auto *s = static_cast<Span *>(info);
            munmap(s->at, s->length);
            delete s;
        },
        span);
}

void PictureLayer::bitmapChanged()
{
    if (isDrawn())
        update();
}

QRectF PictureLayer::destinationInLayer() const
{
    if (m_bitmap.isNull())
        return {};
    // One bitmap pixel per layer unit whatever the display's scale, so the
    // fit scale fills the window on every display.
    const qreal d = devicePixelRatioF();
    const qreal bw = m_bitmap.width();
    const qreal bh = m_bitmap.height();
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

QRect PictureLayer::wholePixelRect() const
{
    if (m_scale != 1.0f || devicePixelRatioF() != 1.0)
        return {};
    const QRectF r = destinationInLayer();
    const QPointF at(m_x + r.x(), m_y + r.y());
    if (r.size() != QSizeF(m_bitmap.size()) || QPointF(at.toPoint()) != at)
        return {};
    return {at.toPoint(), m_bitmap.size()};
}

QRect PictureLayer::opaqueRect() const
{
    if (!isVisible() || !isDrawn() || m_bitmap.format() != QImage::Format_RGB32)
        return {};
    return wholePixelRect() & rect();
}

void PictureLayer::paintEvent(QPaintEvent *event)
{
    m_lastPaint.start();
    m_lastPaintDrew = isDrawn();
    if (!m_lastPaintDrew)
        return;
    QPainter p(this);
    // One bitmap pixel on one device pixel: the plain blend gives the same
    // pixels as the smoothed draw, without Qt's general, threaded span path.
    const QRect whole = wholePixelRect();
    if (!whole.isEmpty()) {
        const int alpha = paintedAlpha(m_opacity);
        if (fadeBlit(p, event->region(), whole.topLeft(), m_bitmap, alpha))
            return;
        // The window leaves the opaque rectangle to this layer.
        const QRect opaque = opaqueRect();
        if (!opaque.isEmpty())
            p.fillRect(opaque, Qt::black);
        p.setOpacity(m_opacity);
        p.drawImage(whole.topLeft(), m_bitmap);
        return;
    }
    p.setOpacity(m_opacity);
    const QRectF r = destinationInLayer();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(m_x, m_y);
    p.scale(m_scale, m_scale);
    p.drawImage(r, m_bitmap);
}
