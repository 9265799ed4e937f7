// The fixed texts and line layouts of a test log: the start banner, the report
// header, the skipped-test record. The summary report reads saved logs back by
// these labels, so labels and widths never change.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace vlt::engine {

inline constexpr std::size_t kRuleChars = 80;
inline constexpr std::size_t kLabelChars = 21;  // the label column before ": "
inline constexpr std::size_t kCodeColumnChars = 8;

inline constexpr std::string_view kDisclaimer =
    "External testing cannot detect all possible bugs and failures.\r\n"
    "The results of this test shall not be interpreted as a certification or endorsement by any "
    "party.\r\n"
    "Passing these tests is not an absolute guarantee of RV-C compatibility or interoperability "
    "with other RV-C devices.";
inline constexpr std::string_view kOtherFailureModesLine =
    "____ : Logs have been examined for other possible failure modes.";
inline constexpr std::string_view kAbortedMark = "    ABORTED!!!";
inline constexpr std::string_view kSkippedMark = "    SKIPPED!!!";

// The four texts a test takes from the catalogue.
struct TestIdentity {
  std::string code;
  std::string title;
  std::string specVersion;
  std::string codeRevision;
};

// What the header lines show besides the identity.
struct ReportHeaderValues {
  std::tm when{};
  std::string profile;
  std::string company;
  std::string productName;
  std::string productVersion;
  std::string testedBy;
};

std::string Rule(char c);
// The label padded to the label column, then ": ".
std::string Label(std::string_view name);

// "Starting Test : A10  10-2025   Static Addressing Bootup".
std::string StartingTestLine(const TestIdentity& id);
// The "Test" line, followed by `mark` (empty, aborted or skipped).
std::string TestLine(const TestIdentity& id, std::string_view mark);
// "Code Version" to "Tested By", in order.
std::vector<std::string> HeaderValueLines(const TestIdentity& id, const ReportHeaderValues& v);

// "%A, %B %d, %Y  %H:%M:%S" in English whatever the locale.
std::string ReportDateTime(const std::tm& when);
// "%y%m%d%H%M".
std::string LogNameTime(const std::tm& when);

}  // namespace vlt::engine
