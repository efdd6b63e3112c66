// SPDX-License-Identifier: MIT
#include "bench/stats.h"

#include <algorithm>
#include <cmath>

namespace stats {

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value with at least p percent at or below it.
    const auto rank = static_cast<size_t>(std::ceil(p / 100.0 * double(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

} // namespace stats
