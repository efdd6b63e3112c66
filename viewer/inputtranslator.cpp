// SPDX-License-Identifier: MIT
#include "viewer/inputtranslator.h"

#include "elements/listbox.h"
#include "elements/speedbutton.h"
#include "viewer/Unit2.h"

#include <QNativeGestureEvent>
#include <QTouchEvent>
#include <QWheelEvent>
#include <QWindow>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

WheelNotches::Phase phaseOf(Qt::ScrollPhase phase)
{
    switch (phase) {
    case Qt::ScrollBegin:
        return WheelNotches::Phase::Begin;
    case Qt::ScrollUpdate:
        return WheelNotches::Phase::Update;
    case Qt::ScrollEnd:
        return WheelNotches::Phase::End;
    case Qt::ScrollMomentum:
        return WheelNotches::Phase::Momentum;
    case Qt::NoScrollPhase:
        break;
    }
    return WheelNotches::Phase::None;
}

TouchPoint::State stateOf(QEventPoint::State state)
{
    switch (state) {
    case QEventPoint::Pressed:
        return TouchPoint::Pressed;
    case QEventPoint::Updated:
        return TouchPoint::Moved;
    case QEventPoint::Released:
        return TouchPoint::Released;
    default:
        return TouchPoint::Stationary;
    }
}

} // namespace

InputTranslator::InputTranslator(TForm2 &form) : QObject(&form), m_form(form)
{
    // Only the viewer's own surface: the menu is a window of its own
    // although the viewer owns it.
    form.installEventFilter(this);
    for (QWidget *element : form.findChildren<QWidget *>()) {
        if (element->window() == &form)
            element->installEventFilter(this);
    }
    watchNativeWindow();
}

void InputTranslator::watchNativeWindow()
{
    QWindow *window = m_form.windowHandle();
    if (window == m_nativeWindow)
        return;
    if (m_nativeWindow)
        m_nativeWindow->removeEventFilter(this);
    m_nativeWindow = window;
    if (window)
        window->installEventFilter(this);
}

bool InputTranslator::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        if (watched == m_nativeWindow)
            return false;
        wheel(static_cast<const QWheelEvent *>(event));
        return true;
    case QEvent::NativeGesture:
        if (watched == m_nativeWindow)
            return false;
        return nativeGesture(static_cast<QNativeGestureEvent *>(event));
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        if (watched == m_nativeWindow)
            touch(static_cast<const QTouchEvent *>(event));
        return false;
    case QEvent::TouchCancel:
        if (watched == m_nativeWindow)
            m_gestures.reset();
        return false;
    case QEvent::WinIdChange:
        // The native window is made when the window is first shown.
        if (watched == &m_form)
            watchNativeWindow();
        return false;
    default:
        return false;
    }
}

void InputTranslator::wheel(const QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const std::optional<int> notification =
        m_notches.feed(angle.y() != 0 ? angle.y() : angle.x(), phaseOf(event->phase()));
    if (!notification)
        return;
    // A pressed list or button holds the pointer and takes the wheel alone.
    ListBox *list = m_form.ListBox1;
    if (list->isPressed()) {
        list->scrollBy(list->scrollModel().wheelStep(*notification));
        return;
    }
    if (m_form.SpeedButton1->isPressed() || m_form.SpeedButton2->isPressed())
        return;
    bool handled = false;
    m_form.FormMouseWheel(*notification, handled);
}

void InputTranslator::touch(const QTouchEvent *event)
{
    std::vector<TouchPoint> points;
    for (const QEventPoint &p : event->points()) {
        const QPointF pos = m_form.mapFromGlobal(p.globalPosition());
        points.push_back({p.id(), pos.x(), pos.y(), stateOf(p.state())});
    }
    for (const GestureRecord &record :
         m_gestures.process(points, static_cast<std::int64_t>(event->timestamp()))) {
        bool handled = false;
        m_form.FormGesture(record, handled);
    }
}

bool InputTranslator::nativeGesture(QNativeGestureEvent *event)
{
    // A touchpad pinch zooms as a pinch on a touch screen does.
    std::optional<GestureRecord> record;
    switch (event->gestureType()) {
    case Qt::BeginNativeGesture:
        m_pinch.begin();
        break;
    case Qt::ZoomNativeGesture:
        record = m_pinch.zoom(event->value());
        break;
    case Qt::EndNativeGesture:
        record = m_pinch.end();
        break;
    default:
        return false;
    }
    if (record) {
        bool handled = false;
        m_form.FormGesture(*record, handled);
    }
    event->accept();
    return true;
}
