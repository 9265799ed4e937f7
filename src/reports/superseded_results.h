// "Delete Superseded Test Results": of the logs of the product and version in the
// settings, keeps the newest complete log of each test and deletes the others.
// Logs of other products or versions, incomplete and unreadable logs are never
// deleted and never decide which log is the newest: a newer log cut short
// leaves the complete one before it in place.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/log_output.h"
#include "reports/summary_report.h"

namespace vlt::reports {

// The desktop's question before the command, with its title.
inline constexpr const char* kSupersedeQuestionTitle = "Delete Superseded Tests";
inline constexpr const char* kSupersedeQuestion =
    "This will permanently delete test logs for the current product version.\r\n"
    "Are you sure you want to proceed?";

enum class SupersedeMode {
  kDelete,
  kListOnly,  // says what would be deleted and deletes nothing
};

struct SupersedeResult {
  bool listed = false;
  std::string error;  // why the folder could not be listed
  std::vector<std::string> kept;
  std::vector<std::string> superseded;  // deleted, or to be deleted when listing only
  std::vector<std::string> failed;      // superseded logs that could not be deleted
  std::vector<std::pair<std::string, std::string>> notRead;  // path, why; left as they are
};

// Runs the command over the folder the operator confirmed, into an emptied log pane.
SupersedeResult DeleteSupersededResults(const std::string& folder, const LogRules& rules,
                                        SupersedeMode mode, framework::LogOutput& log);

}  // namespace vlt::reports
