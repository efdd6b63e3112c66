// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/resourceassetstore.h"
#include "elements/floatanimation.h"

#include <functional>

// What the viewer window takes from outside: the store its assets come from,
// the clock its fades read and the random draw of the start picture. The
// defaults are the program's own; a test builds its own, and whatever the
// pointers name must outlive the window.
struct ViewerCollaborators
{
    // Draws r in 0..n-1 from the program's generator.
    static int systemDraw(int n);

    const AssetStore *store = &ResourceAssetStore::embedded();
    const AnimationClock *clock = &FloatAnimation::steadyClock();
    std::function<int(int)> randomInt = systemDraw;
};
