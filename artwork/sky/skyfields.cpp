// SPDX-License-Identifier: MIT
#include "artwork/sky/skyfields.h"

#include "artwork/sky/fieldoverlay.h"
#include "artwork/sky/fieldpicture.h"
#include "artwork/sky/skyfield.h"
#include "artwork/sky/starcatalogue.h"

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

namespace sky {

const StarCatalogue &loadCatalogue(const QString &dataDir)
{
    // Each folder is read once; the catalogues live to the end of the program.
    static std::mutex mutex;
    static std::map<QString, std::unique_ptr<StarCatalogue>> loaded;
    const std::lock_guard lock(mutex);
    std::unique_ptr<StarCatalogue> &slot = loaded[dataDir];
    if (!slot) {
        slot = std::make_unique<StarCatalogue>();
        if (const auto error = slot->load(dataDir))
            std::fprintf(stderr, "noctivue-artwork: %s\n", qPrintable(*error));
    }
    return *slot;
}

QImage renderField(int entry, const StarCatalogue &catalogue)
{
    const SkyField *field = SkyField::forEntry(entry);
    if (!field || catalogue.stars().empty())
        return QImage();
    return FieldPicture(*field, catalogue).render();
}

QImage renderFieldOverlay(int entry, const StarCatalogue &catalogue)
{
    const SkyField *field = SkyField::forEntry(entry);
    if (!field || catalogue.stars().empty())
        return QImage();
    return FieldOverlay(*field, catalogue).render();
}

OverlayLayout overlayLayout(int entry, const StarCatalogue &catalogue)
{
    const SkyField *field = SkyField::forEntry(entry);
    if (!field || catalogue.stars().empty())
        return {};
    return FieldOverlay(*field, catalogue).layout();
}

std::vector<LabelledStar> labelledStars(int entry, const StarCatalogue &catalogue)
{
    const SkyField *field = SkyField::forEntry(entry);
    if (!field)
        return {};
    return FieldOverlay(*field, catalogue).labelledStars();
}

} // namespace sky
