// SPDX-License-Identifier: MIT
#include "bench/benchclock.h"

double BenchClock::wallMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
