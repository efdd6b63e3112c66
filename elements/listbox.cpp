// SPDX-License-Identifier: MIT
#include "elements/listbox.h"

#include "elements/accessiblefactory.h"
#include "elements/typedcharacter.h"
#include "logic/gesturerecognizer.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QTouchEvent>

#include <cmath>

namespace {
const QColor TextColour(0xFFF1F9FEu);
const QColor SelectionFill(0, 140, 255, 51);
const QColor SelectionBorder(0, 140, 255, 102);
constexpr int TextMargin = 3;
constexpr qreal UnfocusedSelection = 0.7;
// How long a finger rests on an entry before the entry is selected.
constexpr int HoldMs = 250;
} // namespace

// The geometry comes first: scrolling rows into view needs the view's height.
ListBox::ListBox(QWidget *parent, const QRect &geometry, qreal opacity)
    : QWidget(parent), m_scroll(RowHeight, geometry.height()), m_opacity(opacity)
{
    accessiblefactory::install();
    setGeometry(geometry);
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    QFont f = font();
    f.setPixelSize(14);
    setFont(f);

    // Touches are the list's own, so that no pointer press is made of them.
    setAttribute(Qt::WA_AcceptTouchEvents);
    m_hold.setSingleShot(true);
    m_hold.setInterval(HoldMs);
    m_hold.setTimerType(Qt::PreciseTimer);
    connect(&m_hold, &QTimer::timeout, this, &ListBox::touchHeld);
}

void ListBox::addItem(const QString &text)
{
    m_items << text;
    m_rows.push_back(layoutRow(text));
    m_scroll.setRowCount(count());
    update();
}

void ListBox::setItemIndex(int index)
{
    // -1 selects nothing; an index past either end is refused outright.
    if (index == m_index || index < -1 || index >= count())
        return;
    const int previous = m_index;
    m_index = index;
    if (index >= 0)
        m_scroll.ensureVisible(index);
    update();
    notifySelection(previous);
    emit changed();
}

void ListBox::scrollBy(int dy)
{
    const int before = m_scroll.position();
    m_scroll.scrollBy(dy);
    if (m_scroll.position() != before)
        update();
}

QStaticText ListBox::layoutRow(const QString &text) const
{
    // A name too long for its row ends in an ellipsis rather than a cut letter.
    QStaticText row(fontMetrics().elidedText(text, Qt::ElideRight, width() - TextMargin));
    row.setTextFormat(Qt::PlainText);
    row.setPerformanceHint(QStaticText::AggressiveCaching);
    row.prepare(QTransform(), font());
    return row;
}

int ListBox::rowAt(QPointF pos) const
{
    if (pos.x() < 0 || pos.x() >= width() || pos.y() < 0 || pos.y() >= height())
        return -1;
    return m_scroll.rowAt(int(pos.y()));
}

void ListBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setOpacity(m_opacity);
    p.setFont(font());
    const int first = m_scroll.position() / RowHeight;
    for (int row = first; row < count(); ++row) {
        const int top = row * RowHeight - m_scroll.position();
        if (top >= height())
            break;
        const QRect item(0, top, width(), RowHeight);
        if (row == m_index) {
            p.save();
            p.setOpacity(m_opacity * (hasFocus() ? 1.0 : UnfocusedSelection));
            // The pixels of drawRect with this pen and brush, filled as
            // plain rectangles: a stroked outline goes through Qt's threaded
            // span fill on every repaint.
            p.fillRect(item.adjusted(1, 1, 0, 0), SelectionFill);
            p.fillRect(QRect(item.left(), item.top(), item.width(), 1), SelectionBorder);
            p.fillRect(QRect(item.left(), item.bottom(), item.width(), 1), SelectionBorder);
            p.fillRect(QRect(item.left(), item.top() + 1, 1, item.height() - 2), SelectionBorder);
            p.fillRect(QRect(item.right(), item.top() + 1, 1, item.height() - 2), SelectionBorder);
            p.restore();
        }
        p.setPen(TextColour);
        const QStaticText &text = m_rows[size_t(row)];
        p.drawStaticText(QPointF(TextMargin, top + (RowHeight - text.size().height()) / 2), text);
    }
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    const int row = rowAt(event->position());
    if (row >= 0)
        setItemIndex(row);
}

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over the list belong to it alone, pressed or not.
    event->accept();
    if (!m_pressed)
        return;
    const int row = rowAt(event->position());
    if (row >= 0)
        setItemIndex(row);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click is a second press, handled as one.
    mousePressEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const QChar typed = typedCharacter(event);
    QChar keyChar = typed;
    if (keyDown)
        keyDown(keyChar);
    if (!typed.isNull()) {
        // Every typed character is the list's; none searches or reaches the window.
        event->accept();
        return;
    }
    if (count() == 0) {
        event->ignore();
        return;
    }
    const int page = m_scroll.lastVisibleRow() - m_scroll.firstVisibleRow();
    int target = m_index;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        target = std::max(0, m_index - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        target = std::min(count() - 1, m_index + 1);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count() - 1;
        break;
    case Qt::Key_PageUp:
        target = std::max(0, m_index - page);
        break;
    case Qt::Key_PageDown:
        target = std::min(count() - 1, m_index + page);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
    setItemIndex(target);
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    // After the list's own focus notification, which follows this handler.
    QMetaObject::invokeMethod(this, &ListBox::notifyFocusedRow, Qt::QueuedConnection);
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void ListBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (qsizetype i = 0; i < m_items.size(); ++i)
        m_rows[size_t(i)] = layoutRow(m_items[i]);
    if (m_scroll.viewHeight() == height())
        return;
    const int position = m_scroll.position();
    m_scroll = ListScrollModel(RowHeight, height());
    m_scroll.setRowCount(count());
    m_scroll.scrollBy(-position);
}

QRect ListBox::rowRect(int row) const
{
    return {0, row * RowHeight - m_scroll.position(), width(), RowHeight};
}

void ListBox::choose(int row)
{
    setItemIndex(row);
    emit clicked();
}

bool ListBox::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        touch(static_cast<QTouchEvent *>(event));
        return true;
    case QEvent::TouchCancel:
        endTouch();
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

void ListBox::touch(QTouchEvent *event)
{
    event->accept();
    const QList<QEventPoint> &points = event->points();
    if (event->type() == QEvent::TouchBegin) {
        endTouch();
        if (points.size() != 1) {
            m_touch = Touch::Ignored;
            return;
        }
        setFocus(Qt::MouseFocusReason);
        m_touch = Touch::Pressed;
        m_touchId = points.first().id();
        m_touchPress = points.first().position();
        m_touchRow = rowAt(m_touchPress);
        m_touchStartPosition = m_scroll.position();
        m_hold.start();
        return;
    }
    if (points.size() > 1) {
        m_hold.stop();
        m_touch = Touch::Ignored;
    }
    for (const QEventPoint &point : points) {
        if (point.id() != m_touchId)
            continue;
        if (point.state() == QEventPoint::Updated || point.state() == QEventPoint::Released)
            touchMoved(point.position());
        if (point.state() == QEventPoint::Released)
            touchReleased(point.position());
    }
    if (event->type() == QEvent::TouchEnd)
        endTouch();
}

void ListBox::touchMoved(QPointF pos)
{
    if (m_touch == Touch::Pressed || m_touch == Touch::Held) {
        const QPointF moved = pos - m_touchPress;
        if (std::hypot(moved.x(), moved.y()) <= GestureRecognizer::TapSlop)
            return;
        m_hold.stop();
        m_touch = Touch::Panning;
    }
    if (m_touch != Touch::Panning)
        return;
    // The entries follow the finger, within the list's scroll range.
    const int target = m_touchStartPosition - int(std::lround(pos.y() - m_touchPress.y()));
    scrollBy(m_scroll.position() - target);
}

void ListBox::touchReleased(QPointF pos)
{
    const Touch state = m_touch;
    endTouch();
    if (state == Touch::Pressed && m_touchRow >= 0)
        setItemIndex(m_touchRow);
    if ((state == Touch::Pressed || state == Touch::Held) && rect().contains(pos.toPoint()))
        emit clicked();
}

void ListBox::touchHeld()
{
    if (m_touch != Touch::Pressed)
        return;
    m_touch = Touch::Held;
    if (m_touchRow >= 0)
        setItemIndex(m_touchRow);
    // Selecting may have scrolled the entry into view; a pan goes on from there.
    m_touchStartPosition = m_scroll.position();
}

void ListBox::endTouch()
{
    m_hold.stop();
    m_touch = Touch::None;
}

void ListBox::notifySelection(int previous)
{
    if (!QAccessible::isActive())
        return;
    if (previous >= 0 && previous < count()) {
        QAccessibleEvent removed(this, QAccessible::SelectionRemove);
        removed.setChild(previous);
        QAccessible::updateAccessibility(&removed);
    }
    if (m_index < 0 || m_index >= count())
        return;
    QAccessibleEvent selected(this, QAccessible::Selection);
    selected.setChild(m_index);
    QAccessible::updateAccessibility(&selected);
    notifyFocusedRow();
}

void ListBox::notifyFocusedRow()
{
    if (!hasFocus() || !QAccessible::isActive() || m_index < 0 || m_index >= count())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_index);
    QAccessible::updateAccessibility(&focus);
}
