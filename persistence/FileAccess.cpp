// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/FileAccess.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace lumetra {
namespace {

// Pushes the written bytes to the disk, so that the rename never publishes a file whose data
// a crash could still lose.
bool syncToDisk(std::FILE* file) {
#if defined(__unix__) || defined(__APPLE__)
    return ::fsync(::fileno(file)) == 0;
#else
    (void)file;
    return true;
#endif
}

std::filesystem::path temporaryNameBeside(const std::filesystem::path& target,
                                          std::mt19937_64& random) {
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string name = "." + target.filename().string() + ".tmp-";
    const auto bits = random();
    for (int shift = 0; shift < 64; shift += 4) {
        name.push_back(kHexDigits[(bits >> shift) & 0xF]);
    }
    return target.parent_path() / name;
}

}  // namespace

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#if defined(_WIN32)
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool isExistingFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool writeFileReplacing(const std::filesystem::path& requestedTarget, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = requestedTarget;
    if (target.empty() || fs::is_directory(target, error)) {
        return false;
    }
    // Replacing a link would cut it; the file it points to is the one to replace.
    if (fs::is_symlink(fs::symlink_status(target, error)) && fs::exists(target, error)) {
        target = fs::canonical(target, error);
        if (error) {
            return false;
        }
    }
    const bool targetExists = fs::exists(target, error);
    if (targetExists) {
        // Opening for appending writes nothing but fails exactly where writing would.
        std::FILE* probe = openFile(target, "ab");
        if (probe == nullptr) {
            return false;
        }
        std::fclose(probe);
    }

    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temporary = temporaryNameBeside(target, random);
        file = openFile(temporary, "wbx");
        if (file == nullptr && errno != EEXIST) {
            return false;
        }
    }
    if (file == nullptr) {
        return false;
    }

    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = syncToDisk(file) && written;
    written = std::ferror(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (written && targetExists) {
        fs::permissions(temporary, fs::status(target, error).permissions(),
                        fs::perm_options::replace, error);
        written = !error;
    }
    if (written) {
        fs::rename(temporary, target, error);
        written = !error;
    }
    if (!written) {
        fs::remove(temporary, error);
    }
    return written;
}

}  // namespace lumetra
