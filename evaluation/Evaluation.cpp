// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Evaluation.h"

#include "evaluation/WeatherChoice.h"
#include "persistence/FileAccess.h"
#include "simulation/SimulationInput.h"

namespace lumetra::evaluation {

namespace {

bool sameFigures(const MonthlyFigures& a, const MonthlyFigures& b) {
    return a.monthlyYield == b.monthlyYield && a.monthlyConsumption == b.monthlyConsumption &&
           a.monthlySelfUse == b.monthlySelfUse && a.monthlyPurchase == b.monthlyPurchase &&
           a.totalPeakPower == b.totalPeakPower;
}

}  // namespace

bool sameSimulationInput(const simulation::SimulationInput& a,
                         const simulation::SimulationInput& b) {
    if (a.planes.size() != b.planes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.planes.size(); ++i) {
        const simulation::PlaneInput& p = a.planes[i];
        const simulation::PlaneInput& q = b.planes[i];
        if (p.peakPower_kWp != q.peakPower_kWp || p.azimuth_deg != q.azimuth_deg ||
            p.tilt_deg != q.tilt_deg) {
            return false;
        }
    }
    return a.latitude_deg == b.latitude_deg && a.longitude_deg == b.longitude_deg &&
           a.annualIrradiation_kWh_per_m2 == b.annualIrradiation_kWh_per_m2 &&
           a.systemLosses_fraction == b.systemLosses_fraction &&
           a.household_kWh == b.household_kWh && a.hotWater_kWh == b.hotWater_kWh &&
           a.heating_kWh == b.heating_kWh && a.cooling_kWh == b.cooling_kWh &&
           a.car_kWh == b.car_kWh && a.batteryCapacity_kWh == b.batteryCapacity_kWh &&
           a.electricityPrice_EUR_per_kWh == b.electricityPrice_EUR_per_kWh &&
           a.feedInTariff_EUR_per_kWh == b.feedInTariff_EUR_per_kWh && a.weather == b.weather;
}

MoneyBasis moneyBasis(const KeyFigures& figures, double peakPower_kWp, double electricityPrice,
                      double feedInTariff) {
    MoneyBasis basis;
    basis.peakPower_kWp = peakPower_kWp;
    basis.batteryCapacity_kWh = figures.batteryCapacity_kWh;
    basis.yield_kWh = figures.yield_kWh;
    basis.selfUsed_kWh = figures.selfConsumption_kWh;
    basis.feedIn_kWh = figures.feedIn_kWh;
    basis.electricityPrice_EUR_per_kWh = electricityPrice;
    basis.feedInTariff_EUR_per_kWh = feedInTariff;
    return basis;
}

Evaluation::Evaluation(std::shared_ptr<const simulation::ClimateTables> climate)
    : climate_(std::move(climate)) {
    if (climate_) {
        balance_ = std::make_unique<simulation::HourlyBalance>(climate_);
    }
}

Evaluation::~Evaluation() = default;

void Evaluation::setClimate(std::shared_ptr<const simulation::ClimateTables> climate) {
    tableSources_.clear();
    replaceClimate(std::move(climate));
}

void Evaluation::replaceClimate(std::shared_ptr<const simulation::ClimateTables> climate) {
    climate_ = std::move(climate);
    balance_.reset();
    if (climate_) {
        balance_ = std::make_unique<simulation::HourlyBalance>(climate_);
    }
    result_ = nullptr;
    takenResult_.reset();
    hasResult_ = false;
    hasInput_ = false;
    pending_.reset();
    hourly_.reset();
    inputsChanged_ = true;
}

void Evaluation::setTableSearch(lumetra::DataSearch shipped) {
    tableSearch_ = std::move(shipped);
}

bool Evaluation::takeTables(simulation::ClimateTablesLoad load) {
    if (tablesFolder_ || lumetra::utf8Path(load.chosenFolder) != inputs_.dataFolder) {
        return false;
    }
    takeLoadedTables(std::move(load));
    return true;
}

void Evaluation::takeLoadedTables(simulation::ClimateTablesLoad load) {
    tablesFolder_ = lumetra::utf8Path(load.chosenFolder);
    tablesProblem_ = std::move(load.chosenFolderProblem);
    tablesError_ = std::move(load.error);
    tableSources_ = std::move(load.sources);
    replaceClimate(std::move(load.tables));
}

void Evaluation::readTablesOfInputs() {
    if (tableSearch_) {
        takeLoadedTables(simulation::loadClimateTables(
            simulation::TableSearch{*tableSearch_, lumetra::pathFromUtf8(inputs_.dataFolder)}));
    }
}

std::string Evaluation::useDataFolder(const std::string& path) {
    if (path.empty()) {
        useShippedTables();
        return {};
    }
    simulation::ClimateTablesLoad load = simulation::loadClimateTables(simulation::TableSearch{
        tableSearch_.value_or(lumetra::DataSearch{}), lumetra::pathFromUtf8(path)});
    if (!load.chosenFolderProblem.empty()) {
        return load.chosenFolderProblem;
    }
    inputs_.dataFolder = path;
    takeLoadedTables(std::move(load));
    return {};
}

void Evaluation::useShippedTables() {
    if (inputs_.dataFolder.empty()) {
        return;
    }
    inputs_.dataFolder.clear();
    readTablesOfInputs();
}

void Evaluation::rereadDataFolder() {
    if (!inputs_.dataFolder.empty() && !tablesProblem_.empty()) {
        readTablesOfInputs();
    }
}

simulation::DataSources Evaluation::dataSources() const {
    simulation::DataSources sources = tableSources_;
    if (weather_) {
        sources.push_back({simulation::kWeatherSource, lumetra::pathFromUtf8(inputs_.weatherFile)});
    }
    return sources;
}

void Evaluation::setInputs(const EvaluationInputs& inputs) {
    // A file that could not be read is tried again: it may be back (a drive plugged in).
    const bool read =
        inputs.weatherFile != inputs_.weatherFile || (!inputs.weatherFile.empty() && !weather_);
    if (inputs == inputs_ && !read) {
        return;
    }
    if (read) {
        weather_.reset();
        weatherProblem_.clear();
        if (!inputs.weatherFile.empty()) {
            std::string reason;
            if (auto file = readWeatherFileAt(inputs.weatherFile, &reason)) {
                weather_ = std::make_shared<const simulation::WeatherFile>(std::move(*file));
            } else {
                weatherProblem_ = missingWeatherMessage(inputs.weatherFile, reason);
            }
        }
    }
    const bool otherFolder = inputs.dataFolder != inputs_.dataFolder;
    inputs_ = inputs;
    inputsChanged_ = true;
    if (otherFolder) {
        readTablesOfInputs();
    }
}

std::string Evaluation::importWeather(const std::string& path) {
    std::string reason;
    auto file = readWeatherFileAt(path, &reason);
    if (!file) {
        return unreadableWeatherMessage(path, reason);
    }
    weather_ = std::make_shared<const simulation::WeatherFile>(std::move(*file));
    weatherProblem_.clear();
    inputs_.weatherFile = path;
    inputsChanged_ = true;
    return {};
}

void Evaluation::useSynthesizedWeather() {
    if (inputs_.weatherFile.empty() && !weather_) {
        return;
    }
    weather_.reset();
    weatherProblem_.clear();
    inputs_.weatherFile.clear();
    inputsChanged_ = true;
}

bool Evaluation::update(const CalculatorState& state, const ModuleFieldTable& table,
                        HourlyRun hourlyRun) {
    simulation::SimulationInput input = inputReader_.read(state, table);
    if (inputs_.batteryCapacity_kWh) {
        input.batteryCapacity_kWh = *inputs_.batteryCapacity_kWh;
    }
    input.weather = weather_;
    const bool inputChanged =
        balance_ != nullptr && (!hasInput_ || !sameSimulationInput(input, input_));
    // A result still to come elsewhere is run here when this update runs its own.
    const bool runPendingHere = hourlyRun == HourlyRun::Here && pending_.has_value();
    if (!inputsChanged_ && !inputChanged && !runPendingHere && state.values == values_ &&
        sameFigures(state.figures, figures_) && generation_ > 0) {
        return false;
    }
    inputsChanged_ = false;
    values_ = state.values;
    figures_ = state.figures;

    monthly_ = monthlyModelFigures(state);
    monthlyMoney_ = computeMoney(
        moneyBasis(monthly_, values_[SolarPower] / 1000.0, electricityPrice(), feedInTariff()),
        inputs_);
    if (inputChanged || runPendingHere) {
        input_ = std::move(input);
        hasInput_ = true;
        if (hourlyRun == HourlyRun::Here) {
            pending_.reset();
            takenResult_.reset();
            result_ = &balance_->run(input_);
            hasResult_ = true;
        } else {
            pending_ = input_;
        }
    }
    computeHourlyFigures();
    ++generation_;
    return true;
}

bool Evaluation::takeHourlyResult(const simulation::SimulationInput& input,
                                  std::shared_ptr<const simulation::HourlyResult> result) {
    if (!pending_ || result == nullptr || !sameSimulationInput(input, *pending_)) {
        return false;
    }
    pending_.reset();
    takenResult_ = std::move(result);
    result_ = takenResult_.get();
    hasResult_ = true;
    computeHourlyFigures();
    ++generation_;
    return true;
}

void Evaluation::computeHourlyFigures() {
    if (hasResult_) {
        hourly_ = evaluation::hourlyFigures(*result_, electricityPrice(), feedInTariff());
        hourlyMoney_ = computeMoney(
            moneyBasis(*hourly_, result_->peakPower_kWp, electricityPrice(), feedInTariff()),
            inputs_);
    }
}

}  // namespace lumetra::evaluation
