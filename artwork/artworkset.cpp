#include "artworkset.h"

#include "cataloguetables.h"
#include "painted.h"
#include "skyfields.h"

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
