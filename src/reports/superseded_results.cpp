#include "reports/superseded_results.h"

#include <filesystem>

namespace vlt::reports {

SupersedeResult DeleteSupersededResults(const std::string& folder, const LogRules& rules,
                                        SupersedeMode mode, framework::LogOutput& log) {
  SupersedeResult result;
  log.ClearLogPane();
  log.AppendLogLine("Searching folder: " + DisplayPath(folder) +
                    " for Product: " + rules.product.name + " Version: " + rules.product.version);
  LogFolder read = ReadLogFolder(folder, rules, log);
  result.listed = read.listed;
  result.error = read.error;
  if (!read.listed) {
    log.AppendLogLine("Error opening directory");
    return result;
  }
  if (read.logs.empty()) return result;
  OrderLogs(read.logs);
  const std::string* newestCode = nullptr;
  for (const LogSummary& summary : read.logs) {
    if (!summary.notRead.empty()) {
      log.AppendLogLine("Not read : " + DisplayPath(summary.path) + ": " + summary.notRead +
                        "; kept, and it supersedes nothing");
      result.notRead.emplace_back(summary.path, summary.notRead);
      continue;
    }
    if (!summary.valid) continue;
    if (newestCode == nullptr || *newestCode != summary.code) {
      newestCode = &summary.code;
      log.AppendLogLine("Keeping  : " + DisplayPath(summary.path));
      result.kept.push_back(summary.path);
      continue;
    }
    result.superseded.push_back(summary.path);
    if (mode == SupersedeMode::kListOnly) {
      log.AppendLogLine("Would delete : " + DisplayPath(summary.path));
      continue;
    }
    log.AppendLogLine("Deleting : " + DisplayPath(summary.path));
    std::error_code error;
    std::filesystem::remove(summary.path, error);  // a log already gone is what was wanted
    if (error) {
      // The operator must not believe a log gone that is still there.
      log.AppendLogLine("Error: could not delete " + DisplayPath(summary.path) + " (" +
                        error.message() + ")");
      result.failed.push_back(summary.path);
    }
  }
  log.AppendLogLine(std::string(kRuleChars, '-'));
  return result;
}

}  // namespace vlt::reports
