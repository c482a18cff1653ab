// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lumetra {

// A path from its UTF-8 text (as the window, the data file and the command line hold paths),
// and back.
std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8Path(const std::filesystem::path& path);

// Opens a file with a C library mode ("rb", "wbx", ...) under its real name on every system.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Files the program reads are never larger than this; a bigger one is no file of ours, and
// reading it would only fill the memory.
inline constexpr std::uintmax_t kMaxReadFileSize = std::uintmax_t{256} * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

enum class ReadOpenResult {
    Opened,
    NotOpened,  // missing, not readable, or not a regular file (a folder, a FIFO, a device)
    TooLarge,   // a regular file larger than kMaxReadFileSize
};

// Opens a file for reading in binary mode, but only a regular file (or a link to one): a FIFO,
// a device or a socket is refused without waiting for a writer, so that loading never hangs
// and never reads endlessly. `file` receives the open file when the result is Opened.
ReadOpenResult openRegularFileForReading(const std::filesystem::path& path, FilePointer& file);

// Reads the whole of a regular file (or of a link to one), opened as openRegularFileForReading
// opens it, into `bytes`. A file of more than `maxBytes` is TooLarge: refused from its size
// before it is read, or, should it grow while it is read, as soon as it passes `maxBytes`, so
// that the memory taken stays bounded. NotOpened also when reading fails.
ReadOpenResult readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                               std::string& bytes);

// Whether the path names something that exists and is not a folder (the overwrite question).
bool isExistingFile(const std::filesystem::path& path);

// Writes `bytes` as the whole content of `target` without ever leaving a half-written target.
//
// The rule for what may be replaced, as careful editors keep it:
// - a missing target is created (its folder must exist);
// - an existing regular file is replaced;
// - a symbolic link to a regular file is followed: the file it finally points to is replaced
//   in its own folder, and the link stays a link;
// - anything else is refused and left as it is: a folder, a device, a FIFO, a socket, a
//   dangling link, a link loop, a link to anything but a regular file.
// The bytes go to a new file with a short name in the folder of the file replaced, created
// readable by its owner only (0600), flushed to the disk, given its final mode (the replaced
// file's permission bits without set-user-id, set-group-id and sticky bits; for a new file
// 0666 less the umask) and, where the process may, the replaced file's owner and group, and
// only then renamed over the target. Nothing is ever opened that could block (a FIFO).
// Returns false, and leaves the target and its folder as they were, when the target is
// refused, cannot be written, or anything fails on the way (a missing folder, a full disk, a
// failed rename: the temporary file is removed again).
bool writeFileReplacing(const std::filesystem::path& target, std::string_view bytes);

// The same, calling `observer` with the temporary file's path once the bytes are in it, before
// it gets its final mode and name (so that a test can see what another user could see then).
using TemporaryFileObserver = std::function<void(const std::filesystem::path& temporary)>;
bool writeFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                        const TemporaryFileObserver& observer);

}  // namespace lumetra
