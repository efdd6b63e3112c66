// SPDX-License-Identifier: MIT
#include "elements/listboxitemaccessible.h"

#include "elements/listbox.h"

ListBoxItemAccessible::ListBoxItemAccessible(ListBox *list, int row) : m_list(list), m_row(row) {}

bool ListBoxItemAccessible::isValid() const
{
    return m_list && m_row < m_list->count();
}

QWindow *ListBoxItemAccessible::window() const
{
    return m_list ? m_list->window()->windowHandle() : nullptr;
}

QAccessibleInterface *ListBoxItemAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_list.data());
}

QString ListBoxItemAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && isValid())
        return m_list->itemText(m_row);
    return {};
}

QRect ListBoxItemAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect row = m_list->rowRect(m_row);
    return {m_list->mapToGlobal(row.topLeft()), row.size()};
}

QAccessible::State ListBoxItemAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = m_list->itemIndex() == m_row;
    s.focused = s.selected && m_list->hasFocus();
    if (!m_list->isVisible())
        s.invisible = true;
    if (!m_list->rect().intersects(m_list->rowRect(m_row)))
        s.offscreen = true;
    return s;
}

void *ListBoxItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList ListBoxItemAccessible::actionNames() const
{
    return {pressAction()};
}

void ListBoxItemAccessible::doAction(const QString &actionName)
{
    // Choosing an entry is what a click on it does: select it, then click.
    if (actionName == pressAction() && isValid())
        m_list->choose(m_row);
}

QStringList ListBoxItemAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}
