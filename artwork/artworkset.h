// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

namespace sky {
class StarCatalogue;
}

// Dispatches each gallery entry to the renderer that draws it: the star
// fields come from the catalogue, everything else is painted from recipes.
class ArtworkSet
{
public:
    explicit ArtworkSet(const sky::StarCatalogue &catalogue) : m_catalogue(catalogue) {}

    QImage picture(int entry) const; // 1920 x 1080, opaque
    QImage overlay(int entry) const; // entries 1..8; 1920 x 1080, transparent

private:
    const sky::StarCatalogue &m_catalogue;
};
