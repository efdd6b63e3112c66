// SPDX-License-Identifier: MIT
#include "logic/pinchzoom.h"

namespace pinchzoom {

int step(const GestureRecord &record, std::int32_t &lastDistance)
{
    if (record.flags & GestureRecord::Begin)
        lastDistance = record.distance;
    if (record.flags & (GestureRecord::Begin | GestureRecord::End))
        return 0;
    // Wide enough that distances at the ends of the 32-bit range cannot overflow.
    const std::int64_t d = std::int64_t(record.distance) - lastDistance;
    lastDistance = record.distance;
    if (d > Threshold)
        return +1;
    if (d < -Threshold)
        return -1;
    return 0;
}

} // namespace pinchzoom
