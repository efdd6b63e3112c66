// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// One axis of a drag step. The layer's box must keep covering the window:
// a step is accepted while windowExtent - scale * unscaledSize <= p <= 0
// holds afterwards, and a step that would cross a limit is dropped whole.
namespace panmath {

// pointer and lastPointer are the pointer coordinates of this move and of the
// last processed one. Returns the new position, or empty if the step is dropped.
std::optional<float> panAxis(float position, float pointer, float lastPointer, float scale,
                             float unscaledSize, int windowExtent);

} // namespace panmath
