// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "simulation/DemandInput.h"
#include "simulation/GridConnection.h"
#include "simulation/battery/BatteryStep.h"
#include "simulation/calendar/ReferenceYear.h"
#include "simulation/weather/WeatherFile.h"

namespace lumetra::simulation {

// One module field (one row of the module-field table that has a peak power).
struct PlaneInput {
    double peakPower_kWp = 0;  // area x power per area, as the table shows it
    double azimuth_deg = 0;    // as the table's azimuth column: 0 = south, east negative
    double tilt_deg = 0;       // 0 = horizontal, 90 = wall

    bool operator==(const PlaneInput&) const = default;
};

// Everything the hourly balance reads. Built from the value store and the table rows by
// `simulationInputFrom` (declared with the implementation); the Auswertung window changes a
// copy (its own battery capacity, a scaled roof) and runs it again.
struct SimulationInput {
    double latitude_deg = 0;
    double longitude_deg = 0;
    double annualIrradiation_kWh_per_m2 = 0;  // the user's figure; the data give the shape
    // A real weather year to take instead of the synthesized one (irradiation, temperature
    // and wind from it; the figure above is then not used). Shared, never changed.
    std::shared_ptr<const WeatherFile> weather;
    std::vector<PlaneInput> planes;
    double systemLosses_fraction = 0;  // 0..1, applied after the module's DC power

    // Annual electricity of each demand in kWh, and the household electricity's course.
    DemandInput demand;

    double batteryCapacity_kWh = 0;  // usable; 0 = no battery

    double electricityPrice_EUR_per_kWh = 0;
    double feedInTariff_EUR_per_kWh = 0;

    // How the battery of batteryCapacity_kWh charges and discharges, and what the inverter and
    // the grid take.
    BatteryBehaviour batteryBehaviour;
    GridConnection grid;

    // Equal inputs give the same result (the weather year and a measured year compare by
    // identity: they are shared and never changed).
    bool operator==(const SimulationInput&) const = default;
};

// Energies in kWh, shares as fractions 0..1, money in euros, over a year or over one month.
struct FlowSums {
    double yield_kWh = 0;
    double direct_kWh = 0;
    double batteryCharge_kWh = 0;
    double batteryDischarge_kWh = 0;
    double batteryLoss_kWh = 0;
    double feedIn_kWh = 0;
    double purchase_kWh = 0;
    double demand_kWh = 0;
    double selfConsumptionShare = 0;  // (direct + charge) / yield
    double selfSufficiency = 0;       // (direct + discharge) / demand
    double specificYield_kWh_per_kWp = 0;
    double batteryCycles = 0;  // discharge / capacity
    double costWithout_EUR = 0;
    double costWith_EUR = 0;
    // Lost beyond the inverter's power or the feed-in limit: yield = direct + charge + feed-in
    // + curtailed.
    double curtailed_kWh = 0;
};

// Per quarter hour of the reference year, kWh per step (state of charge: kWh at the step's end).
struct StepSeries {
    std::vector<float> pv;
    std::vector<float> demand;
    std::vector<float> direct;
    std::vector<float> batteryCharge;
    std::vector<float> batteryDischarge;
    std::vector<float> feedIn;
    std::vector<float> purchase;
    std::vector<float> stateOfCharge;
    std::vector<float> curtailed;
};

struct HourlyResult {
    FlowSums annual;
    std::array<FlowSums, 12> monthly;  // January .. December of the reference year
    double peakPower_kWp = 0;
    double batteryCapacity_kWh = 0;
    StepSeries steps;
    double utcOffset_h = 1;               // of the local standard time the steps are counted in
    bool climateFromGrid = false;         // the site lies in the irradiation grid (the
                                          // synthesized months take its shape, else a
                                          // constant clearness)
    bool temperatureFromStation = false;  // else the nearest stations weighted
    bool weatherImported = false;         // from SimulationInput::weather, else synthesized
    double irradiation_kWh_per_m2 = 0;    // the year's global horizontal irradiation used
    BatteryBehaviour batteryBehaviour;    // of the battery of batteryCapacity_kWh
    GridConnection grid;
    // The household electricity's course used: the one asked for, or what stood in (the
    // simulated home for a measured year that is missing, the standard load profile where the
    // simulated home's tables are missing).
    HouseholdLoad householdLoad = HouseholdLoad::Standard;
};

class ClimateTables;  // the monthly irradiation grid, the temperature stations, the load profile

// Runs the reference year. Keeps what depends only on the site and the planes (weather year,
// plane irradiance, module power per kWp) and what depends only on the demand inputs, so that
// a change of the battery or of a demand costs far less than a change of the site.
// Not thread-safe: a worker thread uses its own instance.
class HourlyBalance {
  public:
    explicit HourlyBalance(std::shared_ptr<const ClimateTables> climate);
    ~HourlyBalance();
    HourlyBalance(const HourlyBalance&) = delete;
    HourlyBalance& operator=(const HourlyBalance&) = delete;

    // The result stays valid until the next run.
    const HourlyResult& run(const SimulationInput& input);

    // The climate tables the balance reads.
    const ClimateTables& climate() const { return *climate_; }

    // Bytes held by the caches and the last result.
    std::size_t memoryBytes() const;

  private:
    struct Cache;
    std::shared_ptr<const ClimateTables> climate_;
    std::unique_ptr<Cache> cache_;
    HourlyResult result_;
};

}  // namespace lumetra::simulation
