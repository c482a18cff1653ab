// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/EvaluationFileLines.h"

#include <cmath>
#include <memory>

#include "persistence/DataFileReader.h"
#include "persistence/FileAccess.h"
#include "support/TextFormat.h"

namespace lumetra::evaluation {
namespace {

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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string evaluationInputLines(const EvaluationInputs& inputs) {
    std::string text;
    for (const InputInfo& info : kInputInfo) {
        if (!differsFromDefault(inputs, info.id)) {
            continue;
        }
        // The width of the specified quantity lines: name 22, six blanks, "= ", value 18, unit.
        text += padded(info.fileName, 22);
        text += formatString("      = %18f ", inputValue(inputs, info.id));
        text += padded(info.unit, 8);
        text += '\n';
    }
    if (!inputs.weatherFile.empty()) {
        text += padded(kWeatherFileLabel, 22) + "      = " + escapedPath(inputs.weatherFile) + '\n';
    }
    return text;
}

EvaluationInputs readEvaluationInputs(std::string_view fileText) {
    EvaluationInputs inputs;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find('\n');
        const std::string_view line = fileText.substr(0, end);
        fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view label = trimmed(line.substr(0, equals));
        if (label == kWeatherFileLabel) {
            inputs.weatherFile = unescapedPath(trimmed(line.substr(equals + 1)));
            continue;
        }
        for (const InputInfo& info : kInputInfo) {
            if (label != info.fileName) {
                continue;
            }
            std::size_t consumed = 0;
            const std::string_view rest = line.substr(equals + 1);
            const double value = readDecimalNumber(rest, &consumed);
            if (consumed > 0 && std::isfinite(value)) {
                setInputValue(inputs, info.id, value);
            }
        }
    }
    return inputs;
}

std::optional<EvaluationInputs> readEvaluationInputsFile(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    // The labels of these lines are ASCII, so the file's code page does not matter here.
    return readEvaluationInputs(bytes);
}

}  // namespace lumetra::evaluation
