// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/FileAccess.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#define LUMETRA_POSIX_FILES 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

namespace lumetra {
namespace {

// A short name, so that a target whose own name is at the system's limit can still be saved;
// the leading dot keeps it out of ordinary folder listings.
std::filesystem::path temporaryNameIn(const std::filesystem::path& folder,
                                      std::mt19937_64& random) {
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string name = ".lumetra-";
    const auto bits = random();
    for (int shift = 0; shift < 48; shift += 4) {
        name.push_back(kHexDigits[(bits >> shift) & 0xF]);
    }
    return folder / name;
}

std::mt19937_64 seededRandom() {
    std::random_device seed;
    return std::mt19937_64((std::uint64_t{seed()} << 32) ^ seed());
}

#if defined(LUMETRA_POSIX_FILES)

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void adopt(int fd) {
        reset();
        fd_ = fd;
    }
    // Closes now; false when closing reported an error (a write the disk refused late).
    bool reset() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a save replaces: the target itself, or for a link the regular file it finally
// points to. Nothing for a target that must not be replaced. `existing` tells whether the
// file is there; `status` then holds its state.
bool resolveSaveTarget(const std::filesystem::path& requested, std::filesystem::path& target,
                       bool& existing, struct stat& status) {
    existing = false;
    struct stat linkStatus {};
    if (::lstat(requested.c_str(), &linkStatus) != 0) {
        // Only a name that is not there yet may be created; a path through a file or an
        // unreadable folder is no place to save.
        if (errno != ENOENT) {
            return false;
        }
        target = requested;
        return true;
    }
    if (S_ISLNK(linkStatus.st_mode)) {
        // A dangling link or a loop fails here and stays as it is.
        if (::stat(requested.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            return false;
        }
        std::error_code error;
        target = std::filesystem::canonical(requested, error);
        if (error) {
            return false;
        }
        existing = true;
        return true;
    }
    if (!S_ISREG(linkStatus.st_mode)) {
        return false;  // a folder, a device, a FIFO, a socket
    }
    status = linkStatus;
    target = requested;
    existing = true;
    return true;
}

// Whether the process may write the existing file: opening it for appending writes nothing but
// fails exactly where writing would. The file is known to be regular, and the open does not
// wait in any case.
bool mayWrite(const std::filesystem::path& target) {
    const FileDescriptor probe(
        ::open(target.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (probe.get() < 0) {
        return false;
    }
    struct stat status {};
    return ::fstat(probe.get(), &status) == 0 && S_ISREG(status.st_mode);
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The replaced file's owner, group and permission bits go to the new file before it takes the
// file's place; set-user-id, set-group-id and sticky bits never do.
bool giveFinalAttributes(int fd, bool existing, const struct stat& replaced) {
    if (existing) {
        struct stat own {};
        if (::fstat(fd, &own) != 0) {
            return false;
        }
        if (own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid) {
            // Root keeps another user's file theirs. Anyone else can at most keep the group,
            // when they belong to it; the file is theirs now, as with every editor.
            if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 &&
                own.st_gid != replaced.st_gid) {
                (void)::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
            }
        }
        return ::fchmod(fd, replaced.st_mode & 0777) == 0;
    }
    return ::fchmod(fd, 0666 & ~currentUmask()) == 0;
}

// A folder that takes new names but never gives one up (append-only or immutable) would keep
// the temporary file: the rename and the removal both fail there. Such a folder is refused
// before anything is created in it.
bool folderKeepsEveryName(const std::filesystem::path& folder) {
#if defined(__linux__) && defined(FS_IOC_GETFLAGS)
    const FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(),
                                   O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    int flags = 0;
    if (fd.get() >= 0 && ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0) {
        return (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
    }
#else
    (void)folder;
#endif
    return false;
}

void syncFolder(const std::filesystem::path& folder) {
    const FileDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        (void)::fsync(fd.get());
    }
}

bool writeFileReplacingPosix(const std::filesystem::path& requested, std::string_view bytes,
                             const TemporaryFileObserver& observer) {
    std::filesystem::path target;
    bool existing = false;
    struct stat replaced {};
    if (!resolveSaveTarget(requested, target, existing, replaced)) {
        return false;
    }
    if (existing && !mayWrite(target)) {
        return false;
    }

    const std::filesystem::path folder = target.parent_path();
    if (folderKeepsEveryName(folder)) {
        return false;
    }
    std::mt19937_64 random = seededRandom();
    std::filesystem::path temporary;
    FileDescriptor file;
    for (int attempt = 0; attempt < 16 && file.get() < 0; ++attempt) {
        temporary = temporaryNameIn(folder, random);
        file.adopt(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (file.get() < 0) {
        return false;
    }

    bool written = writeAll(file.get(), bytes);
    // The data reach the disk before the rename publishes them, so that a crash never leaves
    // a target that lost what it held.
    written = written && ::fsync(file.get()) == 0;
    if (written && observer) {
        observer(temporary);
    }
    written = written && giveFinalAttributes(file.get(), existing, replaced);
    written = file.reset() && written;
    written = written && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

#else

bool writeFileReplacingPortable(const std::filesystem::path& requested, std::string_view bytes,
                                const TemporaryFileObserver& observer) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = requested;
    const fs::file_status linkStatus = fs::symlink_status(target, error);
    bool existing = false;
    if (fs::is_symlink(linkStatus)) {
        const fs::file_status status = fs::status(target, error);
        if (error || !fs::is_regular_file(status)) {
            return false;
        }
        target = fs::canonical(target, error);
        if (error) {
            return false;
        }
        existing = true;
    } else if (fs::exists(linkStatus)) {
        if (!fs::is_regular_file(linkStatus)) {
            return false;
        }
        existing = true;
    }
    if (existing) {
        std::FILE* probe = openFile(target, "ab");
        if (probe == nullptr) {
            return false;
        }
        std::fclose(probe);
    }

    std::mt19937_64 random = seededRandom();
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temporary = temporaryNameIn(target.parent_path(), random);
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
    written = std::ferror(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (written && observer) {
        observer(temporary);
    }
    if (written && existing) {
        fs::permissions(temporary, fs::status(target, error).permissions() & fs::perms::all,
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

#endif

}  // namespace

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path{std::u8string(text.begin(), text.end())};
}

std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#if defined(_WIN32)
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

ReadOpenResult openRegularFileForReading(const std::filesystem::path& path, FilePointer& file) {
    file.reset();
    if (path.empty()) {
        return ReadOpenResult::NotOpened;
    }
#if defined(LUMETRA_POSIX_FILES)
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        return ReadOpenResult::NotOpened;
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return ReadOpenResult::NotOpened;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > kMaxReadFileSize) {
        return ReadOpenResult::TooLarge;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    }
    file.reset(::fdopen(fd.get(), "rb"));
    if (!file) {
        return ReadOpenResult::NotOpened;
    }
    fd.release();
#else
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        return ReadOpenResult::NotOpened;
    }
    if (std::filesystem::file_size(path, error) > kMaxReadFileSize && !error) {
        return ReadOpenResult::TooLarge;
    }
    file.reset(openFile(path, "rb"));
    if (!file) {
        return ReadOpenResult::NotOpened;
    }
#endif
    return ReadOpenResult::Opened;
}

ReadOpenResult readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                               std::string& bytes) {
    bytes.clear();
    FilePointer file;
    const ReadOpenResult opened = openRegularFileForReading(path, file);
    if (opened != ReadOpenResult::Opened) {
        return opened;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > maxBytes) {
        return ReadOpenResult::TooLarge;
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + got > maxBytes) {
            bytes.clear();
            return ReadOpenResult::TooLarge;
        }
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get()) != 0) {
        bytes.clear();
        return ReadOpenResult::NotOpened;
    }
    return ReadOpenResult::Opened;
}

bool isExistingFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool writeFileReplacing(const std::filesystem::path& target, std::string_view bytes) {
    return writeFileReplacing(target, bytes, {});
}

bool writeFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                        const TemporaryFileObserver& observer) {
    if (target.empty()) {
        return false;
    }
#if defined(LUMETRA_POSIX_FILES)
    return writeFileReplacingPosix(target, bytes, observer);
#else
    return writeFileReplacingPortable(target, bytes, observer);
#endif
}

}  // namespace lumetra
