// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"
#include "catalogue/catalogueerror.h"

#include <QString>

// Where the catalogue's assets come from. The program uses the embedded
// store; tests pass in one that lacks an asset or holds a corrupt one.
class AssetStore
{
public:
    virtual ~AssetStore() = default;

    // Finds a name without regard to letter case. Throws CatalogueError
    // "Resource <name> not found", naming the asset as requested.
    virtual AssetView open(const QString &name) const = 0;

    // Called once a view's bytes have been decoded and are not needed until
    // the entry is shown again. A store may give the pages back; the view
    // stays valid and reads the same bytes next time.
    virtual void doneReading(const AssetView &) const {}

protected:
    static CatalogueError notFound(const QString &name);
};
