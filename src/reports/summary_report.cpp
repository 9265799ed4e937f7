#include "reports/summary_report.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "data/clone_file.h"
#include "data/line_reader.h"
#include "platform/regular_file.h"
#include "platform/text_encoding.h"

#include "reports/test_catalogue.h"

namespace vlt::reports {

namespace {

constexpr std::string_view kTestLabel = "Test                 :";
constexpr std::string_view kCodeVersionLabel = "Code Version         :";
constexpr std::string_view kDateLabel = "Test Date/Time       :";
constexpr std::string_view kProductNameLabel = "Product Name         :";
constexpr std::string_view kProductVersionLabel = "Product Version      :";
constexpr std::string_view kReasonLabel = "Reason Skipped       :";
constexpr std::string_view kNotesLabel = "Testing Notes        :";
constexpr std::string_view kStartBannerLabel = "Starting Test : ";
constexpr std::string_view kEndLineStart = "Test ";
constexpr std::string_view kEndLineEnd = " complete.";
constexpr std::string_view kDisclaimerStart = "External testing cannot detect";
constexpr std::string_view kRevisedWord = "Revised ";
constexpr std::size_t kLogRevisionChars = 10;
// A criterion line carries its state tag before a colon within its first eight characters.
constexpr std::size_t kTagColonLimit = 8;
constexpr std::size_t kSummaryCodeChars = 8;
constexpr std::string_view kIndent = "     ";
constexpr std::string_view kWarningIndent = "            ";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Everything after the first colon and the blank that follows it.
std::string LabelValue(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon + 2 > line.size()) return {};
  return std::string(line.substr(colon + 2));
}

std::string TrimRight(std::string_view text, std::string_view characters) {
  const std::size_t end = text.find_last_not_of(characters);
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

std::string Trim(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return TrimRight(text.substr(begin), " \t");
}

std::string Rule() {
  return std::string(kRuleChars, '-');
}

std::optional<std::int64_t> DateKeyOf(std::string_view text) {
  const std::optional<std::tm> when = data::ParseLongDate(text, "  ");
  if (!when) return std::nullopt;
  std::int64_t key = when->tm_year + 1900;
  for (const int part :
       {when->tm_mon + 1, when->tm_mday, when->tm_hour, when->tm_min, when->tm_sec}) {
    key = key * 100 + part;
  }
  return key;
}

bool HasTxtExtension(std::string_view name) {
  constexpr std::string_view kExtension = ".txt";
  if (name.size() <= kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

}  // namespace

std::string ProgramCompileDate() {
  return std::string(kCompileDate);
}

ProductVersion ProductVersion::FromSettings(settings::SettingManager& store) {
  return ProductVersion{store.GetValue("Product Name", true),
                        store.GetValue("Product Version", true)};
}

LogSummary LogSummary::Parse(const std::string& path, const LogRules& rules) {
  platform::RegularFileReader file(path);
  if (!file.IsOpen()) {
    LogSummary summary;
    summary.path = path;
    summary.notRead = file.Error();
    summary.Finish(rules);
    return summary;
  }
  LogSummary summary = Parse(path, file.Stream(), rules);
  if (file.ReadFailed()) {
    summary.notRead = "it cannot be read (" + file.ReadError() + ")";
    summary.valid = false;
  }
  return summary;
}

LogSummary LogSummary::Parse(std::string path, std::istream& text, const LogRules& rules) {
  LogSummary summary;
  summary.path = std::move(path);
  data::LineReader reader(text, kMaxLogLineBytes);
  std::string line;
  bool anyText = false;
  while (reader.Next(line)) {
    if (line.empty()) continue;
    anyText = true;
    if (!summary.ReadLine(line)) break;
  }
  if (!anyText && summary.notRead.empty()) summary.notRead = "it is empty";
  summary.Finish(rules);
  return summary;
}

bool LogSummary::ReadLine(std::string_view line) {
  // A line after the product lines shows that the version line was read whole.
  if (productVersionLast_) productRead = productNameRead_;
  productVersionLast_ = false;
  if (data::HoldsControlBytes(line)) {
    notRead = "it holds binary data, not text";
    return false;
  }
  if (StartsWith(line, kTestLabel)) reportLine = true;
  if (StartsWith(line, kStartBannerLabel)) startBanner = true;
  if (StartsWith(line, kEndLineStart) && line.ends_with(kEndLineEnd)) endLine = true;
  if (StartsWith(line, kDisclaimerStart)) reportBegun_ = true;
  if (line.front() == '=' || line.front() == '-') return ++ruleCount <= kCriterionZoneRules;
  if (ruleCount == kHeaderZoneRules) {
    ReadHeaderLine(line);
  } else if (ruleCount == kCriterionZoneRules) {
    // A header a rule too late still says whose log it is.
    ReadProductLine(line);
    ReadCriterionLine(line);
  }
  return true;
}

void LogSummary::ReadProductLine(std::string_view line) {
  if (StartsWith(line, kProductNameLabel)) {
    productName = LabelValue(line);
    productNameRead_ = true;
  } else if (StartsWith(line, kProductVersionLabel)) {
    productVersion = LabelValue(line);
    productVersionLast_ = true;
  }
}

void LogSummary::ReadHeaderLine(std::string_view line) {
  if (StartsWith(line, kTestLabel)) {
    const std::size_t colon = line.find(':');
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']');
    // The code runs from two after the colon to two before the bracket.
    if (open != std::string_view::npos && open >= colon + 5) {
      code = TrimRight(line.substr(colon + 2, open - colon - 3), " ");
    }
    if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
      specText = std::string(line.substr(open, close - open + 1));
    }
    if (close != std::string_view::npos && close + 3 < line.size()) {
      title = std::string(line.substr(close + 3));
    }
  } else if (StartsWith(line, kCodeVersionLabel)) {
    const std::size_t revised = line.find(kRevisedWord);
    if (revised != std::string_view::npos &&
        line.size() >= revised + kRevisedWord.size() + kLogRevisionChars) {
      codeRevision = std::string(line.substr(revised + kRevisedWord.size(), kLogRevisionChars));
    }
  } else if (StartsWith(line, kDateLabel)) {
    dateText = LabelValue(line);
    when = DateKeyOf(dateText);
  } else if (StartsWith(line, kProductNameLabel) || StartsWith(line, kProductVersionLabel)) {
    ReadProductLine(line);
  } else if (StartsWith(line, kReasonLabel)) {
    reason = LabelValue(line);
    skipped = true;
  } else if (StartsWith(line, kNotesLabel)) {
    std::string note = Trim(LabelValue(line));
    if (!note.empty()) notes.push_back(std::move(note));
  }
}

void LogSummary::ReadCriterionLine(std::string_view line) {
  if (line.size() <= kTagColonLimit) return;
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon >= kTagColonLimit) return;
  ++tally[TrimRight(line.substr(0, colon), " :")];
}

namespace {

// " (N)" before the extension, as saving under a taken name adds it; 1 without.
int CopyNumberOf(std::string_view path, std::size_t& copyChars) {
  copyChars = 0;
  constexpr std::size_t kExtensionChars = 4;  // ".txt"
  if (path.size() < kExtensionChars + 4) return 1;
  const std::string_view stem = path.substr(0, path.size() - kExtensionChars);
  if (stem.back() != ')') return 1;
  const std::size_t open = stem.rfind(" (");
  if (open == std::string_view::npos) return 1;
  const std::string_view digits = stem.substr(open + 2, stem.size() - open - 3);
  if (digits.empty() || digits.size() > 4) return 1;
  int number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 1;
    number = number * 10 + (c - '0');
  }
  copyChars = stem.size() - open;
  return number;
}

}  // namespace

void LogSummary::Finish(const LogRules& rules) {
  std::size_t copyChars = 0;
  copy = CopyNumberOf(path, copyChars);
  const std::size_t stampEnd = path.size() - copyChars;
  if (stampEnd > kFileStampFromEnd)
    fileStamp = path.substr(stampEnd - kFileStampFromEnd, kFileStampChars);
  if (notRead.empty()) notRead = WhyIncomplete(rules);
  valid = notRead.empty() && reportLine && productName == rules.product.name &&
          productVersion == rules.product.version && !code.empty() && !specText.empty() &&
          !title.empty() && !codeRevision.empty() && !dateText.empty() && when.has_value();
}

std::string LogSummary::WhyIncomplete(const LogRules& rules) const {
  if (!reportLine) {
    // A run that wrote no report (Read ADDRESS_CLAIM, a declined report) still
    // wrote its end line, and no disclaimer.
    return (startBanner && !endLine) || reportBegun_ ? "it is cut short before its report"
                                                     : std::string();
  }
  if (productRead &&
      (productName != rules.product.name || productVersion != rules.product.version)) {
    return {};  // another product's log: none of this product's business
  }
  // A "Test" line stands in the file, yet nothing of the header was read
  // where the rules put it, though reading went past it: it lies elsewhere.
  if (code.empty() && codeRevision.empty() && dateText.empty() && ruleCount > kHeaderZoneRules) {
    return "its report header is not where the tester saves it (a log saved with the verbose "
           "trace on?)";
  }
  std::vector<std::string_view> missing;
  if (code.empty() || specText.empty() || title.empty()) missing.push_back("Test");
  if (codeRevision.empty()) missing.push_back("Code Version");
  if (dateText.empty()) missing.push_back("Test Date/Time");
  if (!productRead) missing.push_back("Product Name/Version");
  if (!missing.empty()) {
    std::string lines;
    for (const std::string_view label : missing) {
      lines += (lines.empty() ? "\"" : ", \"") + std::string(label) + "\"";
    }
    return "its report header lacks " + lines + " (cut short?)";
  }
  if (!when) return "its Test Date/Time does not read as a date";
  if (ruleCount <= kCriterionZoneRules) return "it is cut short: its report has no closing lines";
  if (skipped || !rules.criteria) return {};
  const std::optional<std::size_t> expected = rules.criteria(code);
  // Another revision of the test may have had other criteria.
  const std::optional<CatalogueVersions> entry =
      rules.catalogue ? rules.catalogue(code) : std::nullopt;
  const bool sameRevision = !rules.catalogue || (entry && entry->codeRevision == codeRevision &&
                                                 entry->specVersion == SpecVersion());
  if (!expected || !sameRevision || static_cast<std::size_t>(CriterionLines()) >= *expected) {
    return {};
  }
  return "it is cut short: it holds " + std::to_string(CriterionLines()) + " of the " +
         std::to_string(*expected) + " criteria of " + code;
}

int LogSummary::CriterionLines() const {
  int lines = 0;
  for (const auto& [tag, count] : tally) lines += count;
  return std::max(0, lines - 1);
}

std::string LogSummary::FileName() const {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void LogSummary::PrintResult(framework::LogOutput& log, const CatalogueLookup& catalogue) const {
  log.AppendLogLine(code + " " + title);
  if (skipped) {
    log.AppendLogLine(std::string(kIndent) + reason);
    for (const std::string& note : notes) log.AppendLogLine(std::string(kIndent) + note);
    return;
  }
  log.AppendLogLine(std::string(kIndent) + "Spec Version: " + specText +
                    "   Code Version: " + codeRevision + "    " + CatalogueWarning(catalogue));
  log.AppendLogLine(std::string(kIndent) + dateText + " (" + DisplayPath(FileName()) + ") ");
  for (const std::string& note : notes) log.AppendLogLine(std::string(kIndent) + note);
  PrintTally(log, kIndent);
}

std::string LogSummary::CatalogueWarning(const CatalogueLookup& catalogue) const {
  const std::optional<CatalogueVersions> entry = catalogue ? catalogue(code) : std::nullopt;
  if (!entry) return std::string(kWarningIndent) + "!!! INVALID TEST ID [" + code + "] !!!";
  const bool versionDiffers = SpecVersion() != entry->specVersion;
  const bool revisionDiffers = codeRevision != entry->codeRevision;
  if (!versionDiffers && !revisionDiffers) return {};
  std::string warning = std::string(kWarningIndent) + "!!!  Current:  ";
  if (versionDiffers) warning += entry->specVersion;
  if (revisionDiffers) warning += "   " + entry->codeRevision;
  return warning + "  !!!";
}

std::string LogSummary::SpecVersion() const {
  return specText.size() >= 2 ? specText.substr(1, specText.size() - 2) : std::string();
}

void LogSummary::PrintSummaryLine(framework::LogOutput& log) const {
  std::string prefix = code;
  if (prefix.size() < kSummaryCodeChars) prefix.append(kSummaryCodeChars - prefix.size(), ' ');
  if (skipped) {
    log.AppendLogLine(prefix + "  Skipped: " + reason);
    return;
  }
  PrintTally(log, prefix);
}

void LogSummary::PrintTally(framework::LogOutput& log, std::string_view prefix) const {
  std::string line(prefix);
  char column[64];
  for (const char* tag : {"DNP", "____", "PASS"}) {
    const auto it = tally.find(tag);
    std::snprintf(column, sizeof(column), "%-4s : %2d    ", tag,
                  it == tally.end() ? 0 : it->second);
    line += column;
  }
  for (const auto& [tag, count] : tally) {
    if (tag == "DNP" || tag == "____" || tag == "PASS") continue;
    std::snprintf(column, sizeof(column), " : %2d  ", count);
    line += tag + column;
  }
  log.AppendLogLine(line);
}

std::string FolderFile(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}

std::string DisplayPath(std::string_view path) {
  return platform::Utf8ToCp1252(path);
}

LogFolder ReadLogFolder(const std::string& folder, const LogRules& rules,
                        framework::LogOutput& log) {
  LogFolder result;
  std::error_code error;
  std::vector<std::string> names;
  // The error-code forms throughout: a folder that changes or fails while it is
  // listed must end the command with a message, not an exception.
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (HasTxtExtension(name) && !it->is_directory(typeError)) names.push_back(std::move(name));
  }
  if (error) {
    result.error = error.message();
    return result;
  }
  if (names.empty()) {
    result.error = "no .txt files";
    return result;
  }
  result.listed = true;
  std::sort(names.begin(), names.end());
  result.logs.reserve(names.size());
  for (const std::string& name : names) {
    log.AppendLogLine("Reading " + DisplayPath(name));
    result.logs.push_back(LogSummary::Parse(FolderFile(folder, name), rules));
  }
  return result;
}

void OrderLogs(std::vector<LogSummary>& logs) {
  std::stable_sort(logs.begin(), logs.end(), [](const LogSummary& a, const LogSummary& b) {
    if (a.code != b.code) return a.code < b.code;
    if (a.when != b.when) return a.when > b.when;  // a date that does not read goes last
    if (a.fileStamp != b.fileStamp) return a.fileStamp > b.fileStamp;
    return a.copy > b.copy;
  });
}

std::vector<const LogSummary*> NewestPerCode(const std::vector<LogSummary>& logs) {
  std::vector<const LogSummary*> newest;
  for (const LogSummary& summary : logs) {
    if (!summary.valid) continue;
    if (!newest.empty() && newest.back()->code == summary.code) continue;
    newest.push_back(&summary);
  }
  return newest;
}

SummaryOutcome SummaryOutcomeOf(const std::vector<LogSummary>& orderedLogs) {
  SummaryOutcome outcome;
  for (const LogSummary& summary : orderedLogs) {
    if (!summary.notRead.empty()) outcome.notRead.emplace_back(summary.path, summary.notRead);
  }
  for (const LogSummary* summary : NewestPerCode(orderedLogs)) {
    if (!summary->skipped && summary->tally.count("DNP") != 0) outcome.anyDidNotPass = true;
  }
  return outcome;
}

bool BuildSummaryReport(const std::string& folder, const SummaryInputs& inputs,
                        framework::LogOutput& log, SummaryOutcome* outcome) {
  log.AppendLogLine("Searching folder: " + DisplayPath(folder));
  LogFolder read = ReadLogFolder(folder, inputs.rules, log);
  if (!read.listed) {
    log.AppendLogLine("Error opening directory");
    return false;
  }
  if (read.logs.empty()) {
    log.AppendLogLine("No test logs found.");
    return true;
  }
  log.ClearLogPane();
  log.AppendLogLine(Rule());
  log.AppendLogLine("Product              : " + inputs.rules.product.name + "  " +
                    inputs.rules.product.version);
  log.AppendLogLine("Report Date/Time     : " + data::FormatLongDate(inputs.reportTime, "  "));
  log.AppendLogLine("VLT Compile          : " + inputs.compileDate);
  log.AppendLogLine(Rule());
  OrderLogs(read.logs);
  const std::vector<const LogSummary*> newest = NewestPerCode(read.logs);
  SummaryOutcome found = SummaryOutcomeOf(read.logs);
  for (const LogSummary* summary : newest) summary->PrintResult(log, inputs.rules.catalogue);
  log.AppendLogLine(Rule());
  for (const LogSummary* summary : newest) summary->PrintSummaryLine(log);
  log.AppendLogLine(Rule());
  // A file left out may hold newer evidence than the report shows: say so last,
  // where the eye ends.
  for (const LogSummary& summary : read.logs) {
    if (summary.notRead.empty()) continue;
    log.AppendLogLine(DisplayPath(summary.FileName()) + " not read: " + summary.notRead);
  }
  if (!found.notRead.empty()) log.AppendLogLine(Rule());
  if (outcome != nullptr) *outcome = std::move(found);
  return true;
}

}  // namespace vlt::reports
