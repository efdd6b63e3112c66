// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <stdexcept>

// A failure of the embedded catalogue: a missing asset or an undecodable one.
// Its text is what the user is shown.
class CatalogueError : public std::runtime_error
{
public:
    explicit CatalogueError(const QString &text) : std::runtime_error(text.toStdString()) {}

    QString text() const { return QString::fromStdString(what()); }
};
