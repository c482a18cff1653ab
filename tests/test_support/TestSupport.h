// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace lumetra::test {

// Relative comparison for energies and other figures that pass through several relations.
inline ::testing::AssertionResult nearRelative(double actual, double expected,
                                               double relativeTolerance = 1e-9) {
    const double scale = std::max(std::abs(expected), 1e-300);
    if (std::abs(actual - expected) <= relativeTolerance * scale) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " is not within " << relativeTolerance << " (relative) of " << expected;
}

// A fresh folder under the system's temporary directory, removed again with the object.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace lumetra::test
