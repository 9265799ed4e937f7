#include "engine/report_layout.h"

#include <array>
#include <cstdio>

#include "reports/test_catalogue.h"

namespace vlt::engine {
namespace {

constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

// tm fields from outside may be out of range; clamp rather than index past the tables.
template <typename Table>
const char* NameOf(const Table& table, int i) {
  if (i < 0 || i >= static_cast<int>(table.size())) return "?";
  return table[static_cast<std::size_t>(i)];
}

}  // namespace

std::string Rule(char c) {
  return std::string(kRuleChars, c);
}

std::string Label(std::string_view name) {
  std::string text(name);
  if (text.size() < kLabelChars) text.append(kLabelChars - text.size(), ' ');
  return text + ": ";
}

std::string StartingTestLine(const TestIdentity& id) {
  return "Starting Test : " + id.code + "  " + id.specVersion + "   " + id.title;
}

std::string TestLine(const TestIdentity& id, std::string_view mark) {
  std::string code = id.code;
  if (code.size() < kCodeColumnChars) code.append(kCodeColumnChars - code.size(), ' ');
  return Label("Test") + code + " [" + id.specVersion + "]  " + id.title + std::string(mark);
}

std::vector<std::string> HeaderValueLines(const TestIdentity& id, const ReportHeaderValues& v) {
  return {
      Label("Code Version") + "Revised " + id.codeRevision + "              Compiled " +
          std::string(reports::kCompileDate),
      Label("Test Date/Time") + ReportDateTime(v.when),
      Label("Test Profile") + v.profile,
      Label("Company") + v.company,
      Label("Product Name") + v.productName,
      Label("Product Version") + v.productVersion,
      Label("Tested By") + v.testedBy,
  };
}

std::string ReportDateTime(const std::tm& when) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s, %s %02d, %d  %02d:%02d:%02d", NameOf(kDays, when.tm_wday),
                NameOf(kMonths, when.tm_mon), when.tm_mday, when.tm_year + 1900, when.tm_hour,
                when.tm_min, when.tm_sec);
  return text;
}

std::string LogNameTime(const std::tm& when) {
  char text[48];
  std::snprintf(text, sizeof(text), "%02d%02d%02d%02d%02d", (when.tm_year + 1900) % 100,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min);
  return text;
}

}  // namespace vlt::engine
