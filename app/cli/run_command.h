// vlt run: runs tests one after the other against the host of $VLT_RUN_DIR and
// saves each log as "Save Log" does.
#pragma once

#include <ctime>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vlt::cli {

// Exit statuses of a run besides the common ones.
inline constexpr int kExitSomeCriterionFailed = 1;
inline constexpr int kExitTestAborted = 2;

int RunTests(const std::vector<std::string>& args);

// Puts into the profile on disk only what tests stored (title to value, as the
// settings hold them): values given with --set never reach the file. A profile
// that saving would damage is not rewritten unless `force`; `err` says so and
// how to keep the values. False only when it could not be read or written.
bool WriteStoredBack(const std::string& profile, const std::map<std::string, std::string>& stored,
                     const std::tm& now, std::ostream& err, bool force = false);

}  // namespace vlt::cli
