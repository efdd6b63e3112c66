// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetstore.h"
#include "catalogue/assetview.h"
#include "catalogue/cataloguetables.h"

#include <QString>

#include <functional>
#include <span>

// The operations the viewer window uses on the catalogue while it is created
// and closed. The storage itself is the viewer module's; these fill it.
namespace catalogue {

inline constexpr int TextSlots = 41;

// Opens the pictures in entry order, then the overlays. Stops with
// CatalogueError at the first asset the store lacks.
void openStreams(const AssetStore &store, std::span<AssetView, EntryCount> pictures,
                 std::span<AssetView, OverlayCount> overlays);

// Fills the list names, then the field-label column, then the fact sheets.
void fillTexts(std::span<QString, TextSlots> names,
               const std::function<void(const QString &)> &setFieldLabels,
               std::span<QString, TextSlots> info);

// "<index + 1>. <name>", the text of list row index.
QString listRowText(int index, const QString &name);

// The credit line shown with an entry.
QString creditLine(int entry);

// Releases pictures[0 .. total - 1], in order. Overlays stay open.
void releaseStreams(std::span<AssetView, EntryCount> pictures, int total);

} // namespace catalogue
