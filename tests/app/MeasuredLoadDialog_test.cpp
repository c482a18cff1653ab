// SPDX-License-Identifier: GPL-3.0-or-later
// The import dialog of a measured year: which column and unit it takes, what it keeps of the
// choice, and that it never takes a column whose unit nobody gave.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/MeasuredLoadDialog.h"
#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::test {
namespace {

using simulation::MeasuredUnit;

// A whole common year in hours from 1 January 2023, each value column holding a constant (so
// that the reference year sums the same whichever measured days it takes); `header` empty: no
// header line.
std::string hourlyYear(const std::string& header, const std::vector<std::string>& values) {
    std::string text = header.empty() ? std::string() : header + "\n";
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= kDays[month - 1]; ++day) {
            for (int hour = 0; hour < 24; ++hour) {
                char stamp[32];
                std::snprintf(stamp, sizeof stamp, "%02d.%02d.2023 %02d:00", day, month, hour);
                text += stamp;
                for (const std::string& value : values) {
                    text += ';' + value;
                }
                text += '\n';
            }
        }
    }
    return text;
}

struct DialogCase {
    const char* name;
    std::string header;
    std::vector<std::string> values;
    int column;                            // the entry chosen, from 0
    std::optional<int> unitEntry;          // chosen by the user (0 Wh, 1 kWh, 2 W, 3 kW)
    bool acceptable;                       // whether OK is offered
    std::string keptColumn;                // as the choice keeps it
    std::optional<MeasuredUnit> keptUnit;  // as the choice keeps it
    double annual_kWh;                     // the year as measured
};

void PrintTo(const DialogCase& c, std::ostream* out) {
    *out << c.name;
}

class MeasuredLoadDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(MeasuredLoadDialogTest, TakesTheChosenColumnInItsUnit) {
    const DialogCase& c = GetParam();
    std::string bytes = hourlyYear(c.header, c.values);
    std::string error;
    auto columns = simulation::measuredLoadColumns(bytes, &error);
    ASSERT_TRUE(columns) << error;
    MeasuredLoadDialog dialog(QStringLiteral("zaehler.csv"), bytes, *columns,
                              {simulation::kReferenceYear, 60}, 4000, {}, nullptr);
    dialog.show();

    // The user picks the column and, where asked, the unit with the keyboard.
    dialog.columnBox()->setFocus();
    for (int i = 0; i < c.column; ++i) {
        QTest::keyClick(dialog.columnBox(), Qt::Key_Down);
    }
    if (c.unitEntry) {
        dialog.unitBox()->setFocus();
        QTest::keyClick(dialog.unitBox(), Qt::Key_Home);
        for (int i = 0; i < *c.unitEntry; ++i) {
            QTest::keyClick(dialog.unitBox(), Qt::Key_Down);
        }
    }
    const bool offered = dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled();
    ASSERT_EQ(offered, c.acceptable) << dialog.findingsLabel()->text().toStdString();
    EXPECT_EQ(dialog.load().has_value(), c.acceptable);
    if (!c.acceptable) {
        return;
    }
    const evaluation::MeasuredLoadChoice settings = dialog.settings();
    EXPECT_EQ(settings.column, c.keptColumn);
    EXPECT_EQ(settings.unit, c.keptUnit);
    EXPECT_FALSE(settings.scaledToAnnual);
    EXPECT_NEAR(dialog.load()->annual_kWh, c.annual_kWh, 1e-6 * c.annual_kWh);
    EXPECT_TRUE(dialog.asMeasuredButton()->text().contains(charts::german(c.annual_kWh, 0)))
        << dialog.asMeasuredButton()->text().toStdString();

    dialog.scaledButton()->setFocus();
    QTest::keyClick(dialog.scaledButton(), Qt::Key_Space);
    EXPECT_TRUE(dialog.settings().scaledToAnnual);
}

constexpr double kHours = 8760;

// Each case: name, header, the value columns' constants, the column chosen, the unit chosen,
// whether OK is offered, the column and unit kept, the annual sum as measured.
INSTANTIATE_TEST_SUITE_P(
    Files, MeasuredLoadDialogTest,
    ::testing::Values(
        // The second of two, a mean power in W (from its name), kept by its name.
        DialogCase{"SecondColumnMeanPower",
                   "Zeit;Bezug [kWh];Leistung [W]",
                   {"0,5", "250"},
                   1,
                   std::nullopt,
                   true,
                   "Leistung [W]",
                   std::nullopt,
                   0.25 * kHours},
        // A name without a unit: nothing is taken until the user names one.
        DialogCase{
            "NoUnitNoOffer", "Zeit;Wert", {"0,5"}, 0, std::nullopt, false, "", std::nullopt, 0},
        DialogCase{
            "NoUnitThenWh", "Zeit;Wert", {"500"}, 0, 0, true, "", MeasuredUnit::Wh, 0.5 * kHours},
        // Without a header the columns have no names of their own: kept by number.
        DialogCase{"NoHeaderByNumber",
                   "",
                   {"0,1", "0,3"},
                   1,
                   1,
                   true,
                   "3",
                   MeasuredUnit::kWh,
                   0.3 * kHours}),
    [](const ::testing::TestParamInfo<DialogCase>& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace lumetra::test
