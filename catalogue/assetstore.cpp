// SPDX-License-Identifier: MIT
#include "catalogue/assetstore.h"

#include "catalogue/resourceassetstore.h"

static void initGalleryResource()
{
    Q_INIT_RESOURCE(gallery);
}

namespace {
const AssetStore *substitute = nullptr;
} // namespace

const AssetStore &AssetStore::current()
{
    return substitute ? *substitute : embedded();
}

const AssetStore &AssetStore::embedded()
{
    static const ResourceAssetStore embedded = [] {
        // The pictures sit in a static library; naming their initialiser
        // keeps the linker from dropping them.
        initGalleryResource();
        return ResourceAssetStore(QStringLiteral(":/gallery"));
    }();
    return embedded;
}

void AssetStore::setCurrent(const AssetStore *store)
{
    substitute = store;
}

CatalogueError AssetStore::notFound(const QString &name)
{
    return CatalogueError(QStringLiteral("Resource %1 not found").arg(name));
}
