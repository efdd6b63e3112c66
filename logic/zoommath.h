// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// The scale and placement rules of the picture layers. Values that the layers
// store are 32-bit floats; arithmetic on them runs in double and is rounded
// to float where a value is stored, which the zoom limits depend on.
namespace zoommath {

inline constexpr float MaxScale = 3.0f;
inline constexpr double ZoomStep = 0.1;
inline constexpr int PictureHeight = 1080;

// The smaller window side over 1080. A window with no area keeps the
// previous fit scale, so nothing downstream divides by zero.
float fitScale(int width, int height, float previous);

// The scale one zoom step leads to: aIn > 0 in, < 0 out, 0 the same scale.
// Empty when the result lies above MaxScale or below fitScale (both bounds
// accepted, compared as floats).
std::optional<float> zoomStep(float current, int aIn, float fitScale);

// The position that centres a box of scale * unscaledSize in windowExtent.
float centredPosition(int windowExtent, float scale, float unscaledSize);

} // namespace zoommath
