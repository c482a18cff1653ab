// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a data file's Auswertung lines and checks what the window and the
// money model are handed: every input finite and within its range, whole years, and lines that
// save and load to the same inputs without a message (the weather file's and the data folder's
// paths byte for byte), which the data file's own reader passes over.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "evaluation/EvaluationFileLines.h"
#include "evaluation/EvaluationInputs.h"
#include "persistence/DataFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra::evaluation;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const EvaluationInputs inputs = readEvaluationLines(bytes).inputs;
    for (const InputInfo& info : kInputInfo) {
        const double value = inputValue(inputs, info.id, info.minimum);
        if (!std::isfinite(value) || value < info.minimum || value > info.maximum) {
            __builtin_trap();
        }
    }
    if (inputs.years != std::round(inputValue(inputs, InputId::Years))) {
        __builtin_trap();
    }

    // The lines are written with six decimals, so a value comes back to within half a
    // millionth; the battery keeps whether it has its own size.
    const std::string lines = evaluationInputLines(inputs);
    const EvaluationLines reread = readEvaluationLines(lines);
    // What the program writes, it reads whole.
    if (!reread.messages.empty()) {
        __builtin_trap();
    }
    const EvaluationInputs& reloaded = reread.inputs;
    for (const InputInfo& info : kInputInfo) {
        if (std::abs(inputValue(reloaded, info.id) - inputValue(inputs, info.id)) > 1e-6) {
            __builtin_trap();
        }
    }
    if (reloaded.batteryCapacity_kWh.has_value() != inputs.batteryCapacity_kWh.has_value() ||
        reloaded.years != inputs.years || reloaded.weatherFile != inputs.weatherFile ||
        reloaded.dataFolder != inputs.dataFolder) {
        __builtin_trap();
    }
    if (lumetra::readDataFile(lines).recognisedLines != 0) {
        __builtin_trap();
    }
    return 0;
}
