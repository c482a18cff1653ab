// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/ClearnessDistribution.h"

#include <algorithm>
#include <cmath>

namespace lumetra::simulation {

namespace {
constexpr double kMin = kBendtMinimumClearness;
}  // namespace

double bendtMaximumClearness(double mean) {
    return 0.6313 + 0.267 * mean - 11.9 * std::pow(mean - 0.75, 8);
}

ClearnessDistribution::ClearnessDistribution(double mean) {
    // Below a mean of about 0.1 the fitted maximum falls under the minimum; keep a range.
    kMax_ = std::max(bendtMaximumClearness(mean), std::max(mean, kMin) + 0.1);
    mean = std::clamp(mean, kMin + 0.01 * (kMax_ - kMin), kMax_ - 0.01 * (kMax_ - kMin));
    // The mean rises monotonically with gamma; bisect.
    double low = -200;
    double high = 200;
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (low + high);
        if (meanOf(middle) < mean) {
            low = middle;
        } else {
            high = middle;
        }
    }
    gamma_ = 0.5 * (low + high);
}

double ClearnessDistribution::meanOf(double g) const {
    if (std::abs(g) < 1e-6) {
        return 0.5 * (kMin + kMax_);
    }
    // Scaled by exp(-g kMax) or exp(-g kMin), whichever keeps the exponents <= 0.
    const double shift = g > 0 ? kMax_ : kMin;
    const double a = std::exp(g * (kMin - shift));
    const double b = std::exp(g * (kMax_ - shift));
    return ((kMin - 1 / g) * a - (kMax_ - 1 / g) * b) / (a - b);
}

double ClearnessDistribution::quantile(double probability) const {
    const double u = std::clamp(probability, 0.0, 1.0);
    if (std::abs(gamma_) < 1e-6) {
        return kMin + u * (kMax_ - kMin);
    }
    const double shift = gamma_ > 0 ? kMax_ : kMin;
    const double a = std::exp(gamma_ * (kMin - shift));
    const double b = std::exp(gamma_ * (kMax_ - shift));
    return std::log(a - u * (a - b)) / gamma_ + shift;
}

}  // namespace lumetra::simulation
