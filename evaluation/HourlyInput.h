// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include "evaluation/EvaluationInputs.h"
#include "simulation/HourlyBalance.h"

namespace lumetra::evaluation {

// The main window's fields that Auswertung inputs can follow, as the calculator's part of the
// hourly input holds them.
MainWindowInputs mainWindowInputs(const simulation::SimulationInput& fromCalculator);

// The hourly balance's input that every output uses (the window, the status line, the JSON,
// the CSV, the report): the calculator's part (`fromCalculator`, from simulationInputFrom or a
// SimulationInputReader: site, roof, demand, the main window's battery and prices) with the
// Auswertung's battery, prices, grid connection and household load profile, the weather year
// (nothing: the synthesized year) and the measured year of "Gemessen (Datei)" (kWh per
// quarter hour; nothing: the simulated home stands in).
simulation::SimulationInput hourlyInput(
    simulation::SimulationInput fromCalculator, const EvaluationInputs& inputs,
    std::shared_ptr<const simulation::WeatherFile> weather,
    std::shared_ptr<const std::vector<double>> measured = nullptr);

// The balance's household course of the Auswertung's choice.
simulation::HouseholdLoad householdLoadOf(HouseholdProfile profile);

// How a battery of `capacity_kWh` charges and discharges with the Auswertung's battery inputs
// (a power in kW is a different C-rate for each size).
simulation::BatteryBehaviour batteryBehaviour(const BatteryInputs& battery, double capacity_kWh);

// Gives the input a battery of `capacity_kWh` with the Auswertung's behaviour.
void setBattery(simulation::SimulationInput& input, const BatteryInputs& battery,
                double capacity_kWh);

}  // namespace lumetra::evaluation
