// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "persistence/DataSearch.h"
#include "simulation/TableFiles.h"

namespace lumetra::simulation {

// The tables of the stochastic household model of Richardson, Thomson and Infield (2008:
// occupancy) and Richardson, Thomson, Infield and Clifford (2010: appliances and lighting), as
// shipped in data/household/. Immutable once read; shared between simulations.

inline constexpr int kPeriodsPerDay = 144;  // ten-minute periods, period 0 = 00:00-00:10
inline constexpr int kPeriodMinutes = 10;
inline constexpr int kOccupancyStates = 7;         // active occupants 0..6
inline constexpr int kLargestHouseholdSize = 5;    // the transition tables cover 1..5 residents
inline constexpr int kStartColumns = 6;            // start distributions for 1..6 residents
inline constexpr int kActivityTableOccupants = 6;  // activity tables for 0..5 active occupants
inline constexpr int kActivityTableCodes = 6;      // activities 0..5 have a table
inline constexpr int kApplianceCount = 33;
inline constexpr int kLightBulbConfigurations = 100;

// Weekday tables (_wd) for working days, weekend tables (_we) for Saturdays, Sundays and
// public holidays.
enum class DayKind { WorkingDay = 0, WeekendOrHoliday = 1 };

// The activity an appliance's use follows (column "Activity use profile").
enum class ActivityProfile {
    WatchingTv = 0,
    Cooking = 1,
    Laundry = 2,
    WashingDressing = 3,
    Ironing = 4,
    HouseCleaning = 5,
    ActiveOccupancy = 6,  // probability 1 whenever someone is active
    Level = 7,            // independent of occupancy: cold appliances, clocks
    Custom = 8,           // storage heaters
};

// One line of Appliances.csv.
struct ApplianceType {
    std::string category;  // "Cold", "Cooking", ... (carried down from the first of a group)
    std::string name;
    bool typical = false;       // owned by the typical home
    double ownershipShare = 0;  // 0..1
    double cyclesPerYear = 0;
    double meanCycleLength_min = 0;
    double meanCyclePower_W = 0;
    double standbyPower_W = 0;
    double restartDelay_min = 0;
    bool occupancyDependent = false;
    ActivityProfile profile = ActivityProfile::Level;
    double activityProbability = 0;  // 0..1, the mean of the profile over active time
};

struct HouseholdTables {
    // [day kind][residents 1..6 -> 0..5][state]: the state at 00:00.
    std::array<std::array<std::array<double, kOccupancyStates>, kStartColumns>, 2> start{};
    // [residents 1..5 -> 0..4][day kind][period][state][next state]: the probability of the
    // next period's state given this period's; a row of zeros for a state never seen.
    using TransitionRows =
        std::array<std::array<std::array<double, kOccupancyStates>, kOccupancyStates>,
                   kPeriodsPerDay>;
    std::array<std::array<TransitionRows, 2>, kLargestHouseholdSize> transition{};
    // [day kind][active occupants 0..5][activity 0..5][period]: the probability that the
    // activity takes place.
    using ActivityRows = std::array<std::array<double, kPeriodsPerDay>, kActivityTableCodes>;
    std::array<std::array<ActivityRows, kActivityTableOccupants>, 2> activity{};
    std::vector<ApplianceType> appliances;          // kApplianceCount, in file order
    std::vector<std::vector<double>> lightBulbs_W;  // per configuration, the bulbs' ratings
};

// The names of the tables in data/household/ (relative to the data folder).
std::vector<std::string> householdTableFileNames();

// Reads the tables. `readFile` returns the bytes of one table given its name as in
// householdTableFileNames(), or std::nullopt when it cannot be read. Returns nullptr and a
// German message naming the file (and the line) for a missing or malformed table: wrong line
// or field counts, a number that is none, a probability outside 0..1, a transition line that
// sums neither to 1 nor to 0, a start distribution that does not sum to 1.
using HouseholdTableSource = std::function<std::optional<std::string>(std::string_view name)>;
std::shared_ptr<const HouseholdTables> readHouseholdTables(const HouseholdTableSource& readFile,
                                                           std::string* error);
// The same, each message naming a table as `displayName` gives it (its path).
using HouseholdTableNaming = std::function<std::string(std::string_view name)>;
std::shared_ptr<const HouseholdTables> readHouseholdTables(const HouseholdTableSource& readFile,
                                                           const HouseholdTableNaming& displayName,
                                                           std::string* error);

// The same from table files read already, each message naming its file's path.
std::shared_ptr<const HouseholdTables> readHouseholdTables(std::span<const TableFile> files,
                                                           std::string* error);

// The shipped tables (never copies in the current directory), each read as readTableFile reads
// it.
std::shared_ptr<const HouseholdTables> loadHouseholdTables(const lumetra::DataSearch& search,
                                                           std::string* error);

// The tables as the search says: the chosen folder's where it holds them, else the shipped
// ones; a refused chosen folder gives the shipped tables and the reason (loadTables).
using HouseholdTablesLoad = TableLoad<HouseholdTables>;
HouseholdTablesLoad loadHouseholdTables(const TableSearch& search);

}  // namespace lumetra::simulation
