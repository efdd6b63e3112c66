// SPDX-License-Identifier: MIT
#pragma once

#include "logic/listscrollmodel.h"

#include <QColor>
#include <QStaticText>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QTouchEvent;

// A list of equal rows with no background and no scroll bars. It reports a
// change of its selected index, also when code sets it, but never when the
// index is set to the one it already has; a click reports separately.
class ListBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 26;

    ListBox(QWidget *parent, const QRect &geometry, qreal opacity);

    void addItem(const QString &text);
    int count() const { return int(m_items.size()); }
    QString itemText(int row) const { return m_items.value(row); }

    int itemIndex() const { return m_index; }
    // Takes -1 (no entry) or a row of the list; any other index is refused.
    void setItemIndex(int index);

    // A positive dy moves the view toward the first row.
    void scrollBy(int dy);
    const ListScrollModel &scrollModel() const { return m_scroll; }

    bool isPressed() const { return m_pressed; }
    qreal opacity() const { return m_opacity; }

    // A row's rectangle in the list's coordinates, where it is now shown.
    QRect rowRect(int row) const;
    // Selects a row and reports a click, as clicking it does.
    void choose(int row);

    // Called first for every key while the list has the focus, with the typed
    // character (0 for a key that types none). The list's own handling follows.
    std::function<void(QChar &keyChar)> keyDown;

signals:
    void changed();
    void clicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int rowAt(QPointF pos) const;
    QStaticText layoutRow(const QString &text) const;

    // A finger on the list selects the entry it pressed once held for
    // HoldMs, or at a release that did not move it; a finger that moves pans
    // the list instead. A second finger leaves the touch to the window.
    void touch(QTouchEvent *event);
    void touchMoved(QPointF pos);
    void touchReleased(QPointF pos);
    void touchHeld();
    void endTouch();

    // Tells screen readers which entry is selected and, while the list has
    // the focus, that it is the focused one.
    void notifySelection(int previous);
    void notifyFocusedRow();

    QStringList m_items;
    // Each row's text laid out once, elided to the row's width.
    std::vector<QStaticText> m_rows;
    int m_index = -1;
    ListScrollModel m_scroll;
    qreal m_opacity;
    bool m_pressed = false;

    enum class Touch { None, Pressed, Held, Panning, Ignored };
    Touch m_touch = Touch::None;
    int m_touchId = 0;
    int m_touchRow = -1;
    QPointF m_touchPress;
    int m_touchStartPosition = 0;
    QTimer m_hold;
};
