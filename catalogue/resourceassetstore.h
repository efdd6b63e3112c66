// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetstore.h"

#include <QHash>

// The assets compiled into the executable with Qt's resource system. Qt's
// own lookup is case-sensitive, so the names under the root are indexed once,
// case-folded.
class ResourceAssetStore : public AssetStore
{
public:
    explicit ResourceAssetStore(const QString &root);

    // The assets compiled into the program.
    static const ResourceAssetStore &embedded();

    AssetView open(const QString &name) const override;
    void doneReading(const AssetView &view) const override;

private:
    QHash<QString, AssetView> m_assets;
};
