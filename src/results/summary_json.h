// The summary report's table as JSON (format "vlt-summary", described by
// docs/vlt-summary.schema.json): the newest valid log of each test code in a
// folder, read and chosen exactly as "Build Summary Report" does, and every
// file it could not take as a result.
#pragma once

#include <string>

#include "reports/summary_report.h"

namespace vlt::results {

inline constexpr int kSummaryFormatVersion = 2;

struct SummaryJson {
  bool listed = false;  // false: the folder could not be listed or holds no .txt file
  std::string error;    // why not, in words
  std::string json;
};

// `folder` is a UTF-8 path.
SummaryJson WriteSummaryJson(const std::string& folder, const reports::SummaryInputs& inputs);
// From a folder already read (ReadLogFolder) and ordered (OrderLogs), so that a
// caller reporting more than the JSON reads each file once.
SummaryJson WriteSummaryJson(const std::string& folder, const reports::LogFolder& read,
                             const reports::SummaryInputs& inputs);

}  // namespace vlt::results
