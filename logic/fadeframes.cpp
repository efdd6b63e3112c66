// SPDX-License-Identifier: MIT
#include "logic/fadeframes.h"

#include <cmath>

namespace {
constexpr double AssumedRefreshHz = 60.0;
constexpr double ShortestFadeFrameMs = 25.0;
} // namespace

double displayFrameMs(double refreshHz)
{
    return 1000.0 / (refreshHz >= 1.0 ? refreshHz : AssumedRefreshHz);
}

double fadeFrameMs(double refreshHz)
{
    const double frameMs = displayFrameMs(refreshHz);
    // The small allowance keeps a rate such as 80 Hz (12.5 ms) at two frames.
    return frameMs * std::ceil(ShortestFadeFrameMs / frameMs - 1e-9);
}
