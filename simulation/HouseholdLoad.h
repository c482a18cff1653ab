// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// A simulated home's year, kWh per quarter hour, kept while its inputs stay the same: the
// household's size and annual figure, the other home and the weather year's irradiance (which
// the lights follow).
class SimulatedHomeCache {
  public:
    // The year of a home (simulateHouseholdYear) for the global horizontal irradiance of each
    // quarter hour (W/m²); `weatherVersion` changes whenever that irradiance changes.
    const std::vector<double>& year(const HouseholdTables& tables, double persons,
                                    double annual_kWh, int otherHome,
                                    std::span<const double> irradiance_W_per_m2,
                                    std::uint64_t weatherVersion);
    std::size_t memoryBytes() const { return year_.capacity() * sizeof(double); }

  private:
    bool valid_ = false;
    const HouseholdTables* tables_ = nullptr;
    int size_ = 0;
    double annual_ = 0;
    int otherHome_ = 0;
    std::uint64_t weatherVersion_ = 0;
    std::vector<double> year_;
};

}  // namespace lumetra::simulation
