// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace lumetra {

// Opens a file with a C library mode ("rb", "wbx", ...) under its real name on every system.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Whether the path names something that exists and is not a folder (the overwrite question).
bool isExistingFile(const std::filesystem::path& path);

// Writes `bytes` as the whole content of `target` without ever leaving a half-written target:
// the bytes go to a new file in the same folder, which is flushed to the disk and then renamed
// over the target. An existing target keeps its permissions; a symbolic link is written
// through. Returns false, and leaves the target and its folder as they were, when the target
// is a folder, cannot be written, or anything fails on the way (a missing folder, a full disk).
bool writeFileReplacing(const std::filesystem::path& target, std::string_view bytes);

}  // namespace lumetra
