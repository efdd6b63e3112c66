// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

// A picture scaled to fit its element, keeping its aspect, centred, and
// snapped to whole device pixels (left and top truncated, size rounded).
class FittedImage : public QWidget
{
    Q_OBJECT

public:
    FittedImage(QWidget *parent, const QImage &image);

    // Where the picture lands, in the element's coordinates.
    QRectF pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
