// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

class TextElement;

// A text element as a screen reader sees it: static text named by what it
// shows, unless the element was given a name of its own.
class TextElementAccessible : public QAccessibleWidget
{
public:
    explicit TextElementAccessible(TextElement *element,
                                   QAccessible::Role role = QAccessible::StaticText);

    QString text(QAccessible::Text t) const override;

protected:
    TextElement *element() const;
};
