// SPDX-License-Identifier: MIT
#include "artwork/artworkset.h"

#include "artwork/painted/painted.h"
#include "artwork/sky/skyfields.h"
#include "catalogue/cataloguetables.h"

QImage ArtworkSet::picture(int entry) const
{
    if (catalogue::hasOverlay(entry))
        return sky::renderField(entry, m_catalogue);
    return painted::renderPicture(entry);
}

QImage ArtworkSet::overlay(int entry) const
{
    return sky::renderFieldOverlay(entry, m_catalogue);
}
