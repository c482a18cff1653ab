// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Spread.h"

#include <algorithm>
#include <cmath>

#include "evaluation/HourlyInput.h"
#include "evaluation/KeyFigures.h"
#include "evaluation/MoneyModel.h"
#include "evaluation/SizingSweep.h"

namespace lumetra::evaluation {

namespace {

double percentile(const std::vector<double>& sorted, double p) {
    const double rank = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (rank - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load();
}

}  // namespace

Percentiles percentilesOf(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    return {percentile(values, 0.1), percentile(values, 0.5), percentile(values, 0.9)};
}

std::optional<Spread> computeSpread(const SpreadRequest& request, int homes,
                                    const std::atomic<bool>* cancel) {
    if (homes <= 0 || !request.climate || !request.climate->household()) {
        return std::nullopt;
    }
    simulation::HourlyBalance balance(request.climate);
    simulation::SimulationInput input = request.input;
    simulation::HouseholdLoadInput& load = input.demand.householdLoad;
    load.kind = simulation::HouseholdLoad::Simulated;
    load.measured.reset();

    const double price = input.electricityPrice_EUR_per_kWh;
    const double tariff = input.feedInTariff_EUR_per_kWh;
    const std::vector<double> sizes = sizingBatteryCapacities();
    std::vector<double> selfSufficiency;
    std::vector<double> selfConsumption;
    std::vector<double> npv;
    std::vector<std::vector<double>> band(sizes.size());
    for (int home = 0; home < homes; ++home) {
        if (cancelled(cancel)) {
            return std::nullopt;
        }
        load.otherHome = home;
        simulation::SimulationInput own = input;
        const simulation::HourlyResult& result = balance.run(own);
        selfSufficiency.push_back(result.annual.selfSufficiency);
        selfConsumption.push_back(result.annual.selfConsumptionShare);
        const KeyFigures figures = hourlyFigures(result, price, tariff);
        npv.push_back(
            computeMoney(moneyBasis(figures, result.peakPower_kWp, price, tariff), request.inputs)
                .netPresentValue_EUR);
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            setBattery(own, request.inputs.battery, sizes[k]);
            band[k].push_back(balance.run(own).annual.selfSufficiency);
        }
    }
    Spread spread;
    spread.homes = homes;
    spread.selfSufficiency = percentilesOf(std::move(selfSufficiency));
    spread.selfConsumptionShare = percentilesOf(std::move(selfConsumption));
    spread.npv_EUR = percentilesOf(std::move(npv));
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        spread.sizingBand.push_back({sizes[k], percentilesOf(std::move(band[k]))});
    }
    return spread;
}

}  // namespace lumetra::evaluation
