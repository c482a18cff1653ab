// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataSearch.h"

#include <system_error>

namespace lumetra {

std::vector<std::filesystem::path> dataFileCandidates(const DataSearch& search,
                                                      std::string_view name) {
    const std::filesystem::path file{std::u8string(name.begin(), name.end())};
    std::vector<std::filesystem::path> candidates;
    if (!search.currentDir.empty()) {
        candidates.push_back(search.currentDir / file);
    }
    if (!search.applicationDir.empty()) {
        candidates.push_back(
            (search.applicationDir / ".." / "share" / "lumetra" / file).lexically_normal());
    }
    if (!search.buildDataDir.empty()) {
        candidates.push_back(search.buildDataDir / file);
    }
    return candidates;
}

std::filesystem::path findDataFile(const DataSearch& search, std::string_view name) {
    const std::vector<std::filesystem::path> candidates = dataFileCandidates(search, name);
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    if (candidates.empty()) {
        return std::filesystem::path{std::u8string(name.begin(), name.end())};
    }
    return candidates.front();
}

}  // namespace lumetra
