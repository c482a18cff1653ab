// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/HourlySeries.h"

#include <cmath>

namespace lumetra::simulation {

HourlySeries::HourlySeries(const std::vector<float>& values, double instant_h)
    : values_(values), instant_h_(instant_h), prefix_(values.size() + 1, 0.0) {
    const std::size_t n = values.size();
    for (std::size_t k = 0; k < n; ++k) {
        prefix_[k + 1] = prefix_[k] + 0.5 * (double{values[k]} + values[(k + 1) % n]);
    }
    period_ = prefix_[n];
}

double HourlySeries::at(double hour) const {
    const std::size_t n = values_.size();
    if (n == 0) {
        return 0;
    }
    double u = std::fmod(hour - instant_h_, static_cast<double>(n));
    if (u < 0) {
        u += static_cast<double>(n);
    }
    const auto k = std::min(static_cast<std::size_t>(u), n - 1);
    const double f = u - static_cast<double>(k);
    return values_[k] + f * (double{values_[(k + 1) % n]} - values_[k]);
}

double HourlySeries::integralTo(double hour) const {
    const std::size_t n = values_.size();
    const double u = hour - instant_h_;
    const double periods = std::floor(u / static_cast<double>(n));
    const double v = u - periods * static_cast<double>(n);
    const auto k = std::min(static_cast<std::size_t>(v), n - 1);
    const double f = v - static_cast<double>(k);
    const double a = values_[k];
    const double b = values_[(k + 1) % n];
    return periods * period_ + prefix_[k] + f * a + 0.5 * f * f * (b - a);
}

double HourlySeries::meanOver(double from_h, double to_h) const {
    if (values_.empty() || !(to_h > from_h)) {
        return at(from_h);
    }
    return (integralTo(to_h) - integralTo(from_h)) / (to_h - from_h);
}

}  // namespace lumetra::simulation
