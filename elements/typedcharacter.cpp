// SPDX-License-Identifier: MIT
#include "elements/typedcharacter.h"

#include <QKeyEvent>

QChar typedCharacter(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    const QString text = event->text();
    return text.isEmpty() || !text[0].isPrint() ? QChar() : text[0];
}
