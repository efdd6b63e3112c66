// SPDX-License-Identifier: MIT
#pragma once

#include "elements/textelementaccessible.h"

class LinkLabel;

// A link label: the link role, named by its text, with the action of
// following it. The address it opens is the element's accessible description.
class LinkLabelAccessible : public TextElementAccessible
{
public:
    explicit LinkLabelAccessible(LinkLabel *link);

    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};
