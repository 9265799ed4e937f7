// vlt run: runs tests one after the other against the host of $VLT_RUN_DIR and
// saves each log as "Save Log" does.
#pragma once

#include <string>
#include <vector>

namespace vlt::cli {

// Exit statuses of a run besides the common ones.
inline constexpr int kExitSomeCriterionFailed = 1;
inline constexpr int kExitTestAborted = 2;

int RunTests(const std::vector<std::string>& args);

}  // namespace vlt::cli
