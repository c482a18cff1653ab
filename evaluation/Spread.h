// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// The 10th, 50th and 90th percentile of a figure over the homes.
struct Percentiles {
    double p10 = 0;
    double p50 = 0;
    double p90 = 0;
};

struct SpreadBandPoint {
    double battery_kWh = 0;
    Percentiles selfSufficiency;
};

// How much the figures of the hourly balance depend on which home of the household's size and
// annual electricity it is: the same installation with many simulated homes.
struct Spread {
    int homes = 0;
    Percentiles selfSufficiency;       // fractions 0..1
    Percentiles selfConsumptionShare;  // fractions 0..1
    Percentiles npv_EUR;
    std::vector<SpreadBandPoint> sizingBand;  // at the battery sizing curve's sizes
};

// What a spread is computed for: the hourly input as the balance runs it (its household load
// is replaced by each simulated home in turn), the Auswertung's inputs for the money and the
// battery of the sizing band, and the tables.
struct SpreadRequest {
    simulation::SimulationInput input;
    EvaluationInputs inputs;
    std::shared_ptr<const simulation::ClimateTables> climate;

    bool operator==(const SpreadRequest&) const = default;
};

// The percentiles of `values` by linear interpolation between the closest ranks (Hyndman and
// Fan 1996, definition 7, as most spreadsheets compute them); all zero when there are none.
Percentiles percentilesOf(std::vector<double> values);

// `homes` simulated homes (other homes 0..homes-1 of this household), everything else as
// in the request. Runs on the caller's thread; returns std::nullopt when `cancel` is set, when
// there are no household tables or no home.
std::optional<Spread> computeSpread(const SpreadRequest& request, int homes,
                                    const std::atomic<bool>* cancel = nullptr);

// The number of homes of the spread the window and the report show.
inline constexpr int kSpreadHomes = 30;

}  // namespace lumetra::evaluation
