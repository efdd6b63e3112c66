// SPDX-License-Identifier: MIT
#include "elements/textelementaccessible.h"

#include "elements/textelement.h"

TextElementAccessible::TextElementAccessible(TextElement *element, QAccessible::Role role)
    : QAccessibleWidget(element, role)
{}

TextElement *TextElementAccessible::element() const
{
    return static_cast<TextElement *>(widget());
}

QString TextElementAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && element()->accessibleName().isEmpty())
        return element()->text();
    return QAccessibleWidget::text(t);
}
