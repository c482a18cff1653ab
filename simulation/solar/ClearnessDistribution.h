// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The frequency distribution of daily clearness indices (a day's global horizontal irradiation
// over the extraterrestrial one) for a month of a given mean clearness, by Bendt,
// Collares-Pereira and Rabl, "The frequency distribution of daily insolation values", Solar
// Energy 27 (1981) 1-5: on kMin .. kMax the cumulative probability is
//   F(k) = (exp(gamma kMin) - exp(gamma k)) / (exp(gamma kMin) - exp(gamma kMax))
// with gamma chosen so that the distribution's mean is the month's mean, kMin = 0.05.
inline constexpr double kBendtMinimumClearness = 0.05;

// The clearest day of a month of mean clearness `mean` (Bendt et al. 1981):
// kMax = 0.6313 + 0.267 mean - 11.9 (mean - 0.75)^8.
double bendtMaximumClearness(double mean);

class ClearnessDistribution {
  public:
    // `mean` is held inside the distribution's range (a month darker than kMin + 1 % of the
    // range, or clearer than kMax - 1 %, takes that bound).
    explicit ClearnessDistribution(double mean);

    double minimum() const { return kBendtMinimumClearness; }
    double maximum() const { return kMax_; }
    double gamma() const { return gamma_; }
    // The distribution's mean (the month's mean, to the bisection's precision).
    double mean() const { return meanOf(gamma_); }
    // The clearness with cumulative probability `probability` (0..1).
    double quantile(double probability) const;

  private:
    double meanOf(double gamma) const;
    double kMax_ = 0.8;
    double gamma_ = 0;
};

}  // namespace lumetra::simulation
