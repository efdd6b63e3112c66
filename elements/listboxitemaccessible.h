// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class ListBox;

// One entry of a list: its row text, whether it is selected, where it lies,
// and the action of choosing it.
class ListBoxItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    ListBoxItemAccessible(ListBox *list, int row);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    int row() const { return m_row; }

private:
    QPointer<ListBox> m_list;
    int m_row;
};
