// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace catalogue {

inline constexpr int EntryCount = 31;
inline constexpr int OverlayCount = 8;

// The fixed content of one gallery entry. Texts are stored exactly as shown,
// trailing spaces included; fact sheets separate their four lines with '\n'.
struct Entry
{
    const char *listName;
    const char *factSheet;
    const char *credit;
    const char *pictureAsset;
};

extern const std::array<Entry, EntryCount> Entries;

// Overlay k (1..8) belongs to entry k.
extern const std::array<const char *, OverlayCount> OverlayAssets;

// The field-label column shown beside a fact sheet; four lines of 15 characters.
extern const char *const FieldLabels;

// Entries 1..8 are the star fields that carry an overlay.
constexpr bool hasOverlay(int entry)
{
    return entry >= 1 && entry <= 8;
}

// Entries 9..30 are the nebulae; the program starts on one of them.
constexpr bool isNebula(int entry)
{
    return entry > 8 && entry < EntryCount;
}

} // namespace catalogue
