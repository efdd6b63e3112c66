// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A panel drawn as a rounded rectangle without outline, at an opacity that
// its children take on as well (each multiplies its own by it), so the
// picture shows through. Painting each element at that opacity, instead of
// the group through an offscreen effect, keeps a panel repaint cheap.
class RoundedPanel : public QWidget
{
    Q_OBJECT

public:
    RoundedPanel(QWidget *parent, QColor fill, qreal radius, qreal opacity);

    qreal opacity() const { return m_opacity; }

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_fill;
    qreal m_radius;
    qreal m_opacity;
    // The fill, drawn once per size: blending it gives the same pixels as
    // filling the path, without Qt's threaded span fill on every repaint.
    QImage m_fillImage;
};
