// SPDX-License-Identifier: MIT
#pragma once

#include "logic/gesturerecognizer.h"
#include "logic/touchpadpinch.h"
#include "logic/wheelnotches.h"

#include <QObject>

class QNativeGestureEvent;
class QTouchEvent;
class QWheelEvent;
class TForm2;

// Turns the toolkit's wheel, touch and touchpad-pinch events into calls of
// the viewer window's handlers. It watches the window's own elements, so the
// wheel reaches FormMouseWheel before any element sees it, and the window's
// native window, where every touch point arrives whatever lies under it.
class InputTranslator : public QObject
{
    Q_OBJECT

public:
    // Watches form and the elements it holds now; form must outlive it.
    explicit InputTranslator(TForm2 &form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchNativeWindow();
    void wheel(const QWheelEvent *event);
    void touch(const QTouchEvent *event);
    bool nativeGesture(QNativeGestureEvent *event);

    TForm2 &m_form;
    QObject *m_nativeWindow = nullptr;
    WheelNotches m_notches;
    GestureRecognizer m_gestures;
    TouchpadPinch m_pinch;
};
