// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HourlyBalance.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <utility>

#include "simulation/BatteryDispatch.h"
#include "simulation/ClimateTables.h"
#include "simulation/DemandSeries.h"
#include "simulation/HouseholdLoad.h"
#include "simulation/PlaneYield.h"
#include "simulation/WeatherYear.h"
#include "simulation/calendar/ReferenceCalendar.h"

namespace lumetra::simulation {

namespace {

// Orientations kept per weather year; the window rarely shows more fields than this.
constexpr std::size_t kMaxCachedPlanes = 16;

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

double nonNegative(double value) {
    return std::max(0.0, finiteOrZero(value));
}

// The input with every figure finite and within its range, so that equal inputs compare equal.
SimulationInput sanitized(const SimulationInput& input) {
    SimulationInput clean = input;
    clean.latitude_deg = std::clamp(finiteOrZero(input.latitude_deg), -90.0, 90.0);
    clean.longitude_deg = finiteOrZero(input.longitude_deg);
    clean.annualIrradiation_kWh_per_m2 = nonNegative(input.annualIrradiation_kWh_per_m2);
    clean.systemLosses_fraction = std::clamp(finiteOrZero(input.systemLosses_fraction), 0.0, 1.0);
    clean.planes.clear();
    for (const PlaneInput& plane : input.planes) {
        if (nonNegative(plane.peakPower_kWp) > 0) {
            clean.planes.push_back({nonNegative(plane.peakPower_kWp),
                                    finiteOrZero(plane.azimuth_deg), finiteOrZero(plane.tilt_deg)});
        }
    }
    for (const auto annual : kDemandAnnuals) {
        clean.demand.*annual = nonNegative(input.demand.*annual);
    }
    HouseholdLoadInput& load = clean.demand.householdLoad;
    load.persons = finiteOrZero(load.persons);
    load.otherHome = std::max(0, load.otherHome);
    clean.batteryCapacity_kWh = nonNegative(input.batteryCapacity_kWh);
    clean.electricityPrice_EUR_per_kWh = finiteOrZero(input.electricityPrice_EUR_per_kWh);
    clean.feedInTariff_EUR_per_kWh = finiteOrZero(input.feedInTariff_EUR_per_kWh);
    // A battery that neither charges nor gives back anything is no battery: its powers and
    // efficiencies stay above zero.
    const BatteryBehaviour defaults;
    const auto positiveOr = [](double value, double fallback, double highest) {
        return std::isfinite(value) && value > 0 ? std::min(value, highest) : fallback;
    };
    BatteryBehaviour& battery = clean.batteryBehaviour;
    battery.chargeRate_per_h = positiveOr(battery.chargeRate_per_h, defaults.chargeRate_per_h, 1e6);
    battery.dischargeRate_per_h =
        positiveOr(battery.dischargeRate_per_h, defaults.dischargeRate_per_h, 1e6);
    battery.chargeEfficiency = positiveOr(battery.chargeEfficiency, defaults.chargeEfficiency, 1);
    battery.dischargeEfficiency =
        positiveOr(battery.dischargeEfficiency, defaults.dischargeEfficiency, 1);
    battery.minimumStateOfCharge = std::clamp(finiteOrZero(battery.minimumStateOfCharge), 0.0, 1.0);
    clean.grid.feedInLimit_fraction = std::isnan(input.grid.feedInLimit_fraction)
                                          ? 1.0
                                          : std::clamp(input.grid.feedInLimit_fraction, 0.0, 1.0);
    clean.grid.inverterPower_kW = nonNegative(input.grid.inverterPower_kW);
    return clean;
}

// The household course that can be used: a measured year needs its 35,040 steps, the simulated
// home its tables.
HouseholdLoad usableHouseholdLoad(const HouseholdLoadInput& load, const ClimateTables& climate) {
    HouseholdLoad kind = load.kind;
    if (kind == HouseholdLoad::Measured &&
        (!load.measured || load.measured->size() != static_cast<std::size_t>(kStepCount))) {
        kind = HouseholdLoad::Simulated;
    }
    if (kind == HouseholdLoad::Simulated && !climate.household()) {
        kind = HouseholdLoad::Standard;
    }
    return kind;
}

double sumOf(const std::vector<double>& values) {
    double sum = 0;
    for (const double value : values) {
        sum += std::isfinite(value) && value > 0 ? value : 0.0;
    }
    return sum;
}

// Shares, specific yield, cycles and money from the energies of a year or a month.
void completeSums(FlowSums& sums, double peak_kWp, double capacity_kWh,
                  const SimulationInput& input) {
    sums.selfConsumptionShare =
        sums.yield_kWh > 0 ? (sums.direct_kWh + sums.batteryCharge_kWh) / sums.yield_kWh : 0.0;
    sums.selfSufficiency =
        sums.demand_kWh > 0 ? (sums.direct_kWh + sums.batteryDischarge_kWh) / sums.demand_kWh : 0.0;
    sums.specificYield_kWh_per_kWp = peak_kWp > 0 ? sums.yield_kWh / peak_kWp : 0.0;
    sums.batteryCycles = capacity_kWh > 0 ? sums.batteryDischarge_kWh / capacity_kWh : 0.0;
    sums.costWithout_EUR = sums.demand_kWh * input.electricityPrice_EUR_per_kWh;
    sums.costWith_EUR = sums.purchase_kWh * input.electricityPrice_EUR_per_kWh -
                        sums.feedIn_kWh * input.feedInTariff_EUR_per_kWh;
}

template <typename T>
std::size_t bytesOf(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

}  // namespace

struct HourlyBalance::Cache {
    // What depends only on the site.
    bool weatherValid = false;
    double latitude = 0;
    double longitude = 0;
    double irradiation = 0;
    std::shared_ptr<const WeatherFile> weatherFile;
    WeatherYear weather;
    double weatherIrradiation = 0;     // kWh/m², the year's sum as built
    std::uint64_t weatherVersion = 0;  // counts the weather years built

    // What depends on the site and one orientation: DC energy per kWp.
    struct Plane {
        double tilt = 0;
        double azimuth = 0;
        std::vector<double> perKWp;
        unsigned lastUse = 0;
    };
    std::vector<Plane> planes;
    unsigned useCounter = 0;

    using Orientation = std::pair<double, double>;  // tilt, azimuth
    struct OrientationHash {
        std::size_t operator()(const Orientation& o) const {
            return std::hash<double>()(o.first) * 31 + std::hash<double>()(o.second);
        }
    };

    // Fields of one orientation, with their peak power added up.
    struct Group {
        double tilt = 0;
        double azimuth = 0;
        double peak = 0;
    };

    // The installation's AC energy per step, and the fields and orientations it was summed of.
    bool pvValid = false;
    std::vector<PlaneInput> pvPlanes;
    std::vector<Group> pvGroups;
    double pvLosses = 0;
    std::vector<double> pv;

    // The fields of each orientation added up, in the order the orientations first appear.
    static std::vector<Group> groupedByOrientation(const std::vector<PlaneInput>& planes) {
        std::vector<Group> groups;
        std::unordered_map<Orientation, std::size_t, OrientationHash> index;
        index.reserve(planes.size());
        for (const PlaneInput& plane : planes) {
            const auto [at, added] =
                index.try_emplace({plane.tilt_deg, plane.azimuth_deg}, groups.size());
            if (added) {
                groups.push_back({plane.tilt_deg, plane.azimuth_deg, plane.peakPower_kWp});
            } else {
                groups[at->second].peak += plane.peakPower_kWp;
            }
        }
        return groups;
    }

    // Adds to the series what changed from `pvGroups` to `groups`: each orientation whose power
    // changed (or that came or went) by the change of its power.
    void addChangedGroups(const std::vector<Group>& groups, double kept) {
        std::unordered_map<Orientation, double, OrientationHash> changes;
        for (const Group& group : groups) {
            changes[{group.tilt, group.azimuth}] += group.peak;
        }
        for (const Group& group : pvGroups) {
            changes[{group.tilt, group.azimuth}] -= group.peak;
        }
        for (const auto& [orientation, peak] : changes) {
            if (peak == 0) {
                continue;
            }
            const std::vector<double>& perKWp = planeSeries(orientation.first, orientation.second);
            const double factor = peak * kept;
            for (std::size_t i = 0; i < pv.size(); ++i) {
                pv[i] += factor * perKWp[i];
            }
        }
    }

    // The demand per step, and the simulated home's year it may hold.
    bool demandValid = false;
    DemandInput demandInput;
    HouseholdLoad householdLoad = HouseholdLoad::Standard;
    std::vector<double> demand;
    SimulatedHomeCache home;

    DispatchSeries flows;

    const std::vector<double>& planeSeries(double tilt, double azimuth) {
        ++useCounter;
        for (Plane& plane : planes) {
            if (plane.tilt == tilt && plane.azimuth == azimuth) {
                plane.lastUse = useCounter;
                return plane.perKWp;
            }
        }
        if (planes.size() >= kMaxCachedPlanes) {
            const auto oldest = std::min_element(
                planes.begin(), planes.end(),
                [](const Plane& a, const Plane& b) { return a.lastUse < b.lastUse; });
            planes.erase(oldest);
        }
        Plane& plane = planes.emplace_back();
        plane.tilt = tilt;
        plane.azimuth = azimuth;
        plane.lastUse = useCounter;
        planeYieldPerKWp(weather, tilt, azimuth, plane.perKWp);
        return plane.perKWp;
    }
};

HourlyBalance::HourlyBalance(std::shared_ptr<const ClimateTables> climate)
    : climate_(std::move(climate)), cache_(std::make_unique<Cache>()) {}

HourlyBalance::~HourlyBalance() = default;

const HourlyResult& HourlyBalance::run(const SimulationInput& rawInput) {
    const SimulationInput input = sanitized(rawInput);
    Cache& cache = *cache_;

    if (!cache.weatherValid || cache.latitude != input.latitude_deg ||
        cache.longitude != input.longitude_deg || cache.weatherFile != input.weather ||
        (!input.weather && cache.irradiation != input.annualIrradiation_kWh_per_m2)) {
        if (input.weather) {
            buildImportedWeatherYear(*climate_, input.latitude_deg, input.longitude_deg,
                                     *input.weather, cache.weather);
        } else {
            buildWeatherYear(*climate_, input.latitude_deg, input.longitude_deg,
                             input.annualIrradiation_kWh_per_m2, cache.weather);
        }
        cache.weatherValid = true;
        cache.latitude = input.latitude_deg;
        cache.longitude = input.longitude_deg;
        cache.irradiation = input.annualIrradiation_kWh_per_m2;
        cache.weatherFile = input.weather;
        cache.weatherIrradiation = cache.weather.annualGlobal_kWh_per_m2();
        ++cache.weatherVersion;
        cache.planes.clear();
        cache.pvValid = false;
        cache.demandValid = false;  // heating and cooling follow the air temperature
    }

    if (!cache.pvValid || cache.pvPlanes != input.planes ||
        cache.pvLosses != input.systemLosses_fraction) {
        const double kept = 1.0 - input.systemLosses_fraction;
        std::vector<Cache::Group> groups = Cache::groupedByOrientation(input.planes);
        if (cache.pvValid && cache.pvLosses == input.systemLosses_fraction &&
            groups.size() > kMaxCachedPlanes) {
            // More orientations than the cache keeps: walking them all would compute most of
            // their series anew at every run. Only the orientations whose power changed are
            // walked, by the change of their power; the sum then differs from a fresh one by
            // rounding only.
            cache.addChangedGroups(groups, kept);
        } else {
            cache.pv.assign(kStepCount, 0.0);
            for (const Cache::Group& group : groups) {
                const std::vector<double>& perKWp = cache.planeSeries(group.tilt, group.azimuth);
                const double factor = group.peak * kept;
                for (std::size_t i = 0; i < cache.pv.size(); ++i) {
                    cache.pv[i] += factor * perKWp[i];
                }
            }
        }
        cache.pvValid = true;
        cache.pvPlanes = input.planes;
        cache.pvGroups = std::move(groups);
        cache.pvLosses = input.systemLosses_fraction;
    }

    const DemandInput& demandInput = input.demand;
    if (!cache.demandValid || cache.demandInput != demandInput) {
        const HouseholdLoadInput& load = demandInput.householdLoad;
        const HouseholdLoad kind = usableHouseholdLoad(load, *climate_);
        DemandInput annuals = demandInput;
        std::span<const double> household;
        if (kind == HouseholdLoad::Simulated) {
            household = cache.home.year(*climate_->household(), load.persons,
                                        demandInput.household_kWh, load.otherHome,
                                        cache.weather.globalHorizontal, cache.weatherVersion);
        } else if (kind == HouseholdLoad::Measured) {
            household = *load.measured;
            if (!load.measuredScaledToAnnual) {
                annuals.household_kWh = sumOf(*load.measured);  // "wie gemessen"
            }
        }
        buildDemand(climate_->loadProfile(), cache.weather, annuals, household, cache.demand);
        cache.demandValid = true;
        cache.demandInput = demandInput;
        cache.householdLoad = kind;
    }

    double peakPower_kWp = 0;
    for (const PlaneInput& plane : input.planes) {
        peakPower_kWp += plane.peakPower_kWp;
    }
    BatteryParameters battery{input.batteryBehaviour};
    battery.capacity_kWh = input.batteryCapacity_kWh;
    DispatchLimits limits;
    if (input.grid.inverterPower_kW > 0) {
        limits.pvOutput_kWh = input.grid.inverterPower_kW * kStepHours;
    }
    if (input.grid.feedInLimit_fraction < 1) {
        limits.feedIn_kWh = input.grid.feedInLimit_fraction * peakPower_kWp * kStepHours;
    }
    dispatch(cache.pv, cache.demand, battery, limits, cache.flows);

    // Sums per month and per year, and the step series.
    HourlyResult& result = result_;
    result.peakPower_kWp = peakPower_kWp;
    result.batteryBehaviour = input.batteryBehaviour;
    result.grid = input.grid;
    result.householdLoad = cache.householdLoad;
    result.batteryCapacity_kWh = input.batteryCapacity_kWh;
    result.utcOffset_h = cache.weather.timeZoneMeridian_deg / 15.0;
    result.climateFromGrid = cache.weather.insideGrid;
    result.temperatureFromStation = cache.weather.stationTemperature;
    result.weatherImported = cache.weather.imported;
    result.irradiation_kWh_per_m2 = cache.weatherIrradiation;
    StepSeries& steps = result.steps;
    for (auto* series :
         {&steps.pv, &steps.demand, &steps.direct, &steps.batteryCharge, &steps.batteryDischarge,
          &steps.feedIn, &steps.purchase, &steps.stateOfCharge, &steps.curtailed}) {
        series->resize(kStepCount);
    }
    const DispatchSeries& f = cache.flows;
    result.annual = FlowSums{};
    for (std::size_t m = 0; m < 12; ++m) {
        FlowSums month;
        const int first = kMonthStartDay[m] * kStepsPerDay;
        const int last = kMonthStartDay[m + 1] * kStepsPerDay;
        for (int s = first; s < last; ++s) {
            const auto i = static_cast<std::size_t>(s);
            month.yield_kWh += cache.pv[i];
            month.demand_kWh += cache.demand[i];
            month.direct_kWh += f.direct[i];
            month.batteryCharge_kWh += f.charge[i];
            month.batteryDischarge_kWh += f.discharge[i];
            month.batteryLoss_kWh += f.loss[i];
            month.feedIn_kWh += f.feedIn[i];
            month.purchase_kWh += f.purchase[i];
            month.curtailed_kWh += f.curtailed[i];
            steps.pv[i] = static_cast<float>(cache.pv[i]);
            steps.demand[i] = static_cast<float>(cache.demand[i]);
            steps.direct[i] = static_cast<float>(f.direct[i]);
            steps.batteryCharge[i] = static_cast<float>(f.charge[i]);
            steps.batteryDischarge[i] = static_cast<float>(f.discharge[i]);
            steps.feedIn[i] = static_cast<float>(f.feedIn[i]);
            steps.purchase[i] = static_cast<float>(f.purchase[i]);
            steps.stateOfCharge[i] = static_cast<float>(f.stateOfCharge[i]);
            steps.curtailed[i] = static_cast<float>(f.curtailed[i]);
        }
        completeSums(month, result.peakPower_kWp, input.batteryCapacity_kWh, input);
        result.monthly[m] = month;
        FlowSums& year = result.annual;
        year.yield_kWh += month.yield_kWh;
        year.demand_kWh += month.demand_kWh;
        year.direct_kWh += month.direct_kWh;
        year.batteryCharge_kWh += month.batteryCharge_kWh;
        year.batteryDischarge_kWh += month.batteryDischarge_kWh;
        year.batteryLoss_kWh += month.batteryLoss_kWh;
        year.feedIn_kWh += month.feedIn_kWh;
        year.purchase_kWh += month.purchase_kWh;
        year.curtailed_kWh += month.curtailed_kWh;
    }
    completeSums(result.annual, result.peakPower_kWp, input.batteryCapacity_kWh, input);
    return result;
}

std::size_t HourlyBalance::memoryBytes() const {
    const Cache& cache = *cache_;
    std::size_t bytes = sizeof(HourlyBalance) + sizeof(Cache) + cache.weather.memoryBytes() +
                        bytesOf(cache.pv) + bytesOf(cache.demand) + cache.home.memoryBytes();
    for (const Cache::Plane& plane : cache.planes) {
        bytes += bytesOf(plane.perKWp) + sizeof(Cache::Plane);
    }
    const DispatchSeries& f = cache.flows;
    bytes += bytesOf(f.direct) + bytesOf(f.charge) + bytesOf(f.discharge) + bytesOf(f.feedIn) +
             bytesOf(f.purchase) + bytesOf(f.stateOfCharge) + bytesOf(f.loss) +
             bytesOf(f.curtailed);
    const StepSeries& s = result_.steps;
    bytes += bytesOf(s.pv) + bytesOf(s.demand) + bytesOf(s.direct) + bytesOf(s.batteryCharge) +
             bytesOf(s.batteryDischarge) + bytesOf(s.feedIn) + bytesOf(s.purchase) +
             bytesOf(s.stateOfCharge) + bytesOf(s.curtailed);
    return bytes;
}

}  // namespace lumetra::simulation
