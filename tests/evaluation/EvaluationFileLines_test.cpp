// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/EvaluationFileLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lumetra::evaluation {
namespace {

TEST(EvaluationFileLines, DefaultInputsWriteNoLine) {
    EXPECT_EQ(evaluationInputLines(EvaluationInputs{}), "");
}

TEST(EvaluationFileLines, OnlyChangedInputsAreWrittenInTheQuantityLineForm) {
    EvaluationInputs inputs;
    inputs.years = 25;
    inputs.batteryCapacity_kWh = 7.5;
    EXPECT_EQ(evaluationInputLines(inputs),
              "Betrachtungsdauer           =          25.000000 Jahre   \n"
              "Speicher Stundenbilanz      =           7.500000 kWh     \n");
}

TEST(EvaluationFileLines, EveryInputReadsBack) {
    EvaluationInputs inputs;
    inputs.investmentPerKWp_EUR = 1234;
    inputs.investmentPerKWh_EUR = 456;
    inputs.runningCost_percent = 2.5;
    inputs.priceRise_percent = -1;
    inputs.yieldLoss_percent = 0.25;
    inputs.years = 30;
    inputs.discountRate_percent = 4.5;
    inputs.batteryCapacity_kWh = 0;  // its own size, even no battery, differs from following
    inputs.battery.chargePower = {3.5, PowerUnit::Kilowatt};
    inputs.battery.dischargePower = {1.25, PowerUnit::CRate};
    inputs.battery.chargeEfficiency_percent = 97;
    inputs.battery.dischargeEfficiency_percent = 92.5;
    inputs.battery.minimumCharge_percent = 10;
    inputs.batteryLifetime_years = 12;
    inputs.electricityPrice_EUR_per_kWh.reset();  // follows the main window
    inputs.feedInTariff_EUR_per_kWh = 0.0811;
    inputs.feedInLimit_percent = 60;
    inputs.inverterPower_kW = 4.6;
    const std::string lines = evaluationInputLines(inputs);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), kInputCount);
    const EvaluationLines read = readEvaluationLines(lines);
    EXPECT_EQ(read.inputs, inputs);
    EXPECT_TRUE(read.messages.empty());
}

TEST(EvaluationFileLines, ReadsAmongTheSpecifiedLinesAndIgnoresTheRest) {
    const std::string text =
        "Breitengrad                 =          47.105186 \xB0       \n"
        "Strompreis                  =           0.130000 Euro      *\n"
        "Kalkulationszins = 5\r\n"
        "[01] Modulwinkel            =          30.000000 \xB0       \n"
        "Unbekannte Zeile = 12\n"
        "Investition je kWp without equals sign\n"
        "  Betrachtungsdauer   =   25.4 Jahre";
    EvaluationInputs expected;
    expected.discountRate_percent = 5;
    expected.years = 25;
    const EvaluationLines read = readEvaluationLines(text);
    EXPECT_EQ(read.inputs, expected);
    EXPECT_TRUE(read.messages.empty());
}

TEST(EvaluationFileLines, OutOfRangeIsLimited) {
    const EvaluationLines read = readEvaluationLines(
        "Betrachtungsdauer = 500\n"
        "Ertragsminderung = -3\n"
        "Speicher Stundenbilanz = 1e400\n");
    EXPECT_EQ(read.inputs.years, 50);
    EXPECT_EQ(read.inputs.yieldLoss_percent, 0);
    EXPECT_EQ(read.inputs.batteryCapacity_kWh, 1000.0);
    EXPECT_TRUE(read.messages.empty());
}

struct UnreadValue {
    const char* name;
    const char* line;
};

class ValueNotReadWhole : public ::testing::TestWithParam<UnreadValue> {};

// A hand-edited value the number reader would cut short is not taken at all: the input keeps
// what it had, and the message names the line.
TEST_P(ValueNotReadWhole, SetsNothingAndNamesTheLine) {
    const std::string text = std::string(
                                 "Breitengrad                 =          47.105186 \xB0\n"
                                 "Strompreis                  =           0.130000 Euro\n") +
                             GetParam().line + "\n";
    const EvaluationLines read = readEvaluationLines(text);
    EXPECT_EQ(read.inputs, EvaluationInputs{});
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_NE(read.messages[0].find("Zeile 3 "), std::string::npos) << read.messages[0];
    EXPECT_NE(read.messages[0].find(GetParam().line), std::string::npos) << read.messages[0];
}

INSTANTIATE_TEST_SUITE_P(
    EvaluationFileLines, ValueNotReadWhole,
    ::testing::Values(UnreadValue{"DecimalComma", "Betriebskosten = 2,5"},
                      UnreadValue{"ThousandsSeparatorAndComma",
                                  "Investition je kWp = 1.350,00 Euro/kWp"},
                      UnreadValue{"BlankBetweenThousands", "Investition je kWp = 1 350"},
                      UnreadValue{"TwoThousandsSeparators", "Speicherkosten je kWh = 1.350.000"},
                      UnreadValue{"NoNumber", "Kalkulationszins = abc"},
                      UnreadValue{"AnotherUnit", "Betrachtungsdauer = 25 Monate"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(EvaluationFileLines, ManyUnreadLinesGiveAFewMessagesAndACount) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += "Betriebskosten = 2,5\n";
    }
    const EvaluationLines read = readEvaluationLines(text);
    ASSERT_EQ(read.messages.size(), 6u);
    EXPECT_NE(read.messages.back().find("995 weitere Zeilen"), std::string::npos);
}

TEST(EvaluationInputs, SetLimitsRoundsYearsAndIgnoresNotANumber) {
    EvaluationInputs inputs;
    EXPECT_TRUE(setInputValue(inputs, InputId::Years, 12.6));
    EXPECT_EQ(inputs.years, 13);
    EXPECT_FALSE(setInputValue(inputs, InputId::Years, 13));
    EXPECT_TRUE(setInputValue(inputs, InputId::RunningCost, 99));
    EXPECT_EQ(inputs.runningCost_percent, 50);
    EXPECT_FALSE(setInputValue(inputs, InputId::DiscountRate, std::nan("")));
    EXPECT_TRUE(differsFromDefault(inputs, InputId::Years));
    EXPECT_FALSE(differsFromDefault(inputs, InputId::DiscountRate));
    EXPECT_DOUBLE_EQ(inputValue(inputs, InputId::BatteryCapacity, {4.4, 0, 0}), 4.4);
}

// --set takes an input as its data-file line would hold it; anything else is refused with a
// message and changes nothing.
TEST(EvaluationFileLines, SetByLabelTakesWhatALineTakesAndRefusesTheRest) {
    struct Case {
        const char* assignment;
        bool taken;
        const char* inMessage;  // of a refusal
    };
    const Case cases[] = {
        {"Speicher Stundenbilanz=4", true, ""},
        {" Einspeisegrenze = 60 % ", true, ""},
        {"Ladeleistung Speicher=3 kW", true, ""},
        {"Strompreis Auswertung=wie Hauptfenster", true, ""},
        {"Speicherr Stundenbilanz=4", false, "Keine Eingabe der Auswertung"},
        {"Einspeisegrenze=120", false, "liegt nicht zwischen 0 % und 100 %"},
        {"Ladeleistung Speicher=20 C", false, "liegt nicht zwischen"},
        {"Betriebskosten=2,5", false, "keine Zahl mit Dezimalpunkt"},
        {"Einspeisegrenze=wie Hauptfenster", false, "keine Zahl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        EvaluationInputs inputs;
        const std::string refused = setInputFromText(inputs, c.assignment);
        EXPECT_EQ(refused.empty(), c.taken) << refused;
        EXPECT_NE(refused.find(c.inMessage), std::string::npos) << refused;
        EXPECT_EQ(inputs == EvaluationInputs{}, !c.taken);
    }
    EvaluationInputs inputs;
    ASSERT_EQ(setInputFromText(inputs, "Ladeleistung Speicher=3 kW"), "");
    EXPECT_EQ(inputs.battery.chargePower, (BatteryPower{3, PowerUnit::Kilowatt}));
}

}  // namespace
}  // namespace lumetra::evaluation
