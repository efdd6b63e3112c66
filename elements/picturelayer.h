// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

// A picture element: a bitmap drawn one bitmap pixel per layer unit, centred
// on the layer's own rectangle, with the layer placed at a float position and
// scaled about its top-left corner. The widget always spans its parent, so
// drawing is clipped by the window only, never by the layer's box.
//
// Position, scale and unscaled size are 32-bit floats; the zoom and pan
// limits depend on that rounding.
//
// A change repaints only when it changes a painted pixel, and opacity
// changes (the fades) repaint at most once per fade frame (fadeFrameMs).
class PictureLayer : public QWidget
{
    Q_OBJECT

public:
    explicit PictureLayer(QWidget *parent);

    float x() const { return m_x; }
    float y() const { return m_y; }
    float scale() const { return m_scale; }
    float unscaledWidth() const { return m_width; }
    float unscaledHeight() const { return m_height; }
    float opacity() const { return m_opacity; }

    void setPosition(float x, float y);
    void setScale(float s);
    void setOpacity(float opacity);

    // The window's layout pass: the layer fills the client area at its
    // current scale, so its box covers the window exactly.
    void layoutPass(int clientWidth, int clientHeight);

    // The bitmap the decoder writes into. Call bitmapChanged() afterwards.
    QImage &bitmap() { return m_bitmap; }
    // Gives the bitmap this size and format unless it has them already, in
    // memory backed by huge pages where the system offers them: a fresh
    // 8 MB buffer otherwise costs some two thousand page faults on its
    // first write. The pixels are left undefined.
    void reserveBitmap(QSize size, QImage::Format format);
    const QImage &bitmap() const { return m_bitmap; }
    void bitmapChanged();

    // Where the bitmap lands, in window units, as drawn.
    QRectF pictureRect() const;

    // The part of the layer, in its own units, whose every pixel it paints
    // without reading what lies beneath: a window need not fill it first.
    QRect opaqueRect() const;
    // The alpha the painter blends with at this opacity, or -1 when the layer
    // draws nothing. Opacities with the same value paint the same pixels.
    int paintedAlpha(float opacity) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF destinationInLayer() const;
    // The bitmap's rectangle when it is drawn one pixel per device pixel at
    // a whole position; empty otherwise.
    QRect wholePixelRect() const;
    bool isDrawn() const { return paintedAlpha(m_opacity) >= 0; }
    void repaintWithinFrame();

    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_scale = 1.0f;
    float m_width = 0.0f;
    float m_height = 0.0f;
    float m_opacity = 1.0f;
    QImage m_bitmap;
    QElapsedTimer m_lastPaint;
    bool m_lastPaintDrew = false;
    QTimer m_frameTimer;
};
