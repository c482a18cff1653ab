// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HouseholdLoad.h"

#include <algorithm>

#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/HouseholdSimulation.h"
#include "simulation/household/Occupancy.h"

namespace lumetra::simulation {

namespace {

// SplitMix64's finaliser (Steele, Lea and Flood 2014): neighbouring inputs give unrelated seeds.
std::uint64_t mixed(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

std::uint64_t simulatedHomeSeed(int householdSize, int otherHome) {
    return mixed((static_cast<std::uint64_t>(static_cast<std::uint32_t>(householdSize)) << 32) ^
                 static_cast<std::uint32_t>(otherHome));
}

const std::vector<double>& SimulatedHomeCache::year(const HouseholdTables& tables, double persons,
                                                    double annual_kWh, int otherHome,
                                                    std::span<const double> irradiance_W_per_m2,
                                                    std::uint64_t weatherVersion) {
    const int size = householdSizeForPersons(persons);
    const auto kept = std::find_if(homes_.begin(), homes_.end(), [&](const Home& home) {
        return home.tables == &tables && home.size == size && home.annual == annual_kWh &&
               home.otherHome == otherHome && home.weatherVersion == weatherVersion;
    });
    if (kept != homes_.end()) {
        std::rotate(homes_.begin(), kept, kept + 1);
        return homes_.front().year;
    }
    static const HouseholdCalendar calendar = referenceHouseholdCalendar();
    const HouseholdSpec wanted{static_cast<double>(size), annual_kWh,
                               simulatedHomeSeed(size, otherHome)};
    Home home{&tables, size, annual_kWh, otherHome, weatherVersion, {}};
    home.year = simulateHouseholdYear(tables, wanted, calendar, irradiance_W_per_m2);
    ++simulations_;
    if (homes_.size() == kHomesKept) {
        homes_.pop_back();
    }
    homes_.insert(homes_.begin(), std::move(home));
    return homes_.front().year;
}

std::size_t SimulatedHomeCache::memoryBytes() const {
    std::size_t bytes = 0;
    for (const Home& home : homes_) {
        bytes += home.year.capacity() * sizeof(double);
    }
    return bytes;
}

}  // namespace lumetra::simulation
