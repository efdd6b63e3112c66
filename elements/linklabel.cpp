// SPDX-License-Identifier: MIT
#include "elements/linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget *parent, int pixelSize, QColor colour)
    : TextElement(parent, pixelSize, colour, Qt::AlignLeft | Qt::AlignVCenter)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
