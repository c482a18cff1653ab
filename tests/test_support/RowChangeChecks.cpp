// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/RowChangeChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "energy/YieldBalance.h"
#include "model/CalculatorState.h"

namespace lumetra::test {

namespace {

std::vector<RowHandle> sorted(std::vector<RowHandle> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

void expectChangeTracking(ModuleFieldTable& table) {
    const std::uint64_t start = table.changeCount();
    const std::uint64_t startLayout = table.layoutChangeCount();
    EXPECT_TRUE(table.rowsChangedSince(start).empty());

    const RowHandle a = table.insertRow(RowPosition::Last);
    const RowHandle b = table.insertRow(RowPosition::After, a);
    EXPECT_GT(table.changeCount(), start);
    EXPECT_EQ(table.rowsChangedSince(start), (std::vector<RowHandle>{b, a}));
    EXPECT_EQ(table.layoutChangeCount(), startLayout) << "rows added at the end move no row";

    const std::uint64_t inserted = table.changeCount();
    table.setCellText(a, ColumnWidth, "5");
    EXPECT_EQ(table.rowsChangedSince(inserted), std::vector<RowHandle>{a});

    const std::uint64_t written = table.changeCount();
    table.setCellText(a, ColumnWidth, "5");
    table.setCellBackground(a, ColumnWidth, Rgb{1, 2, 3});
    table.setFocusedRow(b);
    table.setCellText(kNoRow, ColumnWidth, "7");
    EXPECT_EQ(table.changeCount(), written) << "the same text, a colour or the focus is no change";
    EXPECT_TRUE(table.rowsChangedSince(written).empty());

    table.setCellText(b, ColumnYield, "1 kWh ");
    table.setCellText(a, ColumnTilt, "30");
    EXPECT_EQ(table.rowsChangedSince(written), (std::vector<RowHandle>{a, b}))
        << "the latest changed first, each row once";
    EXPECT_EQ(table.rowsChangedSince(inserted), (std::vector<RowHandle>{a, b}));
    EXPECT_EQ(table.layoutChangeCount(), startLayout);

    const RowHandle first = table.insertRow(RowPosition::First);
    EXPECT_EQ(table.layoutChangeCount(), table.changeCount()) << "a row put before others";
    const RowHandle middle = table.insertRow(RowPosition::After, a);
    EXPECT_EQ(table.layoutChangeCount(), table.changeCount()) << "a row put between others";

    const std::uint64_t beforeDelete = table.changeCount();
    ASSERT_TRUE(table.deleteRow(middle));
    EXPECT_GT(table.changeCount(), beforeDelete);
    EXPECT_EQ(table.layoutChangeCount(), table.changeCount()) << "a deleted row";
    EXPECT_TRUE(table.rowsChangedSince(beforeDelete).empty()) << "a deleted row is not listed";
    EXPECT_EQ(sorted(table.rowsChangedSince(start)), sorted({a, b, first}));

    const std::uint64_t failed = table.changeCount();
    EXPECT_FALSE(table.deleteRow(middle));
    EXPECT_EQ(table.changeCount(), failed) << "deleting nothing is no change";

    const RowHandle end = table.insertRow(RowPosition::Last);
    EXPECT_EQ(table.layoutChangeCount(), failed) << "a row added at the end after a deletion";
    EXPECT_EQ(table.rowsChangedSince(failed), std::vector<RowHandle>{end});
}

namespace {

// Texts a user or a file may put into a cell: plain and display forms, decimal commas, digit
// groups, presets, words, out-of-range values and values whose completion needs two runs.
const std::array<std::string, 24> kTexts = {
    "",
    "3",
    "2,5",
    "2.345",
    "1 000",
    "-4",
    "0",
    "1200",
    "abc",
    "7.50 m ",
    "10",
    "3,3",
    "95",
    "181",
    "-200",
    "0,001",
    "12.5 m² ",
    "1e3",
    "45 ° ",
    "1000000.5",
    "(Westen)\u00A0  90\u00B0",
    "(Hauswand)\u00A0 90\u00B0",
    "6",
    "1 633.5 kWh ",
};

// One of the two worlds: a table, its state, and a way to read backgrounds.
struct World {
    ModuleFieldTable& table;
    std::function<std::optional<Rgb>(RowHandle, int)> background;
    CalculatorState state;
    bool keep;  // keep figures between runs (as the calculator does) or walk every row

    std::vector<RowHandle> rows() const {
        std::vector<RowHandle> all;
        for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
            all.push_back(row);
        }
        return all;
    }

    void runYield(QuantityId target) {
        state.tableRefreshPending = false;
        state.chartRedrawPending = false;
        if (!keep) {
            state.yieldRows = {};
        }
        evaluateAnnualYield(state, table, target);
    }

    void runFormatting() {
        if (keep) {
            formatChangedModuleFieldRows(table, state.placeholderRow, state.formattedRows);
        } else {
            formatModuleFieldRows(table, state.placeholderRow);
        }
    }
};

void expectSame(World& kept, World& full) {
    const std::vector<RowHandle> keptRows = kept.rows();
    const std::vector<RowHandle> fullRows = full.rows();
    ASSERT_EQ(keptRows.size(), fullRows.size());
    for (std::size_t i = 0; i < keptRows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(keptRows[i] == kept.state.placeholderRow,
                  fullRows[i] == full.state.placeholderRow);
        for (int column = ColumnWidth; column <= ColumnYield; ++column) {
            EXPECT_EQ(kept.table.cellText(keptRows[i], column),
                      full.table.cellText(fullRows[i], column))
                << "column " << column;
        }
        for (int column = kFirstInputColumn; column <= kLastInputColumn; ++column) {
            EXPECT_EQ(kept.background(keptRows[i], column), full.background(fullRows[i], column))
                << "background of column " << column;
        }
    }
    const MonthlyFigures& a = kept.state.figures;
    const MonthlyFigures& b = full.state.figures;
    EXPECT_EQ(a.totalModuleArea, b.totalModuleArea);
    EXPECT_EQ(a.totalPeakPower, b.totalPeakPower);
    EXPECT_EQ(a.monthlyYield, b.monthlyYield);
    EXPECT_EQ(a.maxMonthlyYield, b.maxMonthlyYield);
    EXPECT_EQ(kept.state.values[AnnualYield], full.state.values[AnnualYield]);
    EXPECT_EQ(kept.state.tableRefreshPending, full.state.tableRefreshPending);
    EXPECT_EQ(kept.state.chartRedrawPending, full.state.chartRedrawPending);
}

}  // namespace

void expectKeptRunsMatchFullWalks(TableUnderTest kept, unsigned seed, int steps) {
    MemoryModuleFieldTable reference;
    World worlds[2] = {
        World{kept.table, kept.background, {}, true},
        World{reference,
              [&reference](RowHandle row, int column) {
                  return reference.cellBackground(row, column);
              },
              {},
              false},
    };
    for (World& world : worlds) {
        auto& v = world.state.values;
        v[Latitude] = 50.5;
        v[AnnualIrradiation] = 1100;
        v[PowerPerArea] = 150;
        v[Efficiency] = 15;
        v[SystemLosses] = 10;
        world.state.placeholderRow = world.table.insertRow(RowPosition::Last);
    }

    std::mt19937 random(seed);
    auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    auto pickText = [&] { return kTexts[pick(kTexts.size())]; };

    for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
        const std::size_t rowCount = worlds[0].rows().size();
        const std::size_t line = pick(rowCount);
        const int column = static_cast<int>(pick(7)) + 1;
        const std::string text = pickText();
        std::size_t operation = pick(100);
        const bool atTop = pick(3) == 0;
        if (rowCount > 40 && operation >= 35 && operation < 45) {
            operation = 50;  // a delete instead: the table stays small enough to compare
        }
        const bool inputColumn = column <= kLastInputColumn;
        for (World& world : worlds) {
            ModuleFieldTable& table = world.table;
            const RowHandle row = world.rows()[line];
            if (operation < 35) {
                // A cell edit as the editing rules make it: completion, then the new text; text
                // typed into the placeholder makes it a field with a new placeholder below.
                if (row == world.state.placeholderRow && !text.empty() && inputColumn) {
                    world.state.placeholderRow = table.insertRow(RowPosition::Last);
                }
                if (inputColumn) {
                    completeModuleFieldRow(table, row, column, text);
                }
                table.setCellText(row, column, text);
            } else if (operation < 45) {
                // A row inserted anywhere, the placeholder's place included.
                const RowHandle added = atTop ? table.insertRow(RowPosition::First)
                                              : table.insertRow(RowPosition::After, row);
                table.setCellText(added, column, text);
                table.setCellText(added, ColumnTilt, "30");
            } else if (operation < 52) {
                if (row != world.state.placeholderRow) {
                    table.deleteRow(row);
                }
            } else if (operation < 56) {
                // A site figure, at times set again to the value it has, or to minus zero.
                const QuantityId site[] = {Latitude, AnnualIrradiation, Efficiency, PowerPerArea};
                const double values[] = {-0.0, 0.0, 12, 48.25, -33.9, 17};
                world.state.values[site[column % 4]] = values[line % 6];
            } else if (operation < 58) {
                // A file loaded: every field replaced by rows read in order before the
                // placeholder, which stays.
                for (const RowHandle old : world.rows()) {
                    if (old != world.state.placeholderRow) {
                        table.deleteRow(old);
                    }
                }
                RowHandle last = kNoRow;
                for (std::size_t k = 0; k < line + 2; ++k) {
                    last = last == kNoRow ? table.insertRow(RowPosition::First)
                                          : table.insertRow(RowPosition::After, last);
                    for (int c = ColumnWidth; c <= ColumnTilt; ++c) {
                        if ((k + static_cast<std::size_t>(c)) % 4 != 0) {
                            table.setCellText(last, c,
                                              kTexts[(k * 7 + static_cast<std::size_t>(c) + line) %
                                                     kTexts.size()]);
                        }
                    }
                }
            }
        }
        if (operation < 80) {
            const QuantityId target = pick(2) == 0 ? AnnualYield : Latitude;
            for (World& world : worlds) {
                world.runYield(target);
            }
            expectSame(worlds[0], worlds[1]);
        }
        if (operation % 3 != 0) {
            for (World& world : worlds) {
                world.runFormatting();
            }
            expectSame(worlds[0], worlds[1]);
        }
    }
}

}  // namespace lumetra::test
