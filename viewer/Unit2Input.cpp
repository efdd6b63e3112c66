// SPDX-License-Identifier: MIT
// The viewer window's input handlers: pointer, wheel, keys and gestures.
// InputTranslator turns wheel, touch and touchpad events into calls of them.

#include "viewer/Unit2.h"

#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "elements/speedbutton.h"
#include "elements/typedcharacter.h"
#include "logic/panmath.h"
#include "logic/pinchzoom.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

bool TForm2::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        // Gestures are recognised from the native window's touch points; the
        // touch itself goes on to become pointer input for whatever lies
        // under it.
        event->ignore();
        return false;
    default:
        return QWidget::event(event);
    }
}

void TForm2::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    FormMouseDown(event->button(), float(pos.x()), float(pos.y()));
}

void TForm2::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    FormMouseMove(float(pos.x()), float(pos.y()));
}

void TForm2::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    FormMouseUp(event->button(), float(pos.x()), float(pos.y()));
}

void TForm2::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FormMouseMove(-1.0f, -1.0f);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    QChar keyChar = typedCharacter(event);
    FormKeyDown(keyChar);
}

void TForm2::FormMouseDown(Qt::MouseButton Button, float X, float Y)
{
    if (Button == Qt::LeftButton) {
        DragActive = true;
        FDown = {X, Y};
    } else if (Button == Qt::RightButton) {
        // Returns once the menu has closed; a chosen command has run by then.
        PopupMenu1->exec(mapToGlobal(QPointF(X, Y)).toPoint());
    }
}

void TForm2::FormMouseMove(float X, float Y)
{
    MouseOverPanel = false;
    if (Y < 0) {
        DragActive = false;
        return;
    }
    if (!DragActive)
        return;
    for (PictureLayer *layer : {Image1, Image2}) {
        float px = layer->x();
        float py = layer->y();
        if (const auto ny =
                panmath::panAxis(py, Y, FDown.y, layer->scale(), layer->unscaledHeight(), height()))
            py = *ny;
        if (const auto nx =
                panmath::panAxis(px, X, FDown.x, layer->scale(), layer->unscaledWidth(), width()))
            px = *nx;
        // One position change, so the layer repaints once per move.
        layer->setPosition(px, py);
    }
    FDown = {X, Y};
}

void TForm2::FormMouseUp(Qt::MouseButton, float, float)
{
    DragActive = false;
}

void TForm2::FormMouseWheel(int WheelDelta, bool &Handled)
{
    if (MouseOverPanel)
        Panel1MouseWheel(WheelDelta, Handled);
    else if (WheelDelta > 0)
        DoZoom(+1);
    else
        DoZoom(-1);
    Handled = true;
}

void TForm2::Panel1MouseMove()
{
    MouseOverPanel = true;
}

void TForm2::Panel1MouseWheel(int WheelDelta, bool &Handled)
{
    ListBox1->scrollBy(ListBox1->scrollModel().wheelStep(WheelDelta));
    Handled = true;
}

void TForm2::SpeedButton1Click()
{
    ListBox1->scrollBy(-ListBox1->scrollModel().pageStep());
}

void TForm2::SpeedButton2Click()
{
    ListBox1->scrollBy(+ListBox1->scrollModel().pageStep());
}

void TForm2::togglePanel()
{
    if (Panel1->isVisible()) {
        // The hidden list gives up the keyboard, also as the focus the window
        // would restore when it is next activated; showing it does not take
        // it back.
        ListBox1->clearFocus();
        Panel1->hide();
    } else {
        Panel1->show();
    }
}

void TForm2::FormKeyDown(QChar &KeyChar)
{
    if (KeyChar == u' ')
        togglePanel();
}

void TForm2::ListBox1KeyDown(QChar &KeyChar)
{
    if (KeyChar == u' ')
        togglePanel();
}

void TForm2::FormGesture(const GestureRecord &EventInfo, bool &Handled)
{
    switch (EventInfo.id) {
    case GestureRecord::Zoom:
        if (const int step = pinchzoom::step(EventInfo, LastGestureDistance))
            DoZoom(step);
        Handled = true;
        break;
    case GestureRecord::LongTap:
        advanceLoop();
        Handled = true;
        break;
    case GestureRecord::DoubleTap:
        togglePanel();
        Handled = true;
        break;
    case GestureRecord::SwipeLeft:
    case GestureRecord::SwipeRight:
    case GestureRecord::Pan:
        Handled = true;
        break;
    default:
        break;
    }
}
