// The summary report over a folder of saved test logs: each log is read back by
// the labels of the report layout, the logs of the product and version in the
// settings are ordered by test code and newest first (by the report's own date),
// and the newest complete log of each test is reported. A file that cannot be
// taken as a result is named, never counted. The deletion of superseded results
// reads and orders the logs the same way, so both agree on which log is the newest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/log_output.h"
#include "settings/setting_manager.h"

namespace vlt::reports {

inline constexpr std::size_t kRuleChars = 80;
// The report header of a log lies between its third and fourth rule, its
// criteria between the fourth and fifth; reading stops after the fifth.
inline constexpr int kHeaderZoneRules = 3;
inline constexpr int kCriterionZoneRules = 4;
// The "%y%m%d%H%M" stamp of a default log name, before its ".txt"; it orders
// logs whose reports carry the same date.
inline constexpr std::size_t kFileStampChars = 10;
inline constexpr std::size_t kFileStampFromEnd = 14;
// Far beyond any line a test writes; longer lines are read through and cut.
inline constexpr std::size_t kMaxLogLineBytes = 64 * 1024;

// The versions the test catalogue holds for a test code.
struct CatalogueVersions {
  std::string specVersion;
  std::string codeRevision;
};
// The test catalogue as the summary reads it: the first entry, in the catalogue's
// key order, whose code equals the text; nothing for an unknown code.
using CatalogueLookup = std::function<std::optional<CatalogueVersions>(std::string_view code)>;

// How many criteria the current revision of a test reports; nothing for a code
// without a runnable test. The tests know it, so the front ends hand it in.
using CriterionCountLookup = std::function<std::optional<std::size_t>(std::string_view code)>;

// The program's compile date (the program's catalogue lookup is the compliance
// table's SummaryCatalogue).
std::string ProgramCompileDate();

// The product and version whose logs count: the settings "Product Name" and
// "Product Version", read without marking them used.
struct ProductVersion {
  std::string name;
  std::string version;
  static ProductVersion FromSettings(settings::SettingManager& store);
};

// What a log is read against: whose logs count, and what a complete report of
// each test holds. Without counts only the closing lines tell a complete report.
struct LogRules {
  ProductVersion product;
  CatalogueLookup catalogue;
  CriterionCountLookup criteria;
};

// One parsed log file.
struct LogSummary {
  bool valid = true;
  std::string code;
  std::string fileStamp;
  // A log saved where its name was taken ends in " (N).txt": N, newer than the
  // copies before it; 1 for every other name.
  int copy = 1;
  std::string path;
  std::string productName;
  std::string productVersion;
  std::string specText;  // "[10-2025]", brackets included
  std::string title;
  std::string codeRevision;
  std::string dateText;
  // The "Test Date/Time" as yyyymmddHHMMSS, which orders the logs; nothing when
  // the text does not read as a date.
  std::optional<std::int64_t> when;
  std::vector<std::string> notes;
  bool skipped = false;
  std::string reason;
  std::map<std::string, int> tally;  // criterion lines per state tag
  int ruleCount = 0;
  bool reportLine = false;   // a "Test" label line stands anywhere in it
  bool startBanner = false;  // a test's start banner
  bool endLine = false;      // a test's "Test <code> complete." line
  bool productRead = false;  // both product lines were read whole
  // Why the file cannot be taken as a result of any test, in words: it could
  // not be read, is no text, or holds a report cut short or laid out otherwise
  // (a log saved with the verbose trace on). Empty for a log that counts, one
  // of another product or version, and a file with no test in it (notes).
  std::string notRead;

  // Never fails: a file that cannot be read, or reads as anything but a
  // complete log of the product, is an invalid summary.
  static LogSummary Parse(const std::string& path, const LogRules& rules);
  static LogSummary Parse(std::string path, std::istream& text, const LogRules& rules);

  // Criterion lines of the report, its closing line not counted.
  int CriterionLines() const;
  void PrintResult(framework::LogOutput& log, const CatalogueLookup& catalogue) const;
  // The warning after the "Spec Version" line: an unknown code, or the
  // catalogue's current versions where the log's differ; empty when they match.
  std::string CatalogueWarning(const CatalogueLookup& catalogue) const;
  // `specText` without its brackets.
  std::string SpecVersion() const;
  // The file's name without its folder.
  std::string FileName() const;
  void PrintSummaryLine(framework::LogOutput& log) const;
  void PrintTally(framework::LogOutput& log, std::string_view prefix) const;

 private:
  // False when reading stops.
  bool ReadLine(std::string_view line);
  void ReadHeaderLine(std::string_view line);
  void ReadProductLine(std::string_view line);
  void ReadCriterionLine(std::string_view line);
  void Finish(const LogRules& rules);
  std::string WhyIncomplete(const LogRules& rules) const;

  bool productNameRead_ = false;
  bool reportBegun_ = false;         // the disclaimer that opens a report was read
  bool productVersionLast_ = false;  // the line read last was the product version
};

// The .txt files of a folder, each read into a summary.
struct LogFolder {
  bool listed = false;  // false: the folder could not be listed or holds no .txt file
  std::string error;    // why, in words, when not listed
  std::vector<LogSummary> logs;
};

// Reads the folder's files named *.txt (the extension in any case; folders so
// named are passed over), in name order so that a report repeats itself,
// writing "Reading <name>" for each. Only regular files are opened.
LogFolder ReadLogFolder(const std::string& folder, const LogRules& rules,
                        framework::LogOutput& log);
// Ascending by code (byte-wise), newest report date first within a code, then
// the newest name stamp, then the highest copy number; stable.
void OrderLogs(std::vector<LogSummary>& logs);
// The newest valid log of each code, from ordered logs.
std::vector<const LogSummary*> NewestPerCode(const std::vector<LogSummary>& logs);
// The joined path of a file of the folder.
std::string FolderFile(const std::string& folder, std::string_view name);
// File system paths shown in the log pane, which holds Windows-1252 text.
std::string DisplayPath(std::string_view path);

struct SummaryInputs {
  LogRules rules;
  std::tm reportTime{};
  std::string compileDate;
};

// What a summary found besides its text, for a command that reports it.
struct SummaryOutcome {
  std::vector<std::pair<std::string, std::string>> notRead;  // path, why
  bool anyDidNotPass = false;                                // a reported log has a "DNP" line
};

// The outcome of a summary over ordered logs (OrderLogs): every file not read,
// in that order, and whether a reported log has a "DNP" line.
SummaryOutcome SummaryOutcomeOf(const std::vector<LogSummary>& orderedLogs);

// "Build Summary Report" over the chosen folder, into the log pane. False when
// the folder could not be listed ("Error opening directory").
bool BuildSummaryReport(const std::string& folder, const SummaryInputs& inputs,
                        framework::LogOutput& log, SummaryOutcome* outcome = nullptr);

}  // namespace vlt::reports
