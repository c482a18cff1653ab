// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataSearch.h"

#include <system_error>

#include "persistence/FileAccess.h"

namespace lumetra {

namespace {

// The first candidate that is a regular file, else `fallback`.
std::filesystem::path firstRegularFile(const std::vector<std::filesystem::path>& candidates,
                                       std::filesystem::path fallback) {
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return fallback;
}

}  // namespace

std::vector<std::filesystem::path> shippedDataFileCandidates(const DataSearch& search,
                                                             std::string_view name) {
    const std::filesystem::path file = pathFromUtf8(name);
    std::vector<std::filesystem::path> candidates;
    if (!search.applicationDir.empty()) {
        candidates.push_back(
            (search.applicationDir / ".." / "share" / "lumetra" / file).lexically_normal());
    }
    if (!search.buildDataDir.empty()) {
        candidates.push_back((search.buildDataDir / file).lexically_normal());
    }
    return candidates;
}

std::vector<std::filesystem::path> dataFileCandidates(const DataSearch& search,
                                                      std::string_view name) {
    std::vector<std::filesystem::path> candidates = shippedDataFileCandidates(search, name);
    if (!search.currentDir.empty()) {
        candidates.insert(candidates.begin(), search.currentDir / pathFromUtf8(name));
    }
    return candidates;
}

std::filesystem::path findDataFile(const DataSearch& search, std::string_view name) {
    const std::vector<std::filesystem::path> candidates = dataFileCandidates(search, name);
    return firstRegularFile(candidates,
                            candidates.empty() ? pathFromUtf8(name) : candidates.front());
}

std::filesystem::path findShippedDataFile(const DataSearch& search, std::string_view name) {
    const std::vector<std::filesystem::path> candidates = shippedDataFileCandidates(search, name);
    return firstRegularFile(candidates,
                            candidates.empty() ? pathFromUtf8(name) : candidates.front());
}

}  // namespace lumetra
