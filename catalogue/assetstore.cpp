// SPDX-License-Identifier: MIT
#include "catalogue/assetstore.h"

CatalogueError AssetStore::notFound(const QString &name)
{
    return CatalogueError(QStringLiteral("Resource %1 not found").arg(name));
}
