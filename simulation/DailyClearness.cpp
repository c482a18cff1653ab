// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/DailyClearness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "simulation/solar/ClearnessDistribution.h"

namespace lumetra::simulation {

namespace {

constexpr double kMaxDayClearness = 0.85;  // no day clearer than this after scaling
constexpr double kLagOneCorrelation = 0.3;
constexpr std::uint64_t kSeed = 0x4C756D6574726131ULL;

// SplitMix64 (Steele, Lea and Flood 2014): small, fast and the same on every platform, unlike
// the standard library's distributions.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    double uniform() {  // in (0, 1)
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return (static_cast<double>(z >> 11) + 0.5) * 0x1.0p-53;
    }
    double normal() {  // Box-Muller
        const double u1 = uniform();
        const double u2 = uniform();
        return std::sqrt(-2 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

  private:
    std::uint64_t state_;
};

double normalProbability(double z) {
    return 0.5 * std::erfc(-z / 1.4142135623730951);
}

}  // namespace

MonthArray placeableMonths(const MonthArray& monthly, const MonthArray& extraterrestrial) {
    MonthArray result{};
    std::array<bool, 12> capped{};
    for (std::size_t m = 0; m < 12; ++m) {
        result[m] = std::max(0.0, monthly[m]);
    }
    for (int pass = 0; pass < 12; ++pass) {
        double excess = 0;
        for (std::size_t m = 0; m < 12; ++m) {
            const double limit = kMaxMonthlyClearness * extraterrestrial[m];
            if (result[m] > limit) {
                excess += result[m] - limit;
                result[m] = limit;
                capped[m] = true;
            }
        }
        if (excess <= 0) {
            break;
        }
        double free = 0;
        for (std::size_t m = 0; m < 12; ++m) {
            if (!capped[m]) {
                free += result[m] > 0 ? result[m] : extraterrestrial[m];
            }
        }
        if (free <= 0) {
            break;  // every month is full: the year cannot take the figure
        }
        for (std::size_t m = 0; m < 12; ++m) {
            if (!capped[m]) {
                result[m] += excess * (result[m] > 0 ? result[m] : extraterrestrial[m]) / free;
            }
        }
    }
    return result;
}

DayArray dailyIrradiation(const MonthArray& monthly, const DayArray& extraterrestrial) {
    DayArray daily{};
    Random random(kSeed);
    double z = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        const int first = kMonthStartDay[m];
        const int last = kMonthStartDay[m + 1];
        double monthExtraterrestrial = 0;
        for (int d = first; d < last; ++d) {
            monthExtraterrestrial += extraterrestrial[static_cast<std::size_t>(d)];
        }
        const double mean = monthExtraterrestrial > 0 ? monthly[m] / monthExtraterrestrial : 0.0;
        const ClearnessDistribution distribution(std::clamp(mean, 0.06, kMaxMonthlyClearness));

        double sum = 0;
        for (int d = first; d < last; ++d) {
            // The sequence runs on through the year, so month ends are correlated too.
            z = kLagOneCorrelation * z +
                std::sqrt(1 - kLagOneCorrelation * kLagOneCorrelation) * random.normal();
            const double clearness = distribution.quantile(normalProbability(z));
            const auto day = static_cast<std::size_t>(d);
            daily[day] = clearness * extraterrestrial[day];
            sum += daily[day];
        }
        if (sum <= 0) {
            continue;  // polar night: nothing to place (placeableMonths gave the month 0)
        }

        // Scale to the month's sum; days that would get too clear are held at the limit and
        // the rest scaled again.
        std::array<bool, 31> held{};
        for (int pass = 0; pass < 8; ++pass) {
            double heldSum = 0;
            double freeSum = 0;
            for (int d = first; d < last; ++d) {
                (held[static_cast<std::size_t>(d - first)] ? heldSum : freeSum) +=
                    daily[static_cast<std::size_t>(d)];
            }
            if (freeSum <= 0) {
                break;
            }
            const double factor = (monthly[m] - heldSum) / freeSum;
            bool newlyHeld = false;
            for (int d = first; d < last; ++d) {
                const auto day = static_cast<std::size_t>(d);
                if (held[static_cast<std::size_t>(d - first)]) {
                    continue;
                }
                daily[day] *= factor;
                const double limit = kMaxDayClearness * extraterrestrial[day];
                if (daily[day] > limit) {
                    daily[day] = limit;
                    held[static_cast<std::size_t>(d - first)] = true;
                    newlyHeld = true;
                }
            }
            if (!newlyHeld) {
                break;
            }
        }
        // Whatever the passes left over goes to the days not held, so the month is exact.
        double heldSum = 0;
        double freeSum = 0;
        for (int d = first; d < last; ++d) {
            (held[static_cast<std::size_t>(d - first)] ? heldSum : freeSum) +=
                daily[static_cast<std::size_t>(d)];
        }
        const double factor = freeSum > 0 ? (monthly[m] - heldSum) / freeSum : 1.0;
        for (int d = first; d < last; ++d) {
            if (!held[static_cast<std::size_t>(d - first)]) {
                daily[static_cast<std::size_t>(d)] *= factor;
            }
        }
    }
    return daily;
}

}  // namespace lumetra::simulation
