// SPDX-License-Identifier: MIT
#pragma once

// The vertical scrolling of a list of equal rows in a fixed view, with no
// scroll bars: position 0 shows the first row at the top.
class ListScrollModel
{
public:
    ListScrollModel(int rowHeight, int viewHeight)
        : m_rowHeight(rowHeight), m_viewHeight(viewHeight)
    {}

    void setRowCount(int count);
    int rowCount() const { return m_rowCount; }
    int rowHeight() const { return m_rowHeight; }
    int viewHeight() const { return m_viewHeight; }

    int position() const { return m_position; }
    int maxPosition() const; // content height - view height, never below 0

    // A positive dy moves the view toward the first row; clamps at the bounds.
    void scrollBy(int dy);
    // Scrolls the least amount that shows row whole.
    void ensureVisible(int row);

    // The scroll of one wheel notification: a row toward the first row for a
    // delta of 0 or more, a row toward the last for a negative one.
    int wheelStep(int wheelDelta) const;
    // The scroll of one page: the whole rows the view holds.
    int pageStep() const;

    // The row under a y inside the view, or -1 past the last row or outside the view.
    int rowAt(int viewY) const;
    // First row whose top is in view, and last row whose bottom is in view.
    int firstVisibleRow() const;
    int lastVisibleRow() const;

private:
    int m_rowHeight;
    int m_viewHeight;
    int m_rowCount = 0;
    int m_position = 0;
};
