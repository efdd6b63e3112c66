// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"

#include "catalogue/cataloguetables.h"

namespace catalogue {

void openStreams(const AssetStore &store, std::span<AssetView, EntryCount> pictures,
                 std::span<AssetView, OverlayCount> overlays)
{
    for (int i = 0; i < EntryCount; ++i)
        pictures[i] = store.open(QLatin1String(Entries[i].pictureAsset));
    for (int k = 0; k < OverlayCount; ++k)
        overlays[k] = store.open(QLatin1String(OverlayAssets[k]));
}

void fillTexts(std::span<QString, TextSlots> names,
               const std::function<void(const QString &)> &setFieldLabels,
               std::span<QString, TextSlots> info)
{
    for (int i = 0; i < EntryCount; ++i)
        names[i] = QLatin1String(Entries[i].listName);
    setFieldLabels(QLatin1String(FieldLabels));
    for (int i = 0; i < EntryCount; ++i)
        info[i] = QLatin1String(Entries[i].factSheet);
}

QString listRowText(int index, const QString &name)
{
    return QString::number(index + 1) + QLatin1String(". ") + name;
}

QString creditLine(int entry)
{
    return QLatin1String(Entries[entry].credit);
}

void releaseStreams(std::span<AssetView, EntryCount> pictures, int total)
{
    for (int i = 0; i < total; ++i)
        pictures[i].release();
}

} // namespace catalogue
