// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgramFolder.h"

#include <system_error>

namespace lumetra::cli {

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path running = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && running.is_absolute()) {
        return running.parent_path();
    }
    // A name without a folder was found on the PATH; its folder is not known here.
    if (argv0 == nullptr || std::filesystem::path(argv0).parent_path().empty()) {
        return {};
    }
    const std::filesystem::path absolute = std::filesystem::absolute(argv0, error);
    return error ? std::filesystem::path() : absolute.parent_path();
}

DataSearch programDataSearch(const char* argv0) {
    DataSearch search;
    std::error_code error;
    search.currentDir = std::filesystem::current_path(error);
    search.applicationDir = programFolder(argv0);
#ifdef LUMETRA_BUILD_DATA_DIR
    search.buildDataDir = LUMETRA_BUILD_DATA_DIR;
#endif
    return search;
}

}  // namespace lumetra::cli
