// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a data file's Auswertung lines and checks what the window and the
// money model are handed: every input finite and within the range of its unit, whole years, and
// lines that save and load to the same inputs without a message (the weather file's and the data
// folder's paths byte for byte, the powers' units, which inputs follow the main window), which
// the data file's own reader passes over.
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
    // The main window's fields at zero, the lowest value the inputs that follow them take.
    const MainWindowInputs main;
    for (const InputInfo& info : kInputInfo) {
        const double value = inputValue(inputs, info.id, main);
        const InputRange range = inputRange(inputs, info.id);
        if (!std::isfinite(value) || value < range.minimum || value > range.maximum) {
            __builtin_trap();
        }
    }
    if (inputs.years != std::round(inputValue(inputs, InputId::Years)) ||
        inputs.batteryLifetime_years != std::round(inputValue(inputs, InputId::BatteryLifetime))) {
        __builtin_trap();
    }

    // The lines are written with six decimals, so a value comes back to within half a
    // millionth; an input keeps whether it follows the main window, a power its unit.
    const std::string lines = evaluationInputLines(inputs);
    const EvaluationLines reread = readEvaluationLines(lines);
    // What the program writes, it reads whole.
    if (!reread.messages.empty()) {
        __builtin_trap();
    }
    const EvaluationInputs& reloaded = reread.inputs;
    for (const InputInfo& info : kInputInfo) {
        if (std::abs(inputValue(reloaded, info.id) - inputValue(inputs, info.id)) > 1e-6 ||
            followsMainWindow(reloaded, info.id) != followsMainWindow(inputs, info.id) ||
            inputPowerUnit(reloaded, info.id) != inputPowerUnit(inputs, info.id)) {
            __builtin_trap();
        }
    }
    if (reloaded.years != inputs.years || reloaded.weatherFile != inputs.weatherFile ||
        reloaded.dataFolder != inputs.dataFolder) {
        __builtin_trap();
    }
    if (lumetra::readDataFile(lines).recognisedLines != 0) {
        __builtin_trap();
    }
    return 0;
}
