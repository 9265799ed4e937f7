// Golden files: byte-exact texts kept next to the tests that use them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vlt::testing {

// On a mismatch the failure shows both texts line by line with the first
// difference marked, and leaves the actual text in the test's temporary folder.
::testing::AssertionResult MatchesGoldenFile(const std::string& actual,
                                             const std::filesystem::path& path);

}  // namespace vlt::testing
