// The compiled-in test catalogue: every test's code, title, the RV-C version it
// was written against and its last code revision, by test index. Tests take
// their identity from it; the version report lists it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/log_output.h"

namespace vlt::reports {

inline constexpr std::string_view kCompileDate = "Jan 21 2026";
inline constexpr std::string_view kCompileTime = "09:41:20";
// The lookup answer for an index the catalogue does not hold.
inline constexpr std::string_view kNoEntryText = "Err";

inline constexpr std::size_t kCodeChars = 10;
inline constexpr std::size_t kTitleChars = 60;
inline constexpr std::size_t kSpecVersionChars = 10;
inline constexpr std::size_t kRevisionChars = 10;  // MM-DD-YYYY
inline constexpr std::string_view kNoRevision = "00-00-0000";

struct CatalogueEntry {
  std::string code;
  std::string title;
  std::string specVersion;
  std::string codeRevision;
};

// The program's catalogue is built from the table of tests (compliance/test_table.h).
class TestCatalogue {
 public:
  // Applies the field rules: texts cut to their widths, a revision of any
  // other length than ten becomes "00-00-0000".
  void Add(std::uint16_t index, std::string_view code, std::string_view title,
           std::string_view specVersion, std::string_view codeRevision);

  std::string Code(std::uint16_t index) const;
  std::string Title(std::uint16_t index) const;
  std::string SpecVersion(std::uint16_t index) const;
  std::string CodeRevision(std::uint16_t index) const;

  // In index order.
  const std::map<std::uint16_t, CatalogueEntry>& Entries() const { return entries_; }

  // "Program Compiled : ..." and one line per entry, in index order.
  std::vector<std::string> VersionReportLines() const;

 private:
  const CatalogueEntry* Find(std::uint16_t index) const;
  std::map<std::uint16_t, CatalogueEntry> entries_;
};

// "<program> <version> (Valmora Tester, compiled <date>)", what --version prints.
std::string ProgramVersionText(std::string_view program);

// "Get Version Report": appends the report to the log pane without emptying it.
void WriteVersionReport(const TestCatalogue& catalogue, framework::LogOutput& log);

}  // namespace vlt::reports
