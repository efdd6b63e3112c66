// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

// Order statistics over a set of timings, in milliseconds.
namespace stats {

double percentile(std::vector<double> values, double p);
inline double median(const std::vector<double> &values)
{
    return percentile(values, 50.0);
}

} // namespace stats
