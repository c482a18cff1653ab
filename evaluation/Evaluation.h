// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "evaluation/EvaluationInputs.h"
#include "evaluation/KeyFigures.h"
#include "evaluation/MoneyModel.h"
#include "evaluation/SizingSweep.h"
#include "evaluation/Spread.h"
#include "evaluation/Variants.h"
#include "model/CalculatorState.h"
#include "model/ModuleFieldTable.h"
#include "persistence/DataSearch.h"
#include "simulation/ClimateTables.h"
#include "simulation/DataSources.h"
#include "simulation/HourlyBalance.h"
#include "simulation/SimulationInput.h"

namespace lumetra::evaluation {

// What a battery sweep is computed for: the hourly input (its battery aside) and the battery's
// behaviour at every size.
struct SweepRequest {
    simulation::SimulationInput input;
    BatteryInputs battery;
};
// Whether two requests give the same sweep (their inputs' batteries aside).
bool sameSweep(const SweepRequest& a, const SweepRequest& b);

// What the Auswertung shows, kept up to date from the calculator: the key figures of the
// monthly model and of the hourly balance, and the money over the years of both. Owned by the
// main window (its status line needs it while the Auswertung window is closed) and by
// lumetra-cli for its report. Runs the hourly balance only when its input changed.
class Evaluation {
  public:
    // Without climate tables there is no hourly balance; the monthly model is still evaluated.
    explicit Evaluation(std::shared_ptr<const simulation::ClimateTables> climate);
    ~Evaluation();
    Evaluation(const Evaluation&) = delete;
    Evaluation& operator=(const Evaluation&) = delete;

    // Takes climate tables that arrived later (they are read in the background at start-up);
    // the next update runs the hourly balance.
    void setClimate(std::shared_ptr<const simulation::ClimateTables> climate);

    // Where the shipped tables lie. Once it is given, the evaluation reads the tables itself
    // whenever its inputs name another data folder (or none any more).
    void setTableSearch(lumetra::DataSearch shipped);
    // Tables read elsewhere (in the background at start-up) for `load.chosenFolder`: taken only
    // while the inputs name that folder and no tables were read here since. Returns whether
    // they were taken.
    bool takeTables(simulation::ClimateTablesLoad load);
    // "Datenordner": reads the tables of the folder (UTF-8 path) now and takes them. A folder
    // that is refused changes nothing and gives the message (empty on success); an empty
    // path chooses the shipped tables.
    std::string useDataFolder(const std::string& path);
    // The shipped tables again.
    void useShippedTables();
    // Reads the named data folder's tables again when they were refused (they may have been
    // mended since).
    void rereadDataFolder();
    // Why the data folder of the inputs is not in use (the shipped tables stand in); empty
    // when it is, or when the inputs name none.
    const std::string& tablesProblem() const { return tablesProblem_; }
    // Why there are no tables at all, not even the shipped ones; empty when there are.
    const std::string& tablesError() const { return tablesError_; }
    // The files the hourly balance reads: the tables, and the weather file while its year is
    // in use.
    simulation::DataSources dataSources() const;

    const EvaluationInputs& inputs() const { return inputs_; }
    // Takes new inputs; the next update recomputes. A weather file other than the one in use
    // is read now; when it cannot be read, the synthesized year stands in, the path is kept
    // (a later save writes it back) and weatherProblem() says why.
    void setInputs(const EvaluationInputs& inputs);

    // "Wetterdaten: aus Datei": reads the file and takes its year. A file that cannot be read
    // changes nothing and gives the message (empty on success).
    std::string importWeather(const std::string& path);
    // "Wetterdaten: synthetisch".
    void useSynthesizedWeather();
    // The weather year in use; nothing while the year is synthesized.
    const std::shared_ptr<const simulation::WeatherFile>& weather() const { return weather_; }
    // Why the weather file of the inputs is not in use (empty when it is, or when there is
    // none).
    const std::string& weatherProblem() const { return weatherProblem_; }
    // Why the measured load file of the inputs ("Gemessen (Datei)") is not in use (the
    // simulated home stands in); empty when it is, or when another profile is chosen. Set by
    // setInputs once an update has given the site, else by the next update.
    const std::string& measuredLoadProblem() const { return measuredProblem_; }
    // The measured year in use (kWh per quarter hour of the reference year); nothing when
    // none is.
    const std::shared_ptr<const std::vector<double>>& measuredLoad() const { return measured_; }

    // What the spread of simulated homes is computed for: the current input and inputs.
    // Nothing when the household's profile is not the simulated home or there is no balance.
    std::optional<SpreadRequest> spreadRequest() const;

    // Who runs the hourly balance when its input changed: the update itself, or the caller,
    // elsewhere (a worker thread with a balance of its own), handing the result to
    // takeHourlyResult; until then the hourly figures are those of the last result.
    enum class HourlyRun { Here, Elsewhere };

    // Recomputes from the value store, the monthly figures and the table rows when anything
    // the figures depend on changed since the last call. Returns whether it recomputed.
    bool update(const CalculatorState& state, const ModuleFieldTable& table,
                HourlyRun hourlyRun = HourlyRun::Here);
    // The hourly balance's input that an update left to be run elsewhere and that has no
    // result yet; nothing when every input has its result.
    const std::optional<simulation::SimulationInput>& pendingHourlyInput() const {
        return pending_;
    }
    // The result of running `input` elsewhere. Taken (and the figures recomputed) only while
    // `input` is still the pending one: a result overtaken by a newer input is dropped.
    // Returns whether it was taken.
    bool takeHourlyResult(const simulation::SimulationInput& input,
                          std::shared_ptr<const simulation::HourlyResult> result);

    // The battery sweep an update left to be run elsewhere (computeBatterySweep of the
    // request), which the variants and the battery's sizing curve wait for; nothing when the
    // sweep of the current input is there. An update that runs here computes it itself.
    const std::optional<SweepRequest>& pendingSweep() const { return pendingSweep_; }
    // The sweep of `request` run elsewhere; taken only while `request` is still the pending
    // one and the sweep complete. Returns whether it was taken.
    bool takeBatterySweep(const SweepRequest& request, BatterySweep sweep);
    // The sweep of the current input, or nothing while it is not there.
    const BatterySweep* batterySweep() const;
    // "ohne Speicher", "mit Speicher" and the best battery, once the hourly result and the
    // sweep of the same input are there.
    const std::optional<Variants>& variants() const { return variants_; }

    // Grows with every recomputation, so that views see whether they are behind.
    std::uint64_t generation() const { return generation_; }

    bool hasHourlyBalance() const { return balance_ != nullptr; }
    const std::shared_ptr<const simulation::ClimateTables>& climate() const { return climate_; }

    // The input of the last hourly run, or of the pending one (the Auswertung's battery
    // applied).
    const simulation::SimulationInput& simulationInput() const { return input_; }
    const simulation::HourlyResult* hourlyResult() const { return hasResult_ ? result_ : nullptr; }

    const KeyFigures& monthlyFigures() const { return monthly_; }
    // The monthly model's monthly arrays as of the last update.
    const MonthlyFigures& monthlyModelArrays() const { return figures_; }
    const std::optional<KeyFigures>& hourlyFigures() const { return hourly_; }
    const MoneyResult& monthlyMoney() const { return monthlyMoney_; }
    // The hourly balance's money; the monthly model's while there is no hourly balance.
    const MoneyResult& hourlyMoney() const { return hourly_ ? hourlyMoney_ : monthlyMoney_; }

    // The prices of both models' money (euros per kWh): the Auswertung's own, or the main
    // window's where they follow it.
    double electricityPrice() const;
    double feedInTariff() const;
    // The main window's battery, which the hourly balance takes unless the Auswertung has its
    // own size.
    double mainBatteryCapacity() const { return values_[StorageCapacity]; }
    // The main window's fields that Auswertung inputs can follow.
    MainWindowInputs mainWindowInputs() const;
    // The Auswertung's own battery where it is not the main window's (the status line names
    // it then), else nothing.
    std::optional<double> ownBattery() const;

  private:
    void computeHourlyFigures();
    // The sweep request of the current input.
    SweepRequest sweepRequest() const;
    // Makes sure the current input's sweep is there or pending: runs it here, or leaves it to
    // be run elsewhere. Returns whether it ran here (on the balance).
    bool requestSweep(HourlyRun hourlyRun);
    void replaceClimate(std::shared_ptr<const simulation::ClimateTables> climate);
    void takeLoadedTables(simulation::ClimateTablesLoad load);
    void readTablesOfInputs();
    // Reads the chosen measured-load file when it is chosen and not read yet for the site's
    // time zone.
    void readMeasuredLoadOf(const simulation::SimulationInput& input);

    std::shared_ptr<const simulation::ClimateTables> climate_;
    std::optional<lumetra::DataSearch> tableSearch_;
    // The data folder the tables in use were read for (refused or not); nothing before any.
    std::optional<std::string> tablesFolder_;
    simulation::DataSources tableSources_;
    std::string tablesProblem_;
    std::string tablesError_;
    std::unique_ptr<simulation::HourlyBalance> balance_;
    EvaluationInputs inputs_;
    std::shared_ptr<const simulation::WeatherFile> weather_;
    std::string weatherProblem_;
    std::shared_ptr<const std::vector<double>> measured_;
    std::string measuredProblem_;
    // The choice and the local standard time the measured year was read for.
    std::optional<std::pair<MeasuredLoadChoice, int>> measuredRead_;
    bool inputsChanged_ = true;
    std::array<double, kQuantityCount> values_{};
    MonthlyFigures figures_{};
    simulation::SimulationInputReader inputReader_;
    simulation::SimulationInput input_;
    bool hasInput_ = false;
    std::optional<simulation::SimulationInput> pending_;
    const simulation::HourlyResult* result_ = nullptr;
    // A result run elsewhere, owned here (the balance's own results belong to the balance).
    std::shared_ptr<const simulation::HourlyResult> takenResult_;
    bool hasResult_ = false;
    KeyFigures monthly_;
    std::optional<KeyFigures> hourly_;
    MoneyResult monthlyMoney_;
    MoneyResult hourlyMoney_;
    std::uint64_t generation_ = 0;
    // The input of the hourly result there; the sweep there and what it was run for; the one
    // still to come.
    simulation::SimulationInput resultInput_;
    std::optional<BatterySweep> sweep_;
    std::optional<SweepRequest> sweepRequest_;
    std::optional<SweepRequest> pendingSweep_;
    std::optional<Variants> variants_;
};

// Whether two inputs of the hourly balance are the same (their own comparison; kept for the
// window's callers).
inline bool sameSimulationInput(const simulation::SimulationInput& a,
                                const simulation::SimulationInput& b) {
    return a == b;
}

}  // namespace lumetra::evaluation
