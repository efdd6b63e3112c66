// SPDX-License-Identifier: MIT
#include "elements/listboxaccessible.h"

#include "elements/listbox.h"
#include "elements/listboxitemaccessible.h"

ListBoxAccessible::ListBoxAccessible(ListBox *list) : QAccessibleWidget(list, QAccessible::List) {}

ListBoxAccessible::~ListBoxAccessible()
{
    for (const QAccessible::Id id : m_rows) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

ListBox *ListBoxAccessible::list() const
{
    return static_cast<ListBox *>(widget());
}

int ListBoxAccessible::childCount() const
{
    return list()->count();
}

QAccessibleInterface *ListBoxAccessible::child(int index) const
{
    if (index < 0 || index >= list()->count())
        return nullptr;
    if (size_t(index) >= m_rows.size())
        m_rows.resize(size_t(index) + 1, 0);
    QAccessible::Id &id = m_rows[size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new ListBoxItemAccessible(list(), index));
    return QAccessible::accessibleInterface(id);
}

int ListBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
        return -1;
    return static_cast<const ListBoxItemAccessible *>(child)->row();
}

QAccessibleInterface *ListBoxAccessible::childAt(int x, int y) const
{
    const QPoint local = list()->mapFromGlobal(QPoint(x, y));
    if (!list()->rect().contains(local))
        return nullptr;
    return child(list()->scrollModel().rowAt(local.y()));
}

QAccessibleInterface *ListBoxAccessible::focusChild() const
{
    if (!list()->hasFocus())
        return nullptr;
    return child(list()->itemIndex());
}
