// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

// Where the course of the household electricity over the year comes from.
enum class HouseholdLoad {
    Simulated,  // a simulated single home of the household's size (the default)
    Standard,   // the standard load profile H25
    Measured,   // a measured year
};

// The household electricity's course, beside its annual figure (DemandInput::household_kWh).
struct HouseholdLoadInput {
    HouseholdLoad kind = HouseholdLoad::Simulated;
    double persons = 1;  // the simulated home's size: rounded to 1..5, more than five use five
    int otherHome = 0;   // 0 the household's own simulated home, n the n-th other one
    // The measured year in kWh per quarter hour of the reference year (35,040 values), shared
    // and never changed; nothing or another length: the simulated home stands in.
    std::shared_ptr<const std::vector<double>> measured;
    bool measuredScaledToAnnual = false;  // else the measured year keeps its own sum

    bool operator==(const HouseholdLoadInput&) const = default;
};

// The seed of a simulated home: the same for the same household size and other home, so that
// the same household always lives the same year; the annual figure is left out, so that a
// changed annual figure gives the same home using more or less, not another home.
std::uint64_t simulatedHomeSeed(int householdSize, int otherHome);

// Simulated homes' years, kWh per quarter hour, the last few kept by what they follow: the
// household's size and annual figure, the other home and the weather year's irradiance (which
// the lights follow). Typing a number and taking it back (4, 45, 4 persons) finds each home
// again instead of simulating it anew.
class SimulatedHomeCache {
  public:
    static constexpr std::size_t kHomesKept = 4;

    // The year of a home (simulateHouseholdYear) for the global horizontal irradiance of each
    // quarter hour (W/m²); `weatherVersion` changes whenever that irradiance changes. The
    // reference is valid until the next call.
    const std::vector<double>& year(const HouseholdTables& tables, double persons,
                                    double annual_kWh, int otherHome,
                                    std::span<const double> irradiance_W_per_m2,
                                    std::uint64_t weatherVersion);
    std::size_t memoryBytes() const;
    // Homes simulated so far (the others were found kept).
    std::size_t simulations() const { return simulations_; }

  private:
    struct Home {
        const HouseholdTables* tables = nullptr;
        int size = 0;
        double annual = 0;
        int otherHome = 0;
        std::uint64_t weatherVersion = 0;
        std::vector<double> year;
    };
    std::vector<Home> homes_;  // the most recently used first
    std::size_t simulations_ = 0;
};

}  // namespace lumetra::simulation
