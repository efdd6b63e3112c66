// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/core/starimage.h"

namespace sky {

struct SkyField;

// How a star of a given magnitude is drawn in a field, as a photograph
// records it: faint stars a few levels above the sky, brighter ones growing
// into saturated discs with coloured halos. The position, colour and spikes
// are left to the caller.
core::StarImage starImage(double magnitude, const SkyField &field);

// Where overlay lines and labels stop short of a star of this magnitude.
double discRadius(double magnitude, const SkyField &field);

} // namespace sky
