#include "resourceassetstore.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QResource>

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

AssetView ResourceAssetStore::open(const QString &name) const
{
    const auto it = m_assets.constFind(name.toCaseFolded());
    if (it == m_assets.cend())
        throw notFound(name);
    return *it;
}
