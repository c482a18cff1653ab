// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumetra::simulation {

// The hazard of a per-minute chance p: -ln(1 - p), infinite for p >= 1.
inline double hazardOfChance(double p) {
    if (p <= 0) {
        return 0;
    }
    return p >= 1 ? std::numeric_limits<double>::infinity() : -std::log1p(-p);
}

// The first minute at or after `from` in which an event happens that has, in each minute, the
// chance 1 - exp(-h) and h constant within blocks of `blockMinutes` minutes (h = hazardOf(b)
// for block b, 0 <= b < blockCount); -1 when none happens before the last block ends.
// `threshold` is an exponential draw of mean 1: the event happens in the first minute by which
// the summed hazard reaches it. That is the same in distribution as a Bernoulli trial in every
// minute, but costs one draw per event instead of one per minute.
template <class HazardOf>
int firstEventMinute(int from, int blockMinutes, int blockCount, double threshold,
                     const HazardOf& hazardOf) {
    double sum = 0;
    for (int block = from / blockMinutes; block < blockCount; ++block) {
        const double h = hazardOf(block);
        if (h <= 0) {
            continue;
        }
        const int first = std::max(from, block * blockMinutes);
        const int minutes = (block + 1) * blockMinutes - first;
        if (sum + h * minutes >= threshold) {
            const double needed = std::ceil((threshold - sum) / h) - 1;
            return first + static_cast<int>(std::clamp(needed, 0.0, minutes - 1.0));
        }
        sum += h * minutes;
    }
    return -1;
}

}  // namespace lumetra::simulation
