// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "simulation/measured/MeasuredLoad.h"

namespace lumetra::evaluation {

// Guide prices for a household in Germany, the defaults of the Auswertung's money (euros per
// kWh): the average household electricity price of 2025 (BDEW-Strompreisanalyse 2025, a
// household of 3,500 kWh a year: 39.7 ct/kWh) and the statutory feed-in tariff for partial
// feed-in of an installation on a building up to 10 kWp commissioned from 1 August 2025 to
// 31 January 2026 (§ 48 (2) EEG 2023 as published by the Bundesnetzagentur: 7.86 ct/kWh).
inline constexpr double kGuideElectricityPrice_EUR_per_kWh = 0.397;
inline constexpr double kGuideFeedInTariff_EUR_per_kWh = 0.0786;

// A battery's highest charging or discharging power: as a C-rate (kW per kWh of capacity, so
// that it grows with the battery) or in kW (the same for every size).
enum class PowerUnit { CRate, Kilowatt };
struct BatteryPower {
    double value = 0.5;
    PowerUnit unit = PowerUnit::CRate;

    bool operator==(const BatteryPower&) const = default;
};

// How the battery charges and discharges. The defaults are the battery the hourly balance has
// always simulated: 0.5 C each way, 95 % efficiency each way (lithium home batteries state
// 95-98 % per direction), usable down to empty.
struct BatteryInputs {
    BatteryPower chargePower;
    BatteryPower dischargePower;
    double chargeEfficiency_percent = 95;
    double dischargeEfficiency_percent = 95;
    double minimumCharge_percent = 0;  // of the capacity, never discharged

    bool operator==(const BatteryInputs&) const = default;
};

// "Lastprofil Haushalt": the household electricity's course over the year.
enum class HouseholdProfile { Simulated, Standard, Measured };

// "Gemessen (Datei)": the measured year and how it is read.
struct MeasuredLoadChoice {
    std::string file;    // UTF-8 path; empty: none chosen
    std::string column;  // the value column's name or number (from 1, the time is 1);
                         // empty: the file's only value column
    std::optional<simulation::MeasuredUnit> unit;  // empty: from the column's name
    bool scaledToAnnual = false;                   // false: "wie gemessen" (its own annual sum);
                                  // true: scaled to the household's annual electricity

    bool operator==(const MeasuredLoadChoice&) const = default;
};

// The inputs of the Auswertung window that the main window has no field for: the money over
// the years and the battery the hourly balance simulates.
//
// The defaults are guide values for a household installation in Germany, as of 2025:
// investment 1,500 euros per kWp installed (turnkey roof installation of 5-10 kWp, no VAT
// since 2023) and 700 euros per kWh of usable battery capacity; running cost 1.5 % of the
// investment per year (insurance, meter, inspection, a share of the inverter's replacement);
// electricity price rising 2 % per year; yield falling 0.5 % per year (module ageing);
// 20 years (the term of the statutory feed-in tariff); discount rate 3 % per year.
struct EvaluationInputs {
    double investmentPerKWp_EUR = 1500;
    double investmentPerKWh_EUR = 700;
    double runningCost_percent = 1.5;  // of the investment, per year
    double priceRise_percent = 2.0;    // electricity price, per year
    double yieldLoss_percent = 0.5;    // per year
    int years = 20;
    double discountRate_percent = 3.0;  // per year
    // The battery of the hourly balance in kWh; empty: the main window's "Speicherkapazität".
    std::optional<double> batteryCapacity_kWh;
    // "Wetterdaten": the weather file (UTF-8 path) whose year the hourly balance takes ("aus
    // Datei"); empty: the synthesized year ("synthetisch").
    std::string weatherFile;
    // "Datenordner": the folder (UTF-8 path) whose climate tables and load profile the hourly
    // balance takes instead of the shipped ones; empty: the shipped tables.
    std::string dataFolder;

    // The battery's behaviour and how long it lasts: a battery that ends within the years is
    // bought again. 15 years: the warranty a home battery should carry (Solar Cluster
    // Baden-Württemberg, 2025).
    BatteryInputs battery;
    int batteryLifetime_years = 15;
    // The prices of the money of both models in euros per kWh; empty: the main window's
    // "Strompreis" and "Einspeisepreis".
    std::optional<double> electricityPrice_EUR_per_kWh = kGuideElectricityPrice_EUR_per_kWh;
    std::optional<double> feedInTariff_EUR_per_kWh = kGuideFeedInTariff_EUR_per_kWh;
    // The grid connection: the share of the peak power fed in at most (100 = no limit; new
    // German installations without a smart-meter gateway: 60) and the inverter's AC power
    // (0 = no limit).
    double feedInLimit_percent = 100;
    double inverterPower_kW = 0;

    // The household's load in the hourly balance: a simulated single home of the household's
    // size and annual electricity by default.
    HouseholdProfile householdProfile = HouseholdProfile::Simulated;
    int otherHome = 0;  // "Anderer Haushalt": 0 the household's own simulated home, n the n-th
                        // other one (another seed); kept in the data file
    MeasuredLoadChoice measuredLoad;

    bool operator==(const EvaluationInputs&) const = default;
};

// The highest "Anderer Haushalt" kept; a higher one read from a file is limited to it.
inline constexpr int kMaxOtherHome = 9999;

// The choice's texts as the window, the data file and the report show them.
std::string_view householdProfileText(HouseholdProfile profile);
std::optional<HouseholdProfile> householdProfileFromText(std::string_view text);
// A measured column's unit as the data file and the command line write it ("Wh", "kWh", "W",
// "kW").
std::string_view measuredUnitText(simulation::MeasuredUnit unit);
std::optional<simulation::MeasuredUnit> measuredUnitFromText(std::string_view text);

// The inputs one by one, for the window's editors, the data file and the report.
enum class InputId {
    InvestmentPerKWp,
    InvestmentPerKWh,
    RunningCost,
    PriceRise,
    YieldLoss,
    Years,
    DiscountRate,
    BatteryCapacity,
    // The battery, the prices and the grid connection.
    ChargePower,
    DischargePower,
    ChargeEfficiency,
    DischargeEfficiency,
    MinimumCharge,
    BatteryLifetime,
    ElectricityPrice,
    FeedInTariff,
    FeedInLimit,
    InverterPower,
};
inline constexpr int kInputCount = 18;

struct InputInfo {
    InputId id;
    std::string_view label;     // German, as the window and the report show it
    std::string_view fileName;  // the label of its data-file line (ASCII, no entry of the file)
    std::string_view unit;      // as the window and the data file write it
    int decimals;               // shown and written
    double minimum;
    double maximum;
};

extern const std::array<InputInfo, kInputCount> kInputInfo;

const InputInfo& inputInfo(InputId id);

// The main window's fields an input can follow instead of a value of its own.
struct MainWindowInputs {
    double battery_kWh = 0;                   // "Speicherkapazität"
    double electricityPrice_EUR_per_kWh = 0;  // "Strompreis"
    double feedInTariff_EUR_per_kWh = 0;      // "Einspeisepreis"
};

// Whether an input can follow the main window ("wie Hauptfenster"), and whether it does.
bool canFollowMainWindow(InputId id);
bool followsMainWindow(const EvaluationInputs& inputs, InputId id);
// Lets an input follow the main window, or gives it `value` of its own.
void setFollowsMainWindow(EvaluationInputs& inputs, InputId id, bool follow, double value);

// The powers have a unit of their own choice (PowerUnit); each other input its one unit. The
// unit in use, its text ("C", "kW") and the range and decimals that go with it.
bool hasPowerUnit(InputId id);
std::string_view powerUnitText(PowerUnit unit);
std::optional<PowerUnit> powerUnitFromText(std::string_view text);
PowerUnit inputPowerUnit(const EvaluationInputs& inputs, InputId id);
std::string_view inputUnit(const EvaluationInputs& inputs, InputId id);
struct InputRange {
    double minimum;
    double maximum;
    int decimals;
};
InputRange inputRange(const EvaluationInputs& inputs, InputId id);
// Changes a power's unit, keeping its value (an editor converts before, see the window).
void setInputPowerUnit(EvaluationInputs& inputs, InputId id, PowerUnit unit);

// The value of an input; for one that follows the main window the value in use (`main`).
double inputValue(const EvaluationInputs& inputs, InputId id, const MainWindowInputs& main = {});

// Sets an input, limited to its range (years rounded to whole years); an input that followed
// the main window has its own value from then on. A value that is not a number changes
// nothing. Returns whether the inputs changed.
bool setInputValue(EvaluationInputs& inputs, InputId id, double value);

// Whether an input differs from its default (the battery: whether it has its own size; a
// price: whether it follows the main window or has another value; a power: its unit too).
bool differsFromDefault(const EvaluationInputs& inputs, InputId id);

}  // namespace lumetra::evaluation
