// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading against what a folder may hold besides regular files: devices, FIFOs,
// links of every kind, long names, folders that keep every name, other users' files. Special
// files are made in a temporary folder; the cases that need root skip without it.
#include "persistence/FileAccess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"
#include "persistence/LocationChooser.h"
#include "test_support/OpeningState.h"
#include "test_support/TestSupport.h"

namespace lumetra {
namespace {

namespace fs = std::filesystem;
using test::OpeningState;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeContent(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Keeps a FIFO from blocking the test for ever: when the work has not finished after a few
// seconds, the FIFO's other end is opened once, which releases an open that waits for it.
// released() then tells that the work would have hung.
class FifoGuard {
  public:
    explicit FifoGuard(fs::path fifo) : fifo_(std::move(fifo)), thread_([this] { watch(); }) {}
    ~FifoGuard() { finish(); }

    void finish() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    bool released() const { return released_; }

  private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!done_) {
            if (!wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
                // Both ends, without waiting: whichever side the work opened gets its partner.
                const int reader = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK);
                const int writer = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
                released_ = true;
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                if (writer >= 0) {
                    ::close(writer);
                }
                if (reader >= 0) {
                    ::close(reader);
                }
                lock.lock();
            }
        }
    }

    fs::path fifo_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> released_{false};
    std::thread thread_;
};

// Sets or clears an inode flag (append-only, immutable); false where the file system has none.
bool setInodeFlag(const fs::path& path, int flag, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | flag) : (flags & ~flag);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// --- Saving ---

struct RefusedTargetCase {
    const char* name;
    // Makes the target in the folder; returns false when the system does not allow it here.
    std::function<bool(const fs::path& target)> make;
};

class RefusedSaveTargetTest : public ::testing::TestWithParam<RefusedTargetCase> {};

TEST_P(RefusedSaveTargetTest, GetsTheMessageAndStaysAsItWas) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "ziel.lumet";
    if (!GetParam().make(target)) {
        GTEST_SKIP() << "cannot make this kind of file here";
    }
    struct stat before {};
    ASSERT_EQ(::lstat(target.c_str(), &before), 0);
    const std::vector<std::string> namesBefore = namesIn(folder.path());

    OpeningState s;
    FifoGuard guard(target);
    EXPECT_EQ(saveDataFile(s.calculator, target), DataFileOutcome::SaveFailed);
    guard.finish();
    EXPECT_FALSE(guard.released()) << "saving waited for the other end of a FIFO";

    struct stat after {};
    ASSERT_EQ(::lstat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(namesIn(folder.path()), namesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    FileAccess, RefusedSaveTargetTest,
    ::testing::Values(
        RefusedTargetCase{"CharacterDevice",
                          [](const fs::path& target) {
                              // The device numbers of /dev/null.
                              return ::mknod(target.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
                          }},
        RefusedTargetCase{
            "Fifo", [](const fs::path& target) { return ::mkfifo(target.c_str(), 0600) == 0; }},
        RefusedTargetCase{
            "DanglingLink",
            [](const fs::path& target) { return ::symlink("fehlt.lumet", target.c_str()) == 0; }},
        RefusedTargetCase{"LinkLoop",
                          [](const fs::path& target) {
                              const fs::path other = target.parent_path() / "schleife.lumet";
                              return ::symlink(target.filename().c_str(), other.c_str()) == 0 &&
                                     ::symlink(other.filename().c_str(), target.c_str()) == 0;
                          }},
        RefusedTargetCase{"LinkToAFifo",
                          [](const fs::path& target) {
                              const fs::path fifo = target.parent_path() / "rohr";
                              return ::mkfifo(fifo.c_str(), 0600) == 0 &&
                                     ::symlink("rohr", target.c_str()) == 0;
                          }},
        RefusedTargetCase{"LinkToAFolder",
                          [](const fs::path& target) {
                              fs::create_directory(target.parent_path() / "ordner");
                              return ::symlink("ordner", target.c_str()) == 0;
                          }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FileAccessSave, LinkToARegularFileReplacesTheFileInItsOwnFolder) {
    test::TemporaryFolder folder;
    fs::create_directory(folder.path() / "daten");
    fs::create_directory(folder.path() / "links");
    const fs::path file = folder.path() / "daten" / "anlage.lumet";
    const fs::path link = folder.path() / "links" / "anlage.lumet";
    writeContent(file, "alt\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("../daten/anlage.lumet", link);

    OpeningState s;
    std::vector<fs::path> temporaries;
    ASSERT_TRUE(writeFileReplacing(link, dataFileBytes(s.calculator),
                                   [&](const fs::path& t) { temporaries.push_back(t); }));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), "../daten/anlage.lumet");
    EXPECT_EQ(contentOf(file), dataFileBytes(s.calculator));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(temporaries.size(), 1u);
    EXPECT_EQ(fs::canonical(temporaries[0].parent_path()), fs::canonical(file.parent_path()));
    EXPECT_EQ(namesIn(folder.path() / "daten"), std::vector<std::string>{"anlage.lumet"});
    EXPECT_EQ(namesIn(folder.path() / "links"), std::vector<std::string>{"anlage.lumet"});
}

TEST(FileAccessSave, TemporaryFileIsOwnerOnlyWithAShortNameBesideTheTarget) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "offen.lumet";
    writeContent(target, "alt\n");
    fs::permissions(target, fs::perms::all);  // 0777: nothing about the target hides it
    std::vector<fs::path> temporaries;
    std::vector<fs::perms> modes;
    ASSERT_TRUE(writeFileReplacing(target, "neu\n", [&](const fs::path& t) {
        temporaries.push_back(t);
        modes.push_back(fs::status(t).permissions() & fs::perms::all);
    }));
    ASSERT_EQ(temporaries.size(), 1u);
    EXPECT_EQ(modes[0], fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(temporaries[0].parent_path(), folder.path());
    EXPECT_LE(temporaries[0].filename().string().size(), 32u);
    EXPECT_EQ(contentOf(target), "neu\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::all);
}

TEST(FileAccessSave, NamesAtTheSystemsLimitCanBeSavedBack) {
    test::TemporaryFolder folder;
    for (std::size_t length : {234u, 250u, 255u}) {
        const std::string name = std::string(length - 6, 'a') + ".lumet";
        const fs::path target = folder.path() / name;
        writeContent(target, "alt\n");
        OpeningState s;
        EXPECT_EQ(saveDataFile(s.calculator, target), DataFileOutcome::Done) << length;
        EXPECT_EQ(contentOf(target), dataFileBytes(s.calculator)) << length;
        fs::remove(target);
    }
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST(FileAccessSave, FolderThatKeepsEveryNameGetsNoTemporaryFile) {
    test::TemporaryFolder folder;
    const fs::path locked = folder.path() / "nur-anhaengen";
    fs::create_directory(locked);
    writeContent(locked / "alt.lumet", "alt\n");
    if (!setInodeFlag(locked, FS_APPEND_FL, true)) {
        GTEST_SKIP() << "no append-only folders here (needs root and a file system with them)";
    }
    OpeningState s;
    EXPECT_EQ(saveDataFile(s.calculator, locked / "alt.lumet"), DataFileOutcome::SaveFailed);
    EXPECT_EQ(saveDataFile(s.calculator, locked / "neu.lumet"), DataFileOutcome::SaveFailed);
    const std::vector<std::string> names = namesIn(locked);
    setInodeFlag(locked, FS_APPEND_FL, false);
    EXPECT_EQ(names, std::vector<std::string>{"alt.lumet"});
    EXPECT_EQ(contentOf(locked / "alt.lumet"), "alt\n");
}

TEST(FileAccessSave, FailedRenameRemovesTheTemporaryFile) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "fest.lumet";
    writeContent(target, "alt\n");
    if (!setInodeFlag(target, FS_IMMUTABLE_FL, true)) {
        GTEST_SKIP() << "no immutable files here (needs root and a file system with them)";
    }
    const bool saved = writeFileReplacing(target, "neu\n");
    const std::vector<std::string> names = namesIn(folder.path());
    setInodeFlag(target, FS_IMMUTABLE_FL, false);
    EXPECT_FALSE(saved);
    EXPECT_EQ(names, std::vector<std::string>{"fest.lumet"});
    EXPECT_EQ(contentOf(target), "alt\n");
}

TEST(FileAccessSave, SetIdBitsAreNeverCopied) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "programm.lumet";
    writeContent(target, "alt\n");
    if (::chmod(target.c_str(), 06755) != 0 ||
        (fs::status(target).permissions() & fs::perms::set_uid) == fs::perms::none) {
        GTEST_SKIP() << "cannot set the set-user-id bit here";
    }
    ASSERT_TRUE(writeFileReplacing(target, "neu\n"));
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0755u);
}

TEST(FileAccessSave, NewFileGetsTheUsualModeOfTheUmask) {
    test::TemporaryFolder folder;
    const mode_t mask = ::umask(022);
    const bool saved = writeFileReplacing(folder.path() / "neu.lumet", "neu\n");
    ::umask(mask);
    ASSERT_TRUE(saved);
    struct stat after {};
    ASSERT_EQ(::stat((folder.path() / "neu.lumet").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0644u);
}

TEST(FileAccessSave, RootSavingOverAnotherUsersFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can save as another user's file's owner";
    }
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "fremd.lumet";
    writeContent(target, "alt\n");
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kNoGroup = 65534;
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNoGroup), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    OpeningState s;
    ASSERT_EQ(saveDataFile(s.calculator, target), DataFileOutcome::Done);
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, kNobody);
    EXPECT_EQ(after.st_gid, kNoGroup);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(contentOf(target), dataFileBytes(s.calculator));
}

// --- Loading ---

struct RefusedSourceCase {
    const char* name;
    std::function<bool(const fs::path& source)> make;
};

class RefusedLoadSourceTest : public ::testing::TestWithParam<RefusedSourceCase> {};

TEST_P(RefusedLoadSourceTest, DataFileIsNotFoundAndNothingChanges) {
    test::TemporaryFolder folder;
    const fs::path source = folder.path() / "quelle.lumet";
    if (!GetParam().make(source)) {
        GTEST_SKIP() << "cannot make this kind of file here";
    }
    OpeningState s;
    const std::string before = dataFileBytes(s.calculator);
    FifoGuard guard(source);
    EXPECT_EQ(loadDataFile(s.calculator, source), DataFileOutcome::NotFound);
    guard.finish();
    EXPECT_FALSE(guard.released()) << "loading waited for the other end of a FIFO";
    EXPECT_EQ(dataFileBytes(s.calculator), before);
}

TEST_P(RefusedLoadSourceTest, LocationDatabaseCannotBeOpened) {
    test::TemporaryFolder folder;
    const fs::path source = folder.path() / "SolarDatabase.csv";
    if (!GetParam().make(source)) {
        GTEST_SKIP() << "cannot make this kind of file here";
    }
    OpeningState s;
    std::string last;
    bool offered = false;
    FifoGuard guard(source);
    EXPECT_EQ(chooseLocation(s.calculator, source, last,
                             [&](const std::vector<std::string>&, std::size_t) {
                                 offered = true;
                                 return std::optional<std::size_t>();
                             }),
              ChooseLocationOutcome::CannotOpen);
    guard.finish();
    EXPECT_FALSE(guard.released()) << "the chooser waited for the other end of a FIFO";
    EXPECT_FALSE(offered);
}

INSTANTIATE_TEST_SUITE_P(
    FileAccess, RefusedLoadSourceTest,
    ::testing::Values(
        RefusedSourceCase{
            "Fifo", [](const fs::path& source) { return ::mkfifo(source.c_str(), 0600) == 0; }},
        RefusedSourceCase{"LinkToDevZero",
                          [](const fs::path& source) {
                              return fs::exists("/dev/zero") &&
                                     ::symlink("/dev/zero", source.c_str()) == 0;
                          }},
        RefusedSourceCase{"CharacterDevice",
                          [](const fs::path& source) {
                              // The device numbers of /dev/zero.
                              return ::mknod(source.c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0;
                          }},
        RefusedSourceCase{
            "DanglingLink",
            [](const fs::path& source) { return ::symlink("fehlt", source.c_str()) == 0; }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FileAccessLoad, FileBeyondTheSizeLimitGetsTheFormatMessageAndChangesNothing) {
    test::TemporaryFolder folder;
    const fs::path source = folder.path() / "riesig.lumet";
    writeContent(source, "Breitengrad = 12\n");
    // Sparse: takes no room on the disk.
    fs::resize_file(source, kMaxReadFileSize + 1);
    OpeningState s;
    const std::string before = dataFileBytes(s.calculator);
    const DataFileOutcome outcome = loadDataFile(s.calculator, source);
    EXPECT_EQ(dataFileMessage(outcome), "Die Datei hat das falsche Format !");
    EXPECT_EQ(dataFileBytes(s.calculator), before);
}

TEST(FileAccessLoad, ByteOrderMarkBeforeTheFirstLineIsPassedOver) {
    test::TemporaryFolder folder;
    const fs::path source = folder.path() / "bom.lumet";
    writeContent(source, "\xEF\xBB\xBF" + formatQuantityLine(Latitude, 48, true));
    OpeningState s;
    EXPECT_EQ(loadDataFile(s.calculator, source), DataFileOutcome::Done);
    EXPECT_EQ(s.value(Latitude), 48);
}

TEST(FileAccessLoad, ByteOrderMarkOfTheLocationDatabaseIsPassedOver) {
    test::TemporaryFolder folder;
    const fs::path source = folder.path() / "SolarDatabase.csv";
    writeContent(source, "\xEF\xBB\xBF; Ort;Breite\nWien;48.21;16.37;1150\n");
    OpeningState s;
    std::string last;
    std::vector<std::string> names;
    chooseLocation(s.calculator, source, last,
                   [&](const std::vector<std::string>& offered, std::size_t) {
                       names = offered;
                       return std::optional<std::size_t>();
                   });
    EXPECT_EQ(names, std::vector<std::string>{"Wien"});
}

}  // namespace
}  // namespace lumetra
