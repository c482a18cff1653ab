// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Evaluation.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "evaluation/HourlyInput.h"
#include "evaluation/MeasuredLoadFile.h"
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

bool sameSweep(const SweepRequest& a, const SweepRequest& b) {
    simulation::SimulationInput x = a.input;
    simulation::SimulationInput y = b.input;
    x.batteryCapacity_kWh = y.batteryCapacity_kWh = 0;
    x.batteryBehaviour = y.batteryBehaviour = {};
    return a.battery == b.battery && x == y;
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
    sweep_.reset();
    sweepRequest_.reset();
    pendingSweep_.reset();
    variants_.reset();
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
    if (measured_ && inputs_.householdProfile == HouseholdProfile::Measured) {
        sources.push_back(
            {simulation::kMeasuredLoadSource, lumetra::pathFromUtf8(inputs_.measuredLoad.file)});
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
    // A measured file that could not be read is tried again too, at the next update.
    if (inputs.measuredLoad != inputs_.measuredLoad || !measured_) {
        measuredRead_.reset();
    }
    inputs_ = inputs;
    inputsChanged_ = true;
    if (otherFolder) {
        readTablesOfInputs();
    }
    // Read now where the site is known, so that a data set's missing file is said at once;
    // the next update reads it again should the site's time zone differ.
    if (hasInput_) {
        readMeasuredLoadOf(input_);
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
    readMeasuredLoadOf(input);
    input = hourlyInput(std::move(input), inputs_, weather_, measured_);
    const bool inputChanged = balance_ != nullptr && (!hasInput_ || input != input_);
    // A result still to come elsewhere is run here when this update runs its own.
    const bool runPendingHere = hourlyRun == HourlyRun::Here && pending_.has_value();
    // A sweep still to come elsewhere is run here too.
    const bool sweepHere = hourlyRun == HourlyRun::Here && pendingSweep_.has_value();
    if (!inputsChanged_ && !inputChanged && !runPendingHere && !sweepHere &&
        state.values == values_ && sameFigures(state.figures, figures_) && generation_ > 0) {
        return false;
    }
    const bool inputsChanged = inputsChanged_ || sweepHere;
    inputsChanged_ = false;
    values_ = state.values;
    figures_ = state.figures;

    monthly_ = monthlyModelFigures(state, electricityPrice(), feedInTariff());
    monthlyMoney_ = computeMoney(
        moneyBasis(monthly_, values_[SolarPower] / 1000.0, electricityPrice(), feedInTariff()),
        inputs_);
    if (inputChanged || runPendingHere) {
        input_ = std::move(input);
        hasInput_ = true;
        // The sweep first: its runs use the balance whose last run the result is.
        requestSweep(hourlyRun);
        if (hourlyRun == HourlyRun::Here) {
            pending_.reset();
            takenResult_.reset();
            result_ = &balance_->run(input_);
            resultInput_ = input_;
            hasResult_ = true;
        } else {
            pending_ = input_;
        }
    } else if (balance_ != nullptr && hasInput_ && inputsChanged && requestSweep(hourlyRun) &&
               hasResult_ && !takenResult_) {
        // The battery's behaviour changed at a size where it does not show in the input; the
        // sweep ran here on the balance whose last run the result was.
        result_ = &balance_->run(resultInput_);
    }
    computeHourlyFigures();
    ++generation_;
    return true;
}

bool Evaluation::takeHourlyResult(const simulation::SimulationInput& input,
                                  std::shared_ptr<const simulation::HourlyResult> result) {
    if (!pending_ || result == nullptr || input != *pending_) {
        return false;
    }
    pending_.reset();
    takenResult_ = std::move(result);
    result_ = takenResult_.get();
    resultInput_ = input;
    hasResult_ = true;
    computeHourlyFigures();
    ++generation_;
    return true;
}

SweepRequest Evaluation::sweepRequest() const {
    return {input_, inputs_.battery};
}

bool Evaluation::requestSweep(HourlyRun hourlyRun) {
    const SweepRequest request = sweepRequest();
    if (sweep_ && sweepRequest_ && sameSweep(*sweepRequest_, request)) {
        pendingSweep_.reset();
        return false;
    }
    if (hourlyRun == HourlyRun::Elsewhere) {
        pendingSweep_ = request;
        return false;
    }
    const std::atomic<bool> never{false};
    sweep_ = computeBatterySweep(*balance_, request.input, request.battery, never);
    sweepRequest_ = request;
    pendingSweep_.reset();
    return true;
}

bool Evaluation::takeBatterySweep(const SweepRequest& request, BatterySweep sweep) {
    if (!pendingSweep_ || !sweep.complete || !sameSweep(request, *pendingSweep_)) {
        return false;
    }
    pendingSweep_.reset();
    sweep_ = std::move(sweep);
    sweepRequest_ = request;
    computeHourlyFigures();
    ++generation_;
    return true;
}

const BatterySweep* Evaluation::batterySweep() const {
    return sweep_ && sweepRequest_ && sameSweep(*sweepRequest_, sweepRequest()) ? &*sweep_
                                                                                : nullptr;
}

double Evaluation::electricityPrice() const {
    return inputValue(inputs_, InputId::ElectricityPrice, mainWindowInputs());
}

double Evaluation::feedInTariff() const {
    return inputValue(inputs_, InputId::FeedInTariff, mainWindowInputs());
}

MainWindowInputs Evaluation::mainWindowInputs() const {
    return {std::max(0.0, values_[StorageCapacity]), values_[ElectricityPrice],
            values_[FeedInTariff]};
}

std::optional<double> Evaluation::ownBattery() const {
    if (inputs_.batteryCapacity_kWh && *inputs_.batteryCapacity_kWh != mainBatteryCapacity()) {
        return inputs_.batteryCapacity_kWh;
    }
    return std::nullopt;
}

void Evaluation::computeHourlyFigures() {
    variants_.reset();
    if (!hasResult_) {
        return;
    }
    hourly_ = evaluation::hourlyFigures(*result_, electricityPrice(), feedInTariff());
    hourlyMoney_ = computeMoney(
        moneyBasis(*hourly_, result_->peakPower_kWp, electricityPrice(), feedInTariff()), inputs_);
    // The variants when the sweep belongs to the result shown, so that every figure of them
    // is of the same installation.
    if (sweep_ && sweepRequest_ && sameSweep(*sweepRequest_, {resultInput_, inputs_.battery})) {
        variants_ = computeVariants(*sweep_, *result_, electricityPrice(), feedInTariff(), inputs_);
    }
}

void Evaluation::readMeasuredLoadOf(const simulation::SimulationInput& input) {
    if (inputs_.householdProfile != HouseholdProfile::Measured) {
        measuredProblem_.clear();
        return;
    }
    const simulation::MeasuredLoadTarget target = measuredLoadTarget(input, climate_.get());
    if (measuredRead_ && measuredRead_->first == inputs_.measuredLoad &&
        measuredRead_->second == target.utcOffset_min) {
        return;
    }
    measuredRead_.emplace(inputs_.measuredLoad, target.utcOffset_min);
    measured_.reset();
    measuredProblem_.clear();
    std::string message;
    auto load = readMeasuredLoadFile(inputs_.measuredLoad, target, &message);
    if (load) {
        measured_ = std::make_shared<const std::vector<double>>(std::move(load->quarterHours_kWh));
    } else {
        measuredProblem_ = std::move(message);
    }
}

std::optional<SpreadRequest> Evaluation::spreadRequest() const {
    if (!balance_ || !hasInput_ || inputs_.householdProfile != HouseholdProfile::Simulated) {
        return std::nullopt;
    }
    return SpreadRequest{input_, inputs_, climate_};
}

}  // namespace lumetra::evaluation
