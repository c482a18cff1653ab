// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::evaluation {

// The inputs of the Auswertung window that the main window has no field for: the money over
// the years and the battery the hourly balance simulates. Prices and the feed-in tariff come
// from the main window's fields.
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

    bool operator==(const EvaluationInputs&) const = default;
};

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
};
inline constexpr int kInputCount = 8;

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

// The value of an input; for the battery the value in use (`mainBattery_kWh` while it follows
// the main window).
double inputValue(const EvaluationInputs& inputs, InputId id, double mainBattery_kWh = 0);

// Sets an input, limited to its range (years rounded to whole years). A value that is not a
// number changes nothing. Returns whether the inputs changed.
bool setInputValue(EvaluationInputs& inputs, InputId id, double value);

// Whether an input differs from its default (the battery: whether it has its own size).
bool differsFromDefault(const EvaluationInputs& inputs, InputId id);

}  // namespace lumetra::evaluation
