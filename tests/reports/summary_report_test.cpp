#include "reports/summary_report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/virtual_time.h"

#include "platform/log_pane.h"
#include "reports/superseded_results.h"

namespace vlt::reports {
namespace {

namespace fs = std::filesystem;

const fs::path kHere = fs::path(VLT_TESTS_DIR) / "reports";
const ProductVersion kWidget{"Widget", "2.1"};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Golden texts name the log folder as @FOLDER@, wherever the tests run.
std::string Golden(const std::string& name, const std::string& folder) {
  std::string text = ReadFile(kHere / name);
  for (std::size_t at; (at = text.find("@FOLDER@")) != std::string::npos;) {
    text.replace(at, 8, folder);
  }
  return text;
}

// The catalogue entries the hand-made logs were written against.
std::optional<CatalogueVersions> Catalogue(std::string_view code) {
  static const std::map<std::string, CatalogueVersions, std::less<>> entries = {
      {"A10", {"10-2025", "10-31-2025"}},  {"A20", {"10-2025", "10-31-2025"}},
      {"A30", {"10-2025", "10-31-2025"}},  {"A40", {"10-2025", "11-04-2025"}},
      {"A100", {"10-2025", "11-21-2025"}}, {"A110", {"10-2025", "11-21-2025"}},
  };
  const auto it = entries.find(code);
  if (it == entries.end()) return std::nullopt;
  return it->second;
}

// The criteria of the tests as the hand-made logs have them.
std::optional<std::size_t> Criteria(std::string_view code) {
  static const std::map<std::string, std::size_t, std::less<>> counts = {
      {"A10", 8}, {"A20", 4}, {"A30", 4}, {"A40", 7}, {"A100", 2}, {"A110", 3}};
  const auto it = counts.find(code);
  if (it == counts.end()) return std::nullopt;
  return it->second;
}

const LogRules kRules{kWidget, Catalogue, Criteria};

std::tm ReportTime() {
  return vlt::testing::LocalTime(2026, 2, 3, 2, 14, 30, 0);
}

LogSummary ParseText(const std::string& path, const std::string& text) {
  std::istringstream in(text);
  return LogSummary::Parse(path, in, kRules);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct ReportFixture : ::testing::Test {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  fs::path scratch;

  void SetUp() override {
    log.Attach(&pane);
    scratch = fs::path(::testing::TempDir()) /
              ("vlt_reports_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(scratch);
  }
  void TearDown() override {
    log.Detach();
    fs::remove_all(scratch);
  }
  // A copy of the hand-made logs that a test may delete from.
  std::string CopyOfLogs() {
    fs::create_directories(scratch);
    fs::copy(kHere / "logs", scratch / "logs");
    fs::create_directory(scratch / "logs" / "folder.txt");  // not a file: never read
    return (scratch / "logs").string();
  }
  SummaryInputs Inputs() const { return SummaryInputs{kRules, ReportTime(), "Jan 21 2026"}; }
  std::vector<std::string> Left(const std::string& folder) const {
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
      left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    return left;
  }
};

TEST_F(ReportFixture, SummaryOfTheHandMadeLogsIsByteExact) {
  const std::string folder = (kHere / "logs").string();
  EXPECT_TRUE(BuildSummaryReport(folder, Inputs(), log));
  EXPECT_EQ(pane.Text(), Golden("summary_report.golden", folder));
}

TEST_F(ReportFixture, FoldersThatCannotBeListedOrHoldNoLogs) {
  EXPECT_FALSE(BuildSummaryReport("/nonexistent/logs", Inputs(), log));
  EXPECT_EQ(pane.Text(), "Searching folder: /nonexistent/logs\r\nError opening directory\r\n");
  fs::create_directories(scratch);
  std::ofstream(scratch / "notes.md") << "x";
  pane.Clear();
  EXPECT_FALSE(BuildSummaryReport(scratch.string(), Inputs(), log));
  EXPECT_EQ(pane.Text(),
            "Searching folder: " + scratch.string() + "\r\nError opening directory\r\n");
}

TEST_F(ReportFixture, ReaderTakesOnlyCompleteLogsOfTheProduct) {
  const std::string good = ReadFile(kHere / "logs" / "Widget_A10_2511011200.txt");
  const std::string path = "/lab/Widget_A10_2511011200.txt";
  const LogSummary parsed = ParseText(path, good);
  EXPECT_TRUE(parsed.valid);       // its fields show in the golden report
  EXPECT_EQ(parsed.ruleCount, 5);  // reading stopped before the frame dump
  EXPECT_EQ(parsed.tally, (std::map<std::string, int>{{"PASS", 8}, {"____", 1}}));
  EXPECT_EQ(parsed.when, 20251101120000);

  // The report's date orders the logs, so any name the operator typed will do.
  EXPECT_TRUE(ParseText("/l/a.txt", good).valid);
  EXPECT_EQ(ParseText("/l/A2511011200", good).fileStamp, "");  // the stamp only breaks ties
  EXPECT_EQ(ParseText("/l/2511011200.txt", good).fileStamp, "2511011200");

  // LF line ends and a missing last line end read the same.
  std::string unix = good;
  std::erase(unix, '\r');
  unix.pop_back();
  EXPECT_EQ(ParseText(path, unix).tally, parsed.tally);

  // Each missing field spoils the log.
  for (const std::string label : {"Test                 :", "Code Version         :",
                                  "Test Date/Time       :", "Product Name         :"}) {
    std::string damaged = good;
    const std::size_t at = damaged.find(label);
    damaged.replace(at, damaged.find('\r', at) - at, label);
    EXPECT_FALSE(ParseText(path, damaged).valid) << label;
  }
  EXPECT_FALSE(ParseText(path, "").valid);
  EXPECT_FALSE(LogSummary::Parse("/nonexistent/Widget_A10_2511011200.txt", kRules).valid);
}

TEST_F(ReportFixture, TestLineFieldsNeedTheirBrackets) {
  const auto testLine = [](const std::string& line) {
    return ParseText("/lab/Widget_A10_2511011200.txt", std::string(3, '\n') + "=\n=\n=\n" + line);
  };
  EXPECT_EQ(testLine("Test                 : A10      [10-2025]  Title").code, "A10");
  EXPECT_EQ(testLine("Test                 : X [v]").code, "");  // one character is too short
  EXPECT_EQ(testLine("Test                 : AB [v]").code, "AB");
  EXPECT_EQ(testLine("Test                 : A10 no brackets").code, "");
  EXPECT_EQ(testLine("Test                 : A10  ]x[").specText, "");
  EXPECT_EQ(testLine("Test                 : A10  [v]").title, "");
  EXPECT_EQ(testLine("Code Version         : Revised 10-31-202").codeRevision, "");
}

TEST_F(ReportFixture, ListingOnlyNamesTheSupersededLogsAndDeletesNothing) {
  const std::string folder = CopyOfLogs();
  const std::size_t before =
      std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  const SupersedeResult result =
      DeleteSupersededResults(folder, kRules, SupersedeMode::kListOnly, log);
  EXPECT_EQ(pane.Text(), Golden("supersede_list.golden", folder));
  EXPECT_EQ(result.superseded.size(), 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
}

TEST_F(ReportFixture, DeletionKeepsTheNewestLogPerCodeAndTouchesNothingInvalid) {
  const std::string folder = CopyOfLogs();
  const SupersedeResult result =
      DeleteSupersededResults(folder, kRules, SupersedeMode::kDelete, log);
  EXPECT_TRUE(result.failed.empty());
  EXPECT_EQ(Left(folder),
            (std::vector<std::string>{"Widget_A100_2511111000.txt", "Widget_A10_2511021200.txt",
                                      "Widget_A10_2512011200.txt",  // another version
                                      "Widget_A110_2511121000.TXT", "Widget_A20_2511041000.txt",
                                      "Widget_A30_2511051000.txt", "Widget_A40_2511061000.txt",
                                      "Widget_A60_2511091000.txt",  // verbose: its header is unread
                                      "Widget_A70_2511101000.txt",  // no date: not read
                                      "Widget_X99_2511071000.txt", "folder.txt", "readme.md"}));

  // The report over what is left is the report over the whole folder.
  const std::string deleted = pane.Text();
  EXPECT_NE(deleted.find("Deleting : " + folder + "/Widget_A10_2511011200.txt\r\n"),
            std::string::npos);
  pane.Clear();
  BuildSummaryReport(folder, Inputs(), log);
  EXPECT_EQ(pane.Text(), Golden("summary_report.golden", folder));
}

TEST_F(ReportFixture, TheOutcomeNamesTheFilesNotReadAndWhetherAReportedTestDidNotPass) {
  const std::string folder = CopyOfLogs();
  std::ofstream(fs::path(folder) / "notes.txt") << "no report at all: not a log\n";
  SummaryOutcome outcome;
  ASSERT_TRUE(BuildSummaryReport(folder, Inputs(), log, &outcome));
  std::vector<std::string> notRead;
  for (const auto& [path, why] : outcome.notRead) {
    notRead.push_back(fs::path(path).filename().string());
    EXPECT_FALSE(why.empty());
  }
  std::sort(notRead.begin(), notRead.end());
  // Another version and a file without a report are no fault of the file; a
  // verbose log and one without a date are.
  EXPECT_EQ(notRead,
            (std::vector<std::string>{"Widget_A60_2511091000.txt", "Widget_A70_2511101000.txt"}));
  EXPECT_TRUE(outcome.anyDidNotPass);  // A10's newest log has two DNP lines

  fs::remove(fs::path(folder) / "Widget_A10_2511021200.txt");
  SummaryOutcome passing;
  ASSERT_TRUE(BuildSummaryReport(folder, Inputs(), log, &passing));
  EXPECT_FALSE(passing.anyDidNotPass);
}

// The older log says DNP; a newer one that cannot be taken as a result must
// neither hide it nor get it deleted.
TEST_F(ReportFixture, AFileThatIsNoCompleteReportIsNamedAndNeverCounted) {
  const std::string dnp = ReadFile(kHere / "logs" / "Widget_A10_2511021200.txt");
  const std::string newer = Replaced(ReadFile(kHere / "logs" / "Widget_A10_2511011200.txt"),
                                     "Saturday, November 01, 2025", "Monday, November 03, 2025");
  const std::string closing = "____ : Logs have been examined";
  const std::size_t third = newer.find("PASS : Criterion 3 holds");
  const std::string withoutThird =
      newer.substr(0, third) + newer.substr(newer.find('\n', third) + 1);
  struct Case {
    std::string text;  // empty: a FIFO
    std::string why;
  } cases[] = {
      {newer.substr(0, 1200), "it is cut short: its report has no closing lines"},
      {newer.substr(0, newer.find(closing)), "it is cut short: its report has no closing lines"},
      {withoutThird, "it is cut short: it holds 7 of the 8 criteria of A10"},
      {newer.substr(0, newer.find("Test A10 complete.")), "it is cut short before its report"},
      {newer.substr(0, newer.find("Test          ")), "it is cut short before its report"},
      {newer.substr(0, newer.find("Product Version")),
       "its report header lacks \"Product Name/Version\" (cut short?)"},
      {Replaced(newer, "Monday, November 03, 2025", "Someday"),
       "its Test Date/Time does not read as a date"},
      {"\r\n\r\n", "it is empty"},
      {newer.substr(0, 300) + std::string("\0\x01\x02PK", 5) + newer.substr(300),
       "it holds binary data, not text"},
      {"", "it is a FIFO"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    std::ofstream(scratch / "Widget_A10_2511021200.txt", std::ios::binary) << dnp;
    const fs::path file = scratch / "retest.txt";
    if (c.text.empty()) {
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);  // no writer: opening it would wait for ever
    } else {
      std::ofstream(file, std::ios::binary) << c.text;
    }
    pane.Clear();
    SummaryOutcome outcome;
    ASSERT_TRUE(BuildSummaryReport(scratch.string(), Inputs(), log, &outcome));
    EXPECT_EQ(outcome.notRead,
              (std::vector<std::pair<std::string, std::string>>{{file.string(), c.why}}));
    EXPECT_TRUE(outcome.anyDidNotPass);
    EXPECT_NE(pane.Text().find("A10     DNP  :  2"), std::string::npos) << pane.Text();
    EXPECT_NE(pane.Text().find("\r\nretest.txt not read: " + c.why + "\r\n" +
                               std::string(kRuleChars, '-') + "\r\n"),
              std::string::npos)
        << pane.Text();

    pane.Clear();
    const SupersedeResult kept =
        DeleteSupersededResults(scratch.string(), kRules, SupersedeMode::kDelete, log);
    EXPECT_EQ(kept.kept,
              std::vector<std::string>{(scratch / "Widget_A10_2511021200.txt").string()});
    EXPECT_EQ(kept.notRead.size(), 1u);
    EXPECT_EQ(Left(scratch.string()),
              (std::vector<std::string>{"Widget_A10_2511021200.txt", "retest.txt"}));
    EXPECT_NE(pane.Text().find("Not read : " + file.string() + ": " + c.why + "; kept"),
              std::string::npos)
        << pane.Text();
  }
}

TEST_F(ReportFixture, AFileThatCannotBeOpenedIsNamed) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  fs::create_directories(scratch);
  const fs::path file = scratch / "Widget_A10_2511031200.txt";
  std::ofstream(file) << "x";
  fs::permissions(file, fs::perms::none);
  const LogSummary summary = LogSummary::Parse(file.string(), kRules);
  EXPECT_EQ(summary.notRead, "it cannot be opened (Permission denied)");
}

// Names the operator typed order nothing: the report's own date does.
TEST_F(ReportFixture, TheNewestReportWinsWhateverTheFilesAreCalled) {
  fs::create_directories(scratch);
  const std::string pass = ReadFile(kHere / "logs" / "Widget_A10_2511011200.txt");
  const std::string dnp = ReadFile(kHere / "logs" / "Widget_A10_2511021200.txt");
  std::ofstream(scratch / "a first run.txt", std::ios::binary) << Replaced(
      pass, "Saturday, November 01, 2025  12:00:00", "Monday, November 03, 2025  09:00:00");
  std::ofstream(scratch / "b retest after fix.txt", std::ios::binary) << Replaced(
      dnp, "Sunday, November 02, 2025  12:00:00", "Monday, November 03, 2025  09:00:01");
  SummaryOutcome outcome;
  ASSERT_TRUE(BuildSummaryReport(scratch.string(), Inputs(), log, &outcome));
  EXPECT_TRUE(outcome.anyDidNotPass);
  EXPECT_NE(pane.Text().find("     Monday, November 03, 2025  09:00:01 (b retest after fix.txt) "),
            std::string::npos)
      << pane.Text();

  DeleteSupersededResults(scratch.string(), kRules, SupersedeMode::kDelete, log);
  EXPECT_EQ(Left(scratch.string()), std::vector<std::string>{"b retest after fix.txt"});
}

TEST_F(ReportFixture, ALogSavedUnderATakenNameIsNewerThanTheOneItWasNamedAfter) {
  const std::string text = ReadFile(kHere / "logs" / "Widget_A10_2511011200.txt");
  const LogSummary plain = ParseText("/lab/Widget_A10_2511011200.txt", text);
  const LogSummary second = ParseText("/lab/Widget_A10_2511011200 (2).txt", text);
  const LogSummary third = ParseText("/lab/Widget_A10_2511011200 (3).txt", text);
  const LogSummary later = ParseText("/lab/Widget_A10_2511011201.txt", text);
  EXPECT_EQ(second.fileStamp, "2511011200");
  EXPECT_EQ(second.copy, 2);
  EXPECT_TRUE(second.valid);
  EXPECT_EQ(ParseText("/lab/Widget_A10_2511011200 (x).txt", text).copy, 1);
  std::vector<LogSummary> logs{plain, third, later, second};
  OrderLogs(logs);
  std::vector<std::string> order;
  for (const LogSummary& l : logs) order.push_back(fs::path(l.path).filename().string());
  EXPECT_EQ(order, (std::vector<std::string>{
                       "Widget_A10_2511011201.txt", "Widget_A10_2511011200 (3).txt",
                       "Widget_A10_2511011200 (2).txt", "Widget_A10_2511011200.txt"}));
}

}  // namespace
}  // namespace vlt::reports
