// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/climate/SiteClimate.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "energy/MonthlyShares.h"
#include "simulation/climate/Distance.h"

namespace lumetra::simulation {

MonthArray siteMonthlyIrradiation(const ClimateTables& climate, double latitude_deg,
                                  double longitude_deg, double annualIrradiation,
                                  const MonthArray& monthlyExtraterrestrial, bool* insideGrid) {
    const auto grid = climate.irradiation().monthlyAt(latitude_deg, longitude_deg);
    const MonthArray shape = grid ? *grid : monthlyExtraterrestrial;
    double sum = 0;
    for (double value : shape) {
        sum += std::max(0.0, value);
    }
    MonthArray result{};
    for (std::size_t m = 0; m < 12; ++m) {
        result[m] =
            sum > 0 ? annualIrradiation * std::max(0.0, shape[m]) / sum : annualIrradiation / 12;
    }
    if (insideGrid != nullptr) {
        *insideGrid = grid.has_value();
    }
    return result;
}

MonthArray siteMonthlyTemperature(const ClimateTables& climate, double latitude_deg,
                                  double longitude_deg, bool* fromStation) {
    if (auto station =
            climate.stationTemperature(latitude_deg, longitude_deg, kMaxStationDistance_km)) {
        *fromStation = true;
        return *station;
    }
    *fromStation = false;
    std::vector<std::pair<double, const TemperatureStation*>> nearest;
    for (const TemperatureStation& station : climate.stations()) {
        nearest.emplace_back(greatCircleDistance_km(latitude_deg, longitude_deg,
                                                    station.latitude_deg, station.longitude_deg),
                             &station);
    }
    const auto count = std::min<std::size_t>(nearest.size(), kWeightedStationCount);
    std::partial_sort(nearest.begin(), nearest.begin() + static_cast<std::ptrdiff_t>(count),
                      nearest.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<double> altitudes;
    for (const TemperatureStation& station : climate.stations()) {
        if (station.altitude_m) {
            altitudes.push_back(*station.altitude_m);
        }
    }
    double reference = 0;
    if (!altitudes.empty()) {
        const auto middle = altitudes.begin() + static_cast<std::ptrdiff_t>(altitudes.size() / 2);
        std::nth_element(altitudes.begin(), middle, altitudes.end());
        reference = *middle;
    }
    MonthArray weighted = kDefaultMonthlyTemperature;
    double weightSum = count > 0 ? 0.0 : 1.0;
    if (count > 0) {
        weighted.fill(0.0);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const TemperatureStation& station = *nearest[i].second;
        const double weight = 1.0 / std::max(nearest[i].first * nearest[i].first, 1e-6);
        const double lift =
            kLapseRate_K_per_m * (station.altitude_m.value_or(reference) - reference);
        weightSum += weight;
        for (std::size_t m = 0; m < 12; ++m) {
            weighted[m] += weight * (station.months[m] + lift);
        }
    }
    // The stations are German: south of the equator the seasons are half a year apart.
    MonthArray result{};
    const int shift = seasonShift(latitude_deg);
    for (std::size_t m = 0; m < 12; ++m) {
        result[(m + static_cast<std::size_t>(shift)) % 12] = weighted[m] / weightSum;
    }
    return result;
}

}  // namespace lumetra::simulation
