// SPDX-License-Identifier: MIT
#pragma once

#include "elements/textelement.h"

// A label that reacts to clicks: a left press on it followed by the release
// over it. The second press of a double click does not click again.
class LinkLabel : public TextElement
{
    Q_OBJECT

public:
    LinkLabel(QWidget *parent, int pixelSize, QColor colour);

    // Follows the link as a click does; for input that is not a pointer.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
