// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>

class QKeyEvent;

// The character a key press types: the first of its text when it is
// printable and neither Ctrl nor Alt is held, else none (a null QChar). This
// is the character key handlers are given.
QChar typedCharacter(const QKeyEvent *event);
