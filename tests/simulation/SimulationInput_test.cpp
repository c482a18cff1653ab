// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/SimulationInput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "simulation/HourlyBalance.h"
#include "simulation/SimulationSupport.h"
#include "test_support/OpeningState.h"

namespace lumetra::simulation {
namespace {

// Everything of the table a reader could change: the texts and backgrounds of every cell.
std::vector<std::string> tableSnapshot(const MemoryModuleFieldTable& table) {
    std::vector<std::string> cells;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        for (int column = 0; column < MemoryModuleFieldTable::kColumnCount; ++column) {
            cells.push_back(table.cellText(row, column));
            const auto background = table.cellBackground(row, column);
            cells.push_back(background ? std::to_string(background->r) + "," +
                                             std::to_string(background->g) + "," +
                                             std::to_string(background->b)
                                       : "-");
        }
    }
    return cells;
}

std::vector<unsigned char> bytesOf(const CalculatorState& state) {
    // The store's arrays and the monthly figures, as bytes (the struct holds no pointers).
    std::vector<unsigned char> bytes(sizeof state.values + sizeof state.preset +
                                     sizeof state.derived + sizeof state.figures);
    unsigned char* out = bytes.data();
    for (const auto& [data, size] :
         {std::pair<const void*, std::size_t>{&state.values, sizeof state.values},
          {&state.preset, sizeof state.preset},
          {&state.derived, sizeof state.derived},
          {&state.figures, sizeof state.figures}}) {
        std::memcpy(out, data, size);
        out += size;
    }
    return bytes;
}

TEST(SimulationInputTest, ReadsTheRowsAsTheTableShowsThem) {
    test::OpeningState opened;
    opened.runPosted();
    const CalculatorState& state = opened.calculator.state();
    const SimulationInput input = simulationInputFrom(state, opened.table);

    EXPECT_EQ(input.latitude_deg, state.values[Latitude]);
    EXPECT_EQ(input.annualIrradiation_kWh_per_m2, state.values[AnnualIrradiation]);
    EXPECT_DOUBLE_EQ(input.systemLosses_fraction, state.values[SystemLosses] / 100);
    EXPECT_EQ(input.demand.household_kWh, state.values[HouseholdElectricity]);
    EXPECT_EQ(input.electricityPrice_EUR_per_kWh, state.values[ElectricityPrice]);
    ASSERT_FALSE(input.planes.empty());
    double peak_W = 0;
    for (const PlaneInput& plane : input.planes) {
        peak_W += plane.peakPower_kWp * 1000;
    }
    // The table's total peak power is what its rows show.
    EXPECT_NEAR(peak_W, state.figures.totalPeakPower, 1e-6 * peak_W);
}

TEST(SimulationInputTest, EditedRowsAndTheBatteryAreRead) {
    test::OpeningState opened;
    opened.runPosted();
    MemoryModuleFieldTable& table = opened.table;
    CalculatorState& state = opened.calculator.state();
    // Write rows directly (as the window's table would show them) and a battery.
    const RowHandle first = table.firstRow();
    table.setCellText(first, 3, "20");
    table.setCellText(first, 4, "(Westen)\u00A0  90°");
    table.setCellText(first, 5, "45°");
    state.values[StorageCapacity] = 7.5;
    const SimulationInput input = simulationInputFrom(state, table);
    ASSERT_FALSE(input.planes.empty());
    EXPECT_DOUBLE_EQ(input.planes[0].peakPower_kWp, 20 * state.values[PowerPerArea] / 1000);
    EXPECT_EQ(input.planes[0].azimuth_deg, 90);
    EXPECT_EQ(input.planes[0].tilt_deg, 45);
    EXPECT_EQ(input.batteryCapacity_kWh, 7.5);
    for (const PlaneInput& plane : input.planes) {
        EXPECT_GT(plane.peakPower_kWp, 0);  // the empty placeholder row is not a field
    }
}

TEST(SimulationInputTest, ARunLeavesStoreFieldsAndTableUnchanged) {
    test::OpeningState opened;
    opened.runPosted();
    opened.type(StorageDays, "1");
    opened.runPosted();
    const std::vector<unsigned char> stateBefore = bytesOf(opened.calculator.state());
    const std::vector<std::string> tableBefore = tableSnapshot(opened.table);
    std::vector<std::string> fieldsBefore;
    for (int q = 0; q < kQuantityCount; ++q) {
        fieldsBefore.push_back(opened.fields.fieldText(static_cast<QuantityId>(q)));
    }
    const std::size_t postedBefore = opened.posted.size();

    HourlyBalance balance(test::shippedClimate());
    const HourlyResult& result =
        balance.run(simulationInputFrom(opened.calculator.state(), opened.table));
    EXPECT_GT(result.annual.yield_kWh, 0);

    EXPECT_EQ(bytesOf(opened.calculator.state()), stateBefore);
    EXPECT_EQ(tableSnapshot(opened.table), tableBefore);
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_EQ(opened.fields.fieldText(static_cast<QuantityId>(q)), fieldsBefore[q]) << q;
    }
    EXPECT_EQ(opened.posted.size(), postedBefore);
}

// A reader kept across edits reads only the rows that changed; after any edits it must give what
// reading the whole table afresh gives.
TEST(SimulationInputReader, FollowsEveryEditAsAFreshReadDoes) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        test::OpeningState state;
        state.runPosted();
        SimulationInputReader reader;
        std::mt19937 random(seed);
        const auto pick = [&random](int count) {
            return std::uniform_int_distribution<int>(0, count - 1)(random);
        };
        const auto someRow = [&] { return state.randomRow(random); };
        const char* texts[] = {"2", "3,5", "0", "-15", "45", "x", "12,25"};
        const int columns[] = {ColumnWidth, ColumnHeight, ColumnArea, ColumnAzimuth, ColumnTilt};
        for (int step = 0; step < 50; ++step) {
            switch (pick(4)) {
                case 0:
                case 1:
                    state.editCell(someRow(), columns[pick(5)], texts[pick(7)]);
                    break;
                case 2:
                    state.editCell(state.calculator.state().placeholderRow, ColumnArea,
                                   texts[pick(7)]);
                    break;
                case 3:
                    deleteRowCommand(state.calculator, someRow());
                    state.runPosted();
                    break;
            }
            const SimulationInput kept = reader.read(state.calculator.state(), state.table);
            const SimulationInput fresh =
                simulationInputFrom(state.calculator.state(), state.table);
            ASSERT_EQ(kept.planes.size(), fresh.planes.size())
                << "seed " << seed << ", step " << step;
            for (std::size_t i = 0; i < fresh.planes.size(); ++i) {
                EXPECT_EQ(kept.planes[i].peakPower_kWp, fresh.planes[i].peakPower_kWp);
                EXPECT_EQ(kept.planes[i].azimuth_deg, fresh.planes[i].azimuth_deg);
                EXPECT_EQ(kept.planes[i].tilt_deg, fresh.planes[i].tilt_deg);
            }
        }
    }
}

}  // namespace
}  // namespace lumetra::simulation
