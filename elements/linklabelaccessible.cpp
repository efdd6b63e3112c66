// SPDX-License-Identifier: MIT
#include "elements/linklabelaccessible.h"

#include "elements/linklabel.h"

LinkLabelAccessible::LinkLabelAccessible(LinkLabel *link)
    : TextElementAccessible(link, QAccessible::Link)
{}

QAccessible::State LinkLabelAccessible::state() const
{
    QAccessible::State s = TextElementAccessible::state();
    s.linked = true;
    return s;
}

QStringList LinkLabelAccessible::actionNames() const
{
    return QStringList{pressAction()} + TextElementAccessible::actionNames();
}

void LinkLabelAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        static_cast<LinkLabel *>(widget())->click();
    else
        TextElementAccessible::doAction(actionName);
}
