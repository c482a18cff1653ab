// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/solar/ClearnessDistribution.h"

#include <gtest/gtest.h>

namespace lumetra::simulation {
namespace {

TEST(ClearnessDistributionTest, FollowsBendtsDistributionForTheMonthsMean) {
    // Bendt et al. (1981): kMax = 0.6313 + 0.267 K - 11.9 (K - 0.75)^8, and the distribution's
    // mean is the month's mean K.
    struct Case {
        double mean;
        double maximum;
    };
    const Case cases[] = {{0.3, 0.69139000}, {0.5, 0.76461842}, {0.7, 0.81820000}};
    for (const Case& c : cases) {
        EXPECT_NEAR(bendtMaximumClearness(c.mean), c.maximum, 1e-8) << c.mean;
        const ClearnessDistribution distribution(c.mean);
        EXPECT_NEAR(distribution.maximum(), c.maximum, 1e-8) << c.mean;
        EXPECT_NEAR(distribution.mean(), c.mean, 1e-9) << c.mean;
        // Dull months skew towards dark days (gamma < 0), bright ones towards clear days.
        EXPECT_EQ(distribution.gamma() > 0, c.mean > 0.5 * (0.05 + c.maximum)) << c.mean;
        // The quantiles span the range and rise with the probability.
        EXPECT_NEAR(distribution.quantile(0), 0.05, 1e-9);
        EXPECT_NEAR(distribution.quantile(1), c.maximum, 1e-8);
        double previous = 0;
        for (double u = 0.05; u < 1; u += 0.05) {
            EXPECT_GT(distribution.quantile(u), previous);
            previous = distribution.quantile(u);
        }
    }
}

TEST(ClearnessDistributionTest, ExtremeMeansKeepAUsableRange) {
    for (const double mean : {-1.0, 0.0, 0.02, 0.95, 5.0}) {
        const ClearnessDistribution distribution(mean);
        EXPECT_GT(distribution.maximum(), distribution.minimum()) << mean;
        EXPECT_GE(distribution.quantile(0.5), distribution.minimum()) << mean;
        EXPECT_LE(distribution.quantile(0.5), distribution.maximum()) << mean;
    }
}

}  // namespace
}  // namespace lumetra::simulation
