// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "evaluation/EvaluationInputs.h"
#include "evaluation/KeyFigures.h"
#include "evaluation/MoneyModel.h"
#include "model/CalculatorState.h"
#include "model/ModuleFieldTable.h"
#include "simulation/HourlyBalance.h"
#include "simulation/SimulationInput.h"

namespace lumetra::evaluation {

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

    // Recomputes from the value store, the monthly figures and the table rows when anything
    // the figures depend on changed since the last call. Returns whether it recomputed.
    bool update(const CalculatorState& state, const ModuleFieldTable& table);

    // Grows with every recomputation, so that views see whether they are behind.
    std::uint64_t generation() const { return generation_; }

    bool hasHourlyBalance() const { return balance_ != nullptr; }
    const std::shared_ptr<const simulation::ClimateTables>& climate() const { return climate_; }

    // The input of the last hourly run (the Auswertung's battery applied).
    const simulation::SimulationInput& simulationInput() const { return input_; }
    const simulation::HourlyResult* hourlyResult() const { return hasResult_ ? result_ : nullptr; }

    const KeyFigures& monthlyFigures() const { return monthly_; }
    // The monthly model's monthly arrays as of the last update.
    const MonthlyFigures& monthlyModelArrays() const { return figures_; }
    const std::optional<KeyFigures>& hourlyFigures() const { return hourly_; }
    const MoneyResult& monthlyMoney() const { return monthlyMoney_; }
    // The hourly balance's money; the monthly model's while there is no hourly balance.
    const MoneyResult& hourlyMoney() const { return hourly_ ? hourlyMoney_ : monthlyMoney_; }

    double electricityPrice() const { return values_[ElectricityPrice]; }
    double feedInTariff() const { return values_[FeedInTariff]; }
    // The main window's battery, which the hourly balance takes unless the Auswertung has its
    // own size.
    double mainBatteryCapacity() const { return values_[StorageCapacity]; }

  private:
    std::shared_ptr<const simulation::ClimateTables> climate_;
    std::unique_ptr<simulation::HourlyBalance> balance_;
    EvaluationInputs inputs_;
    std::shared_ptr<const simulation::WeatherFile> weather_;
    std::string weatherProblem_;
    bool inputsChanged_ = true;
    std::array<double, kQuantityCount> values_{};
    MonthlyFigures figures_{};
    simulation::SimulationInputReader inputReader_;
    simulation::SimulationInput input_;
    const simulation::HourlyResult* result_ = nullptr;
    bool hasResult_ = false;
    KeyFigures monthly_;
    std::optional<KeyFigures> hourly_;
    MoneyResult monthlyMoney_;
    MoneyResult hourlyMoney_;
    std::uint64_t generation_ = 0;
};

// Whether two inputs of the hourly balance are the same, plane by plane.
bool sameSimulationInput(const simulation::SimulationInput& a,
                         const simulation::SimulationInput& b);

// The money basis of a model's key figures.
MoneyBasis moneyBasis(const KeyFigures& figures, double peakPower_kWp, double electricityPrice,
                      double feedInTariff);

}  // namespace lumetra::evaluation
