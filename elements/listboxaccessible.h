// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

#include <vector>

class ListBox;

// The list as a screen reader sees it: a list whose children are its
// entries, the selected one being the focus child.
class ListBoxAccessible : public QAccessibleWidget
{
public:
    explicit ListBoxAccessible(ListBox *list);
    ~ListBoxAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    ListBox *list() const;

    // Entry interfaces are made when first asked for and live as long as
    // this one, so each entry keeps one identity.
    mutable std::vector<QAccessible::Id> m_rows;
};
