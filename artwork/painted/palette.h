// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/painted/rgb.h"

// Emission colours of the gas as colour imagery of nebulae shows them.
namespace painted::palette {

constexpr Rgb HydrogenRed{1.0f, 0.2f, 0.14f};
constexpr Rgb NitrogenOrange{1.0f, 0.36f, 0.14f};
constexpr Rgb Rose{1.0f, 0.34f, 0.42f};
constexpr Rgb OxygenTeal{0.14f, 0.78f, 0.72f};
constexpr Rgb SkyBlue{0.42f, 0.62f, 1.0f};
constexpr Rgb Reflection{0.6f, 0.72f, 1.0f};
constexpr Rgb Gold{1.0f, 0.72f, 0.3f};
constexpr Rgb WarmWhite{1.0f, 0.92f, 0.8f};
constexpr Rgb HotWhite{0.85f, 0.92f, 1.0f};
constexpr Rgb DustBrown{0.6f, 0.34f, 0.18f};

} // namespace painted::palette
