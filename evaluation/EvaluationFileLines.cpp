// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/EvaluationFileLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "evaluation/GermanNumber.h"
#include "persistence/DataFileReader.h"
#include "persistence/LinePieceReader.h"
#include "support/TextFormat.h"
#include "support/Windows1252.h"

namespace lumetra::evaluation {
namespace {

// Messages beyond these are summed up in one: a damaged file must not flood the user.
constexpr std::size_t kMaxLineMessages = 5;
// The longest Auswertung line kept: a weather path of the longest length Linux allows, escaped.
constexpr std::size_t kMaxEvaluationLineBytes = 3 * 4096 + 64;
// A line is quoted in a message up to this many bytes.
constexpr std::size_t kQuotedLineBytes = 80;

std::string padded(std::string_view text, std::size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The line as a message quotes it: UTF-8, without its line end, cut after a few words.
std::string quotedLine(std::string_view line) {
    std::string text = windows1252ToUtf8(trimmed(untilZeroByte(line)));
    if (text.size() > kQuotedLineBytes) {
        std::size_t cut = kQuotedLineBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;  // not inside a character
        }
        text.resize(cut);
        text += " …";
    }
    return text;
}

// The path with every byte outside printable ASCII, every blank and "%" as %XX.
std::string escapedPath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && byte != '%') {
            text.push_back(c);
        } else {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The path back; a "%" without two hex digits stays as it is.
std::string unescapedPath(std::string_view text) {
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            path.push_back(static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2])));
            i += 2;
        } else {
            path.push_back(text[i]);
        }
    }
    return path;
}

// An input's value as a line holds it.
struct LineValue {
    double value = 0;
    std::optional<PowerUnit> unit;  // a power's, when the line names one
    bool followsMainWindow = false;
};

// The text after a line's "=" as the program writes it: a number with a decimal point and
// nothing after it but the input's unit (a power's "C" or "kW"), or "wie Hauptfenster".
std::optional<LineValue> readLineValue(InputId id, std::string_view text) {
    const std::string_view whole = trimmed(untilZeroByte(text));
    if (whole == kFollowsMainWindowText) {
        if (canFollowMainWindow(id)) {
            return LineValue{0, std::nullopt, true};
        }
        return std::nullopt;
    }
    std::size_t consumed = 0;
    const double value = readDecimalNumber(text, &consumed);
    const std::string_view after = trimmed(untilZeroByte(text.substr(consumed)));
    if (consumed == 0 || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (after.empty() || (!hasPowerUnit(id) && after == inputInfo(id).unit)) {
        return LineValue{value, std::nullopt, false};
    }
    if (hasPowerUnit(id)) {
        if (const auto unit = powerUnitFromText(after)) {
            return LineValue{value, unit, false};
        }
    }
    return std::nullopt;
}

// The units an input's value may be written with, for a message.
std::string unitsText(InputId id) {
    if (hasPowerUnit(id)) {
        return "„" + std::string(powerUnitText(PowerUnit::CRate)) + "“ oder „" +
               std::string(powerUnitText(PowerUnit::Kilowatt)) + "“";
    }
    return "„" + std::string(inputInfo(id).unit) + "“";
}

void applyLineValue(EvaluationInputs& inputs, InputId id, const LineValue& read) {
    if (read.followsMainWindow) {
        setFollowsMainWindow(inputs, id, true, 0);
        return;
    }
    if (read.unit) {
        setInputPowerUnit(inputs, id, *read.unit);
    }
    setInputValue(inputs, id, read.value);
}

const InputInfo* inputNamed(std::string_view fileName) {
    for (const InputInfo& info : kInputInfo) {
        if (info.fileName == fileName) {
            return &info;
        }
    }
    return nullptr;
}

// The inputs that hold a path, each in a line of its own, written only when set.
struct PathLine {
    std::string_view label;
    std::string EvaluationInputs::*path;
};
constexpr PathLine kPathLines[] = {
    {kWeatherFileLabel, &EvaluationInputs::weatherFile},
    {kDataFolderLabel, &EvaluationInputs::dataFolder},
};

// The household's load, each in a line of its own, written only when it differs from the
// default: the profile, the other home, the measured file and how it is read.
std::string householdLoadLines(const EvaluationInputs& inputs) {
    const EvaluationInputs defaults;
    std::string text;
    const auto line = [&text](std::string_view label, std::string_view value) {
        text += padded(label, 22) + "      = " + std::string(value) + '\n';
    };
    if (inputs.householdProfile != defaults.householdProfile) {
        line(kHouseholdProfileLabel, householdProfileText(inputs.householdProfile));
    }
    if (inputs.otherHome != defaults.otherHome) {
        line(kOtherHomeLabel, std::to_string(inputs.otherHome));
    }
    const MeasuredLoadChoice& measured = inputs.measuredLoad;
    if (!measured.file.empty()) {
        line(kMeasuredFileLabel, escapedPath(measured.file));
    }
    if (!measured.column.empty()) {
        line(kMeasuredColumnLabel, escapedPath(measured.column));
    }
    if (measured.unit) {
        line(kMeasuredUnitLabel, measuredUnitText(*measured.unit));
    }
    if (measured.scaledToAnnual) {
        line(kMeasuredScalingLabel, kScaledToAnnualText);
    }
    return text;
}

// Sets the household-load input a line or --set names from its value (trimmed). Nothing when
// `label` names none of them; false and why ("ist keine ...", "ist nicht ...") when the value
// is none it can take.
std::optional<bool> setHouseholdLoadInput(EvaluationInputs& inputs, std::string_view label,
                                          std::string_view value, std::string* why) {
    if (label == kHouseholdProfileLabel) {
        if (const auto profile = householdProfileFromText(value)) {
            inputs.householdProfile = *profile;
            return true;
        }
        *why = "ist nicht „" + std::string(householdProfileText(HouseholdProfile::Simulated)) +
               "“, „" + std::string(householdProfileText(HouseholdProfile::Standard)) + "“ oder „" +
               std::string(householdProfileText(HouseholdProfile::Measured)) + "“";
        return false;
    }
    if (label == kOtherHomeLabel) {
        int home = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), home);
        if (error == std::errc{} && end == value.data() + value.size() && home >= 0) {
            inputs.otherHome = std::min(home, kMaxOtherHome);
            return true;
        }
        *why = "ist keine ganze Zahl von 0 bis " + std::to_string(kMaxOtherHome);
        return false;
    }
    MeasuredLoadChoice& measured = inputs.measuredLoad;
    if (label == kMeasuredFileLabel) {
        measured.file = unescapedPath(value);
        return true;
    }
    if (label == kMeasuredColumnLabel) {
        measured.column = unescapedPath(value);
        return true;
    }
    if (label == kMeasuredUnitLabel) {
        if (const auto unit = measuredUnitFromText(value)) {
            measured.unit = unit;
            return true;
        }
        *why = "ist nicht „Wh“, „kWh“, „W“ oder „kW“";
        return false;
    }
    if (label == kMeasuredScalingLabel) {
        if (value == kScaledToAnnualText || value == kAsMeasuredText) {
            measured.scaledToAnnual = value == kScaledToAnnualText;
            return true;
        }
        *why = "ist nicht „" + std::string(kAsMeasuredText) + "“ oder „" +
               std::string(kScaledToAnnualText) + "“";
        return false;
    }
    return std::nullopt;
}

}  // namespace

std::string evaluationInputLines(const EvaluationInputs& inputs) {
    std::string text;
    for (const InputInfo& info : kInputInfo) {
        if (!differsFromDefault(inputs, info.id)) {
            continue;
        }
        // The width of the specified quantity lines: name and blanks 28, "= ", value 18, unit
        // (a longer name, up to 28, keeps the "=" in its column).
        text += padded(info.fileName, 28);
        if (followsMainWindow(inputs, info.id)) {
            text += "= ";
            text += kFollowsMainWindowText;
        } else {
            text += formatString("= %18f ", inputValue(inputs, info.id));
            text += padded(inputUnit(inputs, info.id), 8);
        }
        text += '\n';
    }
    for (const PathLine& line : kPathLines) {
        if (const std::string& path = inputs.*line.path; !path.empty()) {
            text += padded(line.label, 22) + "      = " + escapedPath(path) + '\n';
        }
    }
    return text + householdLoadLines(inputs);
}

void EvaluationLineReader::readLine(std::size_t lineNumber, std::string_view piece) {
    const bool lineEnds = !piece.empty() && piece.back() == '\n';
    if (pending_.empty() && lineEnds) {
        readWholeLine(lineNumber, piece);
        return;
    }
    if (!pending_.empty() && lineNumber != pendingLineNumber_) {
        readWholeLine(pendingLineNumber_, pending_);  // the file ended without a line end
        pending_.clear();
    }
    pendingLineNumber_ = lineNumber;
    // No line of ours is anywhere near this long; beyond it the rest is not kept.
    pending_.append(piece.substr(
        0, kMaxEvaluationLineBytes - std::min(pending_.size(), kMaxEvaluationLineBytes)));
    if (lineEnds) {
        readWholeLine(lineNumber, pending_);
        pending_.clear();
    }
}

void EvaluationLineReader::readWholeLine(std::size_t lineNumber, std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view label = trimmed(line.substr(0, equals));
    for (const PathLine& pathLine : kPathLines) {
        if (label == pathLine.label) {
            lines_.inputs.*pathLine.path =
                unescapedPath(trimmed(untilZeroByte(line.substr(equals + 1))));
            return;
        }
    }
    std::string why;
    if (const auto set = setHouseholdLoadInput(
            lines_.inputs, label, trimmed(untilZeroByte(line.substr(equals + 1))), &why)) {
        if (!*set && ++unreadLines_ <= kMaxLineMessages) {
            lines_.messages.push_back("Zeile " + std::to_string(lineNumber) +
                                      " wurde nicht übernommen, denn ihr Wert " + why + ": " +
                                      quotedLine(line));
        }
        return;
    }
    const InputInfo* info = inputNamed(label);
    if (info == nullptr) {
        return;
    }
    if (const auto read = readLineValue(info->id, line.substr(equals + 1))) {
        applyLineValue(lines_.inputs, info->id, *read);
        return;
    }
    ++unreadLines_;
    if (unreadLines_ <= kMaxLineMessages) {
        lines_.messages.push_back("Zeile " + std::to_string(lineNumber) +
                                  " wurde nicht übernommen, denn ihr Wert ist nicht als Zahl mit "
                                  "Dezimalpunkt und der Einheit " +
                                  unitsText(info->id) + " lesbar: " + quotedLine(line));
    }
}

std::string setInputFromText(EvaluationInputs& inputs, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    const std::string_view label = trimmed(assignment.substr(0, equals));
    if (equals != std::string_view::npos) {
        EvaluationInputs changed = inputs;
        std::string why;
        const std::string_view value = trimmed(assignment.substr(equals + 1));
        if (const auto set = setHouseholdLoadInput(changed, label, value, &why)) {
            if (!*set) {
                return std::string(label) + ": „" + std::string(value) + "“ " + why;
            }
            inputs = changed;
            return {};
        }
    }
    const InputInfo* info = inputNamed(label);
    if (equals == std::string_view::npos || info == nullptr) {
        std::string known;
        for (const InputInfo& each : kInputInfo) {
            known += known.empty() ? "" : ", ";
            known += each.fileName;
        }
        for (const std::string_view each :
             {kHouseholdProfileLabel, kOtherHomeLabel, kMeasuredFileLabel, kMeasuredColumnLabel,
              kMeasuredUnitLabel, kMeasuredScalingLabel}) {
            known += ", ";
            known += each;
        }
        return "Keine Eingabe der Auswertung heißt „" + std::string(label) +
               "“; bekannt sind: " + known;
    }
    const std::string_view text = assignment.substr(equals + 1);
    const auto read = readLineValue(info->id, text);
    if (!read) {
        return std::string(info->fileName) + ": „" + std::string(trimmed(text)) +
               "“ ist keine Zahl mit Dezimalpunkt und der Einheit " + unitsText(info->id) +
               (canFollowMainWindow(info->id)
                    ? " und nicht „" + std::string(kFollowsMainWindowText) + "“"
                    : std::string());
    }
    EvaluationInputs changed = inputs;
    if (read->unit) {
        setInputPowerUnit(changed, info->id, *read->unit);
    }
    const InputRange range = inputRange(changed, info->id);
    if (!read->followsMainWindow && (read->value < range.minimum || read->value > range.maximum)) {
        const std::string_view unit = inputUnit(changed, info->id);
        return std::string(info->fileName) + ": " +
               formatWithUnit(read->value, range.decimals, unit) + " liegt nicht zwischen " +
               formatWithUnit(range.minimum, range.decimals, unit) + " und " +
               formatWithUnit(range.maximum, range.decimals, unit);
    }
    applyLineValue(changed, info->id, *read);
    inputs = changed;
    return {};
}

EvaluationLines EvaluationLineReader::result() {
    if (!pending_.empty()) {
        readWholeLine(pendingLineNumber_, pending_);  // the last line has no line end
        pending_.clear();
    }
    EvaluationLines result = lines_;
    if (unreadLines_ > kMaxLineMessages) {
        result.messages.push_back("… und " + std::to_string(unreadLines_ - kMaxLineMessages) +
                                  " weitere Zeilen der Auswertung wurden nicht übernommen.");
    }
    return result;
}

EvaluationLines readEvaluationLines(std::string_view fileText) {
    EvaluationLineReader reader;
    readDataFile(fileText, [&reader](std::size_t lineNumber, std::string_view line) {
        reader.readLine(lineNumber, line);
    });
    return reader.result();
}

DataSetLoad loadDataSet(Calculator& calculator, const std::filesystem::path& path) {
    EvaluationLineReader reader;
    DataSetLoad load;
    load.outcome =
        loadDataFile(calculator, path, [&reader](std::size_t lineNumber, std::string_view line) {
            reader.readLine(lineNumber, line);
        });
    if (load.outcome != DataFileOutcome::NotFound && load.outcome != DataFileOutcome::TooLarge) {
        load.evaluationLines = reader.result();
    }
    return load;
}

}  // namespace lumetra::evaluation
