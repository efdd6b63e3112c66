// SPDX-License-Identifier: MIT
#include "catalogue/resourceassetstore.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QResource>

#include <algorithm>

#include <sys/mman.h>
#include <unistd.h>

static void initGalleryResource()
{
    Q_INIT_RESOURCE(gallery);
}

ResourceAssetStore::ResourceAssetStore(const QString &root)
{
    QDirIterator it(root, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        const QResource resource(path);
        // Only an uncompressed resource is the asset's own bytes; a compressed
        // one would need a copy, so it is not offered.
        if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
            continue;
        m_assets.insert(QFileInfo(path).fileName().toCaseFolded(),
                        AssetView{resource.data(), static_cast<qsizetype>(resource.size())});
    }
}

const ResourceAssetStore &ResourceAssetStore::embedded()
{
    static const ResourceAssetStore embedded = [] {
        // The pictures sit in a static library; naming their initialiser
        // keeps the linker from dropping them.
        initGalleryResource();
        return ResourceAssetStore(QStringLiteral(":/gallery"));
    }();
    return embedded;
}

AssetView ResourceAssetStore::open(const QString &name) const
{
    const auto it = m_assets.constFind(name.toCaseFolded());
    if (it == m_assets.cend())
        throw notFound(name);
    return *it;
}

void ResourceAssetStore::doneReading(const AssetView &view) const
{
    // Only a view of this store's own assets, which live in the executable's
    // read-only pages: dropping those pages loses nothing, the next read
    // faults them back in from the file. Memory of any other kind would be
    // lost, so it is never touched.
    const bool own = std::any_of(m_assets.cbegin(), m_assets.cend(), [&view](const AssetView &a) {
        return a.data == view.data && a.size == view.size;
    });
    if (!own || view.size <= 0)
        return;
    // Only pages wholly inside the asset: a page it shares with other data
    // is left alone.
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr begin = (quintptr(view.data) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(view.data) + quintptr(view.size)) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_DONTNEED);
}
