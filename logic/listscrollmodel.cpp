// SPDX-License-Identifier: MIT
#include "logic/listscrollmodel.h"

#include <algorithm>

void ListScrollModel::setRowCount(int count)
{
    m_rowCount = std::max(count, 0);
    m_position = std::clamp(m_position, 0, maxPosition());
}

int ListScrollModel::maxPosition() const
{
    return std::max(m_rowCount * m_rowHeight - m_viewHeight, 0);
}

void ListScrollModel::scrollBy(int dy)
{
    m_position = std::clamp(m_position - dy, 0, maxPosition());
}

void ListScrollModel::ensureVisible(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    const int top = row * m_rowHeight;
    const int bottom = top + m_rowHeight;
    if (top < m_position)
        m_position = top;
    else if (bottom > m_position + m_viewHeight)
        m_position = bottom - m_viewHeight;
    m_position = std::clamp(m_position, 0, maxPosition());
}

int ListScrollModel::wheelStep(int wheelDelta) const
{
    return wheelDelta >= 0 ? m_rowHeight : -m_rowHeight;
}

int ListScrollModel::pageStep() const
{
    return m_rowHeight > 0 ? m_viewHeight / m_rowHeight * m_rowHeight : 0;
}

int ListScrollModel::rowAt(int viewY) const
{
    if (viewY < 0 || viewY >= m_viewHeight || m_rowHeight <= 0)
        return -1;
    const int row = (m_position + viewY) / m_rowHeight;
    return row < m_rowCount ? row : -1;
}

int ListScrollModel::firstVisibleRow() const
{
    if (m_rowCount == 0 || m_rowHeight <= 0)
        return -1;
    // The first row whose top edge is at or below the view's top.
    const int row = (m_position + m_rowHeight - 1) / m_rowHeight;
    return std::min(row, m_rowCount - 1);
}

int ListScrollModel::lastVisibleRow() const
{
    if (m_rowCount == 0 || m_rowHeight <= 0)
        return -1;
    // The last row whose bottom edge is at or above the view's bottom.
    const int row = (m_position + m_viewHeight) / m_rowHeight - 1;
    return std::min(row, m_rowCount - 1);
}
