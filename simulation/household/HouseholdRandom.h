// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <random>

namespace lumetra::simulation {

// Every random draw of one simulated home. The engine is the 64-bit Mersenne Twister, whose
// algorithm and seeding the C++ standard fix; the distributions are our own (the standard
// library's differ between implementations), so a seed gives the same home everywhere.
class HouseholdRandom {
  public:
    explicit HouseholdRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1), from the top 53 bits.
    double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

    // Uniform whole number in [low, high].
    int uniformInt(int low, int high) {
        return low + static_cast<int>(uniform() * static_cast<double>(high - low + 1));
    }

    // Exponential with mean 1: -ln(u), u uniform in (0, 1].
    double exponential() { return -std::log(1.0 - uniform()); }

    // Normal by Marsaglia's polar method (Marsaglia and Bray 1964); one value of each pair.
    double normal(double mean, double deviation) {
        double x = 0;
        double s = 0;
        do {
            x = 2 * uniform() - 1;
            const double y = 2 * uniform() - 1;
            s = x * x + y * y;
        } while (s >= 1 || s == 0);
        return mean + deviation * x * std::sqrt(-2 * std::log(s) / s);
    }

  private:
    std::mt19937_64 engine_;
};

}  // namespace lumetra::simulation
