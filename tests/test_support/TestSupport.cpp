// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/TestSupport.h"

#include <atomic>
#include <chrono>
#include <random>
#include <system_error>

namespace lumetra::test {

TemporaryFolder::TemporaryFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate =
            base / ("lumetra-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

}  // namespace lumetra::test
