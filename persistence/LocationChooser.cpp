// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/LocationChooser.h"

#include <cstdio>
#include <memory>

#include "calculator/Calculator.h"
#include "persistence/FileAccess.h"
#include "persistence/LocationDatabase.h"
#include "persistence/Messages.h"

namespace lumetra {
namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string_view chooseLocationMessage(ChooseLocationOutcome outcome) {
    switch (outcome) {
        case ChooseLocationOutcome::CannotOpen:
            return kLocationDatabaseOpenFailedMessage;
        case ChooseLocationOutcome::EmptyDatabase:
            return kLocationDatabaseEmptyMessage;
        case ChooseLocationOutcome::Chosen:
        case ChooseLocationOutcome::Cancelled:
            break;
    }
    return {};
}

PlaceSearch findPlace(const std::vector<std::string>& names, std::string_view typed) {
    PlaceSearch search;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == typed) {
            search.found = i;
            return search;
        }
    }
    const std::string key = placeSearchKey(typed);
    if (key.empty()) {
        return search;
    }
    std::vector<std::size_t> equal;
    std::vector<std::size_t> beginning;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string nameKey = placeSearchKey(names[i]);
        if (nameKey == key) {
            equal.push_back(i);
        } else if (nameKey.starts_with(key)) {
            beginning.push_back(i);
        }
    }
    search.candidates = equal.empty() ? std::move(beginning) : std::move(equal);
    if (search.candidates.size() == 1) {
        search.found = search.candidates.front();
        search.candidates.clear();
    }
    return search;
}

void applyLocationLine(Calculator& calculator, std::string_view line) {
    constexpr QuantityId kTargets[] = {Latitude, Longitude, AnnualIrradiation};
    const std::vector<std::string_view> fields = splitLocationFields(line);
    for (std::size_t k = 0; k < std::size(kTargets); ++k) {
        if (k + 1 >= fields.size()) {
            break;
        }
        std::string_view text = fields[k + 1];
        while (!text.empty() && isWhiteSpace(text.front())) {
            text.remove_prefix(1);
        }
        if (text.empty()) {
            continue;
        }
        // Setting the text is a text change and solves through the field's notification; the
        // chooser then solves once more, as the window does.
        calculator.fields().setFieldText(kTargets[k], text);
        calculator.solveFrom(kTargets[k]);
    }
}

ChooseLocationOutcome chooseLocation(Calculator& calculator,
                                     const std::filesystem::path& databasePath,
                                     std::string& lastLocationName,
                                     const LocationSelection& select) {
    // Only a regular file is read: a FIFO or a link to a device would never end.
    FilePointer file;
    if (openRegularFileForReading(databasePath, file) != ReadOpenResult::Opened) {
        return ChooseLocationOutcome::CannotOpen;
    }
    bool readFailed = false;
    const LocationList list = readLocationList(file.get(), &readFailed);
    file.reset();
    // A file that opens but cannot be read (or that is far larger than any database) is not an
    // empty database: it could not be opened for what it holds, and no half-read list is
    // offered.
    if (readFailed) {
        return ChooseLocationOutcome::CannotOpen;
    }
    if (list.empty()) {
        return ChooseLocationOutcome::EmptyDatabase;
    }

    std::vector<std::string> names;
    names.reserve(list.size());
    std::size_t preselected = 0;
    for (const LocationLine& line : list) {
        names.push_back(placeName(line.text));
        if (names.back() == lastLocationName) {
            preselected = names.size() - 1;
        }
    }

    const std::optional<std::size_t> chosen = select(names, preselected);
    if (!chosen || *chosen >= list.size()) {
        return ChooseLocationOutcome::Cancelled;
    }
    lastLocationName = names[*chosen];
    applyLocationLine(calculator, list[*chosen].text);
    return ChooseLocationOutcome::Chosen;
}

}  // namespace lumetra
