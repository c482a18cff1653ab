// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/HourlySeries.h"

#include <algorithm>
#include <cmath>

namespace lumetra::simulation {

HourlySeries::HourlySeries(const std::vector<float>& values, double instant_h)
    : values_(values), instant_h_(instant_h) {}

std::pair<std::size_t, double> HourlySeries::position(double hour) const {
    const auto n = static_cast<double>(values_.size());
    double u = std::fmod(hour - instant_h_, n);
    if (u < 0) {
        u += n;
    }
    const auto k = std::min(static_cast<std::size_t>(u), values_.size() - 1);
    return {k, u - static_cast<double>(k)};
}

double HourlySeries::at(double hour) const {
    const std::size_t n = values_.size();
    if (n == 0) {
        return 0;
    }
    const auto [k, f] = position(hour);
    return values_[k] + f * (double{values_[(k + 1) % n]} - values_[k]);
}

double HourlySeries::integrate(std::size_t& k, double& f, double span) const {
    const std::size_t n = values_.size();
    double integral = 0;
    while (span > 0) {
        const double a = values_[k];
        const double b = values_[k + 1 == n ? 0 : k + 1];
        const double part = std::min(span, 1.0 - f);
        // The line from a to b between f and f + part.
        integral += part * (a + (b - a) * (f + 0.5 * part));
        span -= part;
        f += part;
        if (f >= 1.0) {
            f -= 1.0;
            k = k + 1 == n ? 0 : k + 1;
        }
    }
    return integral;
}

double HourlySeries::meanOver(double from_h, double to_h) const {
    if (values_.empty() || !(to_h > from_h)) {
        return at(from_h);
    }
    auto [k, f] = position(from_h);
    return integrate(k, f, to_h - from_h) / (to_h - from_h);
}

void HourlySeries::stepMeans(double start_h, double step_h, std::size_t count,
                             std::vector<double>& means) const {
    means.assign(count, 0.0);
    if (values_.empty() || !(step_h > 0)) {
        return;
    }
    auto [k, f] = position(start_h);
    if (step_h > 1.0) {
        for (double& mean : means) {
            mean = integrate(k, f, step_h) / step_h;
        }
        return;
    }
    // A stretch of at most an hour crosses at most one instant: the two lines' parts.
    const std::size_t n = values_.size();
    double a = values_[k];
    double b = values_[k + 1 == n ? 0 : k + 1];
    for (double& mean : means) {
        const double end = f + step_h;
        if (end < 1.0) {
            mean = a + (b - a) * (f + 0.5 * step_h);
            f = end;
            continue;
        }
        const double first = 1.0 - f;
        double integral = first * (a + (b - a) * (f + 0.5 * first));
        k = k + 1 == n ? 0 : k + 1;
        a = b;
        b = values_[k + 1 == n ? 0 : k + 1];
        f = end - 1.0;
        integral += f * (a + (b - a) * 0.5 * f);
        mean = integral / step_h;
    }
}

void HourlySeries::stepValues(double first_h, double step_h, std::size_t count,
                              std::vector<double>& values) const {
    values.assign(count, 0.0);
    const std::size_t n = values_.size();
    if (n == 0) {
        return;
    }
    auto [k, f] = position(first_h);
    for (double& value : values) {
        value = values_[k] + f * (double{values_[k + 1 == n ? 0 : k + 1]} - values_[k]);
        f += step_h;
        while (f >= 1.0) {
            f -= 1.0;
            k = k + 1 == n ? 0 : k + 1;
        }
    }
}

}  // namespace lumetra::simulation
