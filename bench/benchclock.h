// SPDX-License-Identifier: MIT
#pragma once

#include "logic/fade.h"

#include <chrono>

// Wall and CPU time in milliseconds, and a fade clock the benchmark steps itself so
// every frame lands at a known point of the fade.
class BenchClock : public AnimationClock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;

    static double wallMs();
    // CPU time of the whole process, all threads.
    static double cpuMs();
};
