// SPDX-License-Identifier: MIT
// The viewer window's input: pointer, wheel, keys and touch gestures.

#include "viewer/Unit2.h"

#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "elements/speedbutton.h"
#include "logic/panmath.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QTouchEvent>
#include <QWheelEvent>
#include <QWindow>

namespace {

constexpr int ListRow = 26;
constexpr int ListPage = 260;

// A character typed without Ctrl or Alt; other keys carry none.
QChar typedCharacter(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    const QString text = event->text();
    return text.isEmpty() || !text[0].isPrint() ? QChar() : text[0];
}

} // namespace

bool TForm2::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::NativeGesture: {
        // A touchpad pinch zooms as a pinch on a touch screen does.
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        std::optional<GestureRecord> record;
        switch (gesture->gestureType()) {
        case Qt::BeginNativeGesture:
            m_pinch.begin();
            break;
        case Qt::ZoomNativeGesture:
            record = m_pinch.zoom(gesture->value());
            break;
        case Qt::EndNativeGesture:
            record = m_pinch.end();
            break;
        default:
            return QWidget::event(event);
        }
        if (record) {
            bool handled = false;
            FormGesture(*record, handled);
        }
        event->accept();
        return true;
    }
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        // Gestures are recognised at the window level; the touch itself goes
        // on to become pointer input for whatever lies under it.
        event->ignore();
        return false;
    default:
        return QWidget::event(event);
    }
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        // Only the viewer window's own surface: not the menu, which is a
        // window of its own although the viewer owns it.
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != this)
            return false;
        auto *wheel = static_cast<QWheelEvent *>(event);
        // A pressed list or button holds the pointer and takes the wheel alone.
        if (ListBox1->isPressed()) {
            ListBox1->scrollBy(wheel->angleDelta().y() >= 0 ? ListRow : -ListRow);
            return true;
        }
        if (SpeedButton1->isPressed() || SpeedButton2->isPressed())
            return true;
        const QPoint delta = wheel->angleDelta();
        bool handled = false;
        FormMouseWheel(delta.y() != 0 ? delta.y() : delta.x(), handled);
        return true;
    }
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        if (watched != windowHandle())
            return false;
        auto *touch = static_cast<QTouchEvent *>(event);
        if (event->type() == QEvent::TouchCancel) {
            m_gestures.reset();
            return false;
        }
        std::vector<TouchPoint> points;
        for (const QEventPoint &p : touch->points()) {
            TouchPoint::State state = TouchPoint::Stationary;
            switch (p.state()) {
            case QEventPoint::Pressed:
                state = TouchPoint::Pressed;
                break;
            case QEventPoint::Updated:
                state = TouchPoint::Moved;
                break;
            case QEventPoint::Released:
                state = TouchPoint::Released;
                break;
            default:
                break;
            }
            const QPointF pos = mapFromGlobal(p.globalPosition());
            points.push_back({p.id(), pos.x(), pos.y(), state});
        }
        for (const GestureRecord &record :
             m_gestures.process(points, static_cast<std::int64_t>(touch->timestamp()))) {
            bool handled = false;
            FormGesture(record, handled);
        }
        return false;
    }
    default:
        return false;
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
        QAction *chosen = PopupMenu1->exec(mapToGlobal(QPointF(X, Y)).toPoint());
        if (!chosen)
            return;
        // Each command flips its own check mark; undo the menu's flip first.
        if (chosen->isCheckable())
            chosen->setChecked(!chosen->isChecked());
        if (chosen == MenuItem1)
            MenuItem1Click();
        else if (chosen == MenuItem2)
            MenuItem2Click();
        else if (chosen == MenuItem5)
            MenuItem5Click();
        else if (chosen == MenuItem3)
            MenuItem3Click();
        else if (chosen == MenuItem6)
            MenuItem6Click();
        else if (chosen == MenuItem4)
            MenuItem4Click();
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
    ListBox1->scrollBy(WheelDelta >= 0 ? ListRow : -ListRow);
    Handled = true;
}

void TForm2::SpeedButton1Click()
{
    ListBox1->scrollBy(-ListPage);
}

void TForm2::SpeedButton2Click()
{
    ListBox1->scrollBy(+ListPage);
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
        if (EventInfo.flags & GestureRecord::Begin)
            LastGestureDistance = EventInfo.distance;
        if (!(EventInfo.flags & (GestureRecord::Begin | GestureRecord::End))) {
            const std::int64_t d = std::int64_t(EventInfo.distance) - LastGestureDistance;
            if (d > 4)
                DoZoom(+1);
            else if (d < -4)
                DoZoom(-1);
            LastGestureDistance = EventInfo.distance;
        }
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
    case 1:
    case 2:
    case GestureRecord::Pan:
        Handled = true;
        break;
    default:
        break;
    }
}
