#include "persistence/DataFile.h"

#include <memory>
#include <vector>

#include "energy/ModuleFieldRules.h"
#include "model/Calculator.h"
#include "model/RelationLists.h"
#include "persistence/DataFileFormat.h"
#include "persistence/FileAccess.h"
#include "persistence/Messages.h"
#include "support/TextFormat.h"
#include "support/Windows1252.h"

namespace lumetra {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void deleteFieldRows(Calculator& calculator) {
    ModuleFieldTable& table = calculator.table();
    const RowHandle placeholder = calculator.state().placeholderRow;
    RowHandle row = table.firstRow();
    while (row != kNoRow) {
        const RowHandle next = table.nextRow(row);
        if (row != placeholder) {
            table.deleteRow(row);
        }
        row = next;
    }
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

}  // namespace

std::string_view dataFileMessage(DataFileOutcome outcome) {
    switch (outcome) {
        case DataFileOutcome::NotFound:
            return kFileNotFoundMessage;
        case DataFileOutcome::WrongFormat:
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

DataFileOutcome loadDataFile(Calculator& calculator, const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return DataFileOutcome::NotFound;
    }
    std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    if (!file) {
        return DataFileOutcome::NotFound;
    }
    const DataFileReading reading = readDataFile(file.get());
    file.reset();
    // A file that opens but cannot be read is as good as missing; half of it must not replace
    // the table and the quantities.
    if (reading.readFailed) {
        return DataFileOutcome::NotFound;
    }
    return applyDataFile(calculator, reading);
}

DataFileOutcome applyDataFile(Calculator& calculator, const DataFileReading& reading) {
    CalculatorState& state = calculator.state();
    ModuleFieldTable& table = calculator.table();

    deleteFieldRows(calculator);
    const std::vector<RowHandle> rows = insertRowsRead(calculator, reading);
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
    FieldPanel& fields = calculator.fields();
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        fields.setPresetBoxChecked(q, state.preset[q]);
        fields.setFieldReadOnly(q, state.derived[q]);
    }
    return outcome;
}

}  // namespace lumetra
