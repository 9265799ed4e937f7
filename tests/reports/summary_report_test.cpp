#include "reports/summary_report.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "support/virtual_time.h"

#include <filesystem>
#include <fstream>
#include <sstream>

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

std::tm ReportTime() {
  return vlt::testing::LocalTime(2026, 2, 3, 2, 14, 30, 0);
}

LogSummary ParseText(const std::string& path, const std::string& text) {
  std::istringstream in(text);
  return LogSummary::Parse(path, in, kWidget);
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
  SummaryInputs Inputs() const {
    return SummaryInputs{kWidget, ReportTime(), "Jan 21 2026", Catalogue};
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
  EXPECT_EQ(parsed.tally, (std::map<std::string, int>{{"PASS", 5}, {"____", 1}}));

  // A path of 14 characters leaves no room for a stamp; 15 does.
  EXPECT_FALSE(ParseText("/l/A2511011200", good).valid);
  EXPECT_EQ(ParseText("/l/A2511011200", good).fileStamp, "");
  EXPECT_TRUE(ParseText("/l/A2511011200.", good).valid);

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
  EXPECT_FALSE(LogSummary::Parse("/nonexistent/Widget_A10_2511011200.txt", kWidget).valid);
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
      DeleteSupersededResults(folder, kWidget, SupersedeMode::kListOnly, log);
  EXPECT_EQ(pane.Text(), Golden("supersede_list.golden", folder));
  EXPECT_EQ(result.superseded.size(), 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
}

TEST_F(ReportFixture, DeletionKeepsTheNewestLogPerCodeAndTouchesNothingInvalid) {
  const std::string folder = CopyOfLogs();
  const SupersedeResult result =
      DeleteSupersededResults(folder, kWidget, SupersedeMode::kDelete, log);
  EXPECT_TRUE(result.failed.empty());
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left,
            (std::vector<std::string>{"Widget_A100_2511111000.txt", "Widget_A10_2511021200.txt",
                                      "Widget_A10_2512011200.txt",  // another version
                                      "Widget_A110_2511121000.TXT", "Widget_A20_2511041000.txt",
                                      "Widget_A30_2511051000.txt", "Widget_A40_2511061000.txt",
                                      "Widget_A60_2511091000.txt",  // verbose: its header is unread
                                      "Widget_A70_2511101000.txt",  // no date
                                      "Widget_X99_2511071000.txt", "folder.txt", "readme.md"}));

  // The report over what is left is the report over the whole folder.
  const std::string deleted = pane.Text();
  EXPECT_NE(deleted.find("Deleting : " + folder + "/Widget_A10_2511011200.txt\r\n"),
            std::string::npos);
  pane.Clear();
  BuildSummaryReport(folder, Inputs(), log);
  EXPECT_EQ(pane.Text(), Golden("summary_report.golden", folder));
}

TEST_F(ReportFixture, TheOutcomeNamesUnreadableLogsAndWhetherAReportedTestDidNotPass) {
  const std::string folder = CopyOfLogs();
  std::ofstream(fs::path(folder) / "notes.txt") << "no report at all: not a log\n";
  SummaryOutcome outcome;
  ASSERT_TRUE(BuildSummaryReport(folder, Inputs(), log, &outcome));
  std::vector<std::string> unreadable;
  for (const auto& [path, why] : outcome.unreadable) {
    unreadable.push_back(fs::path(path).filename().string());
    EXPECT_FALSE(why.empty());
  }
  std::sort(unreadable.begin(), unreadable.end());
  // Another version and a file without a report are no fault of the file; a
  // verbose log and one without a date are.
  EXPECT_EQ(unreadable,
            (std::vector<std::string>{"Widget_A60_2511091000.txt", "Widget_A70_2511101000.txt"}));
  EXPECT_TRUE(outcome.anyDidNotPass);  // A10's newest log has two DNP lines

  fs::remove(fs::path(folder) / "Widget_A10_2511021200.txt");
  SummaryOutcome passing;
  ASSERT_TRUE(BuildSummaryReport(folder, Inputs(), log, &passing));
  EXPECT_FALSE(passing.anyDidNotPass);
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
