// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataFile.h"

#include <memory>
#include <vector>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "model/RelationLists.h"
#include "persistence/DataFileFormat.h"
#include "persistence/FileAccess.h"
#include "persistence/Messages.h"
#include "support/TextFormat.h"
#include "support/Windows1252.h"

namespace lumetra {
namespace {

// Returns whether any row was deleted.
bool deleteFieldRows(Calculator& calculator) {
    ModuleFieldTable& table = calculator.table();
    const RowHandle placeholder = calculator.state().placeholderRow;
    bool deleted = false;
    RowHandle row = table.firstRow();
    while (row != kNoRow) {
        const RowHandle next = table.nextRow(row);
        if (row != placeholder) {
            deleted = table.deleteRow(row) || deleted;
        }
        row = next;
    }
    return deleted;
}

// The rows read go before the placeholder row, which stays last, in the order of their numbers
// (a hand-edited file may list them with gaps or in any order).
std::vector<RowHandle> insertRowsRead(Calculator& calculator, const DataFileReading& reading) {
    ModuleFieldTable& table = calculator.table();
    std::vector<RowHandle> created;
    created.reserve(reading.rows.size());
    for (const auto& [number, cells] : reading.rows) {
        const RowHandle row = created.empty() ? table.insertRow(RowPosition::First)
                                              : table.insertRow(RowPosition::After, created.back());
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells[c]) {
                table.setCellText(row, static_cast<int>(c) + 1, formatString("%f", *cells[c]));
            }
        }
        created.push_back(row);
    }
    return created;
}

// Puts each read value into the store and toggles the presets whose state differs from the
// file's mark in the given direction.
void togglePass(Calculator& calculator, const DataFileReading& reading,
                const std::array<bool, kQuantityCount>& marked, bool wantMarked) {
    CalculatorState& state = calculator.state();
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        if (!reading.read[q]) {
            continue;
        }
        state.values[q] = reading.value[q];
        if (marked[q] == wantMarked && state.preset[q] != wantMarked) {
            calculator.togglePreset(q);
        }
    }
}

void solvePass(Calculator& calculator, const DataFileReading& reading,
               const std::array<bool, kQuantityCount>& marked, bool solveMarked) {
    CalculatorState& state = calculator.state();
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        if (!reading.read[q] || state.derived[q]) {
            continue;
        }
        state.values[q] = reading.value[q];
        if (marked[q] == solveMarked) {
            calculator.solveFrom(q);
        }
    }
}

// Whether a relation can compute q: only then may a saved value lie outside the quantity's
// limits, which bind typed and loaded input.
bool computedByARelation(QuantityId q) {
    for (int f = 0; f < kRelationCount; ++f) {
        if (kInvolvement[q][f] != 0 && kInvolvement[q][f] != kInputOnly) {
            return true;
        }
    }
    return false;
}

// The value a quantity read from the file keeps at the end of the load: the read value, limited
// as a solve from it limits it, unless a relation may have computed it beyond its limits (the
// window shows such a value, so the file gives it back).
double restoredValue(QuantityId q, double value) {
    if (computedByARelation(q)) {
        return value;
    }
    const QuantityInfo& info = kQuantityInfo[q];
    if (info.minimum != kNoLimit && value < info.minimum) {
        value = info.minimum;
    }
    if (info.maximum != kNoLimit && value > info.maximum) {
        value = info.maximum;
    }
    return value;
}

// Gives every quantity read from the file that is not derived its read value (restoredValue);
// returns whether any value changed.
bool restoreReadValues(Calculator& calculator, const DataFileReading& reading) {
    CalculatorState& state = calculator.state();
    bool changed = false;
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        if (reading.read[q] && !state.derived[q]) {
            const double value = restoredValue(q, reading.value[q]);
            changed = changed || state.values[q] != value;
            state.values[q] = value;
        }
    }
    return changed;
}

}  // namespace

std::string_view dataFileMessage(DataFileOutcome outcome) {
    switch (outcome) {
        case DataFileOutcome::NotFound:
            return kFileNotFoundMessage;
        case DataFileOutcome::WrongFormat:
        case DataFileOutcome::TooLarge:
            return kWrongFormatMessage;
        case DataFileOutcome::SaveFailed:
            return kSaveFailedMessage;
        case DataFileOutcome::Done:
            break;
    }
    return {};
}

bool fileMayMarkQuantity(QuantityId q) {
    for (int f = 0; f < kRelationCount; ++f) {
        const std::uint8_t role = kInvolvement[q][f];
        if (role == 0 || role == kInputOnly) {
            continue;
        }
        for (int other = 0; other < kQuantityCount; ++other) {
            if (kInvolvement[other][f] == kInputOnly) {
                return false;
            }
        }
    }
    return true;
}

DataFileOutcome saveDataFile(const Calculator& calculator, const std::filesystem::path& path,
                             std::string_view extraLines) {
    return writeFileReplacing(path, dataFileBytes(calculator) + utf8ToWindows1252(extraLines))
               ? DataFileOutcome::Done
               : DataFileOutcome::SaveFailed;
}

DataFileOutcome loadDataFile(Calculator& calculator, const std::filesystem::path& path,
                             const DataFileLineObserver& observer) {
    FilePointer file;
    switch (openRegularFileForReading(path, file)) {
        case ReadOpenResult::Opened:
            break;
        case ReadOpenResult::NotOpened:
            return DataFileOutcome::NotFound;
        case ReadOpenResult::TooLarge:
            return DataFileOutcome::TooLarge;
    }
    const DataFileReading reading = readDataFile(file.get(), observer);
    file.reset();
    // A file that opens but cannot be read is as good as missing; half of it must not replace
    // the table and the quantities. Nor may the first 256 MiB of something that is no data
    // file.
    if (reading.readFailed) {
        return DataFileOutcome::NotFound;
    }
    if (reading.tooLarge) {
        return DataFileOutcome::TooLarge;
    }
    return applyDataFile(calculator, reading);
}

DataFileOutcome applyDataFile(Calculator& calculator, const DataFileReading& reading) {
    CalculatorState& state = calculator.state();
    ModuleFieldTable& table = calculator.table();

    const bool rowsDeleted = deleteFieldRows(calculator);
    const std::vector<RowHandle> rows = insertRowsRead(calculator, reading);
    const bool rowsChanged = rowsDeleted || !rows.empty();
    formatModuleFieldRows(table, state.placeholderRow);
    const DataFileOutcome outcome =
        reading.recognisedLines == 0 ? DataFileOutcome::WrongFormat : DataFileOutcome::Done;

    for (RowHandle row : rows) {
        completeModuleFieldRow(table, row, -1, "");
    }
    // The yield is computed from the rows: clearing its derived flag lets the solve passes
    // reach it. The flag is set again at the end.
    const bool yieldDerived = state.derived[AnnualYield];
    const std::uint32_t stampBeforeToggles = state.stampCounter;
    state.derived[AnnualYield] = false;

    std::array<bool, kQuantityCount> marked{};
    for (int q = 0; q < kQuantityCount; ++q) {
        marked[q] = reading.marked[q] && fileMayMarkQuantity(static_cast<QuantityId>(q));
    }
    // A toggle may release the Vorgabe of another quantity, hence the second round.
    for (int round = 0; round < 2; ++round) {
        togglePass(calculator, reading, marked, false);
        togglePass(calculator, reading, marked, true);
    }

    // Each toggle re-reads the fields, which still show the values from before the load; every
    // value of the file must reach its field, so the store takes them all once more.
    for (int q = 0; q < kQuantityCount; ++q) {
        if (reading.read[q]) {
            state.values[q] = reading.value[q];
        }
    }
    calculator.writeAllFields();

    solvePass(calculator, reading, marked, false);
    solvePass(calculator, reading, marked, true);
    calculator.writeAllFields();

    // As a Vorgabe click ends: the derived flags follow the presets and every box and field
    // shows them. A toggle during the load has recomputed all flags already; without one, the
    // presets are those the yield's flag was computed from before the load.
    if (state.stampCounter == stampBeforeToggles) {
        state.derived[AnnualYield] = yieldDerived;
    }

    // The solve passes may have overwritten a value of the file that ends the load free (a
    // relation's guard giving 0 for a divisor of 0, or a partner computed from a field's
    // rounded text). Every read quantity that is not derived shows what the file holds
    // (restoredValue). Then the rows get their power and yield, and
    // the figures that follow the yield, from these values, even when the file holds no
    // quantity the solve passes would start from: the solve a table edit posts, run at once so
    // that nothing of the load is left for later. It must not undo the restored values either.
    // A file whose marks over-determine a relation (the toggles released some of them) was not
    // written from a state the window can hold; its values do not fit together, and the solve
    // passes have given the relations their say, as a click followed by typing would.
    bool marksTaken = true;
    for (int q = 0; q < kQuantityCount; ++q) {
        marksTaken = marksTaken && (!reading.read[q] || state.preset[q] == marked[q]);
    }
    const bool restored = marksTaken && restoreReadValues(calculator, reading);
    if (rowsChanged || restored) {
        calculator.writeAllFields();
        calculator.solveFrom(Latitude);
        if (marksTaken && restoreReadValues(calculator, reading)) {
            calculator.writeAllFields();
        }
    }

    FieldPanel& fields = calculator.fields();
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        fields.setPresetBoxChecked(q, state.preset[q]);
        fields.setFieldReadOnly(q, state.derived[q]);
    }
    return outcome;
}

}  // namespace lumetra
