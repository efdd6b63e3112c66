// SPDX-License-Identifier: MIT
#pragma once

// core::palette: emission and reflection colours of gas as colour imagery of
// nebulae shows them, as core::Light with the brightest channel 1.

#include "artwork/core/light.h"

namespace core::palette {

constexpr Light HydrogenRed{1.0f, 0.2f, 0.14f};
constexpr Light NitrogenOrange{1.0f, 0.36f, 0.14f};
constexpr Light Rose{1.0f, 0.34f, 0.42f};
constexpr Light OxygenTeal{0.14f, 0.78f, 0.72f};
constexpr Light SkyBlue{0.42f, 0.62f, 1.0f};
constexpr Light Reflection{0.6f, 0.72f, 1.0f};
constexpr Light Gold{1.0f, 0.72f, 0.3f};
constexpr Light WarmWhite{1.0f, 0.92f, 0.8f};
constexpr Light HotWhite{0.85f, 0.92f, 1.0f};
constexpr Light DustBrown{0.6f, 0.34f, 0.18f};

} // namespace core::palette
