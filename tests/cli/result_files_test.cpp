// The result files of vlt run and vlt demo: their options, and files that
// cannot be written, which never cost a saved log or an earlier result file.
#include "cli/result_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "compliance/static_dut_support.h"
#include "engine/saved_log.h"
#include "support/compliance_bench.h"
#include "support/file_limits.h"

namespace vlt::cli {
namespace {

namespace fs = std::filesystem;

TEST(ResultOptions, TheThreeOptionsAndAFileNameThatIsMissing) {
  const std::vector<std::string> args = {"--junit", "r.xml", "--timeline",
                                         "--out",   "logs",  "--json"};
  ResultFileOptions options;
  std::size_t i = 0;
  EXPECT_EQ(ReadResultOption(args, i, options), ResultOption::kTaken);
  EXPECT_EQ(i, 1U);
  EXPECT_EQ(options.junit, "r.xml");
  i = 2;
  EXPECT_EQ(ReadResultOption(args, i, options), ResultOption::kTaken);
  EXPECT_TRUE(options.timeline);
  i = 3;
  EXPECT_EQ(ReadResultOption(args, i, options), ResultOption::kNotOurs);
  EXPECT_EQ(i, 3U);
  i = 5;
  EXPECT_EQ(ReadResultOption(args, i, options), ResultOption::kMissingValue);
  EXPECT_FALSE(options.json);
  const std::vector<std::string> empty = {"--json", ""};
  i = 0;
  EXPECT_EQ(ReadResultOption(empty, i, options), ResultOption::kMissingValue);
}

struct ResultFilesFixture : ::testing::Test {
  fs::path folder;
  std::string logPath;
  std::unique_ptr<testing::ComplianceBench> bench;
  std::unique_ptr<engine::Test> test;

  void SetUp() override {
    char pattern[] = "/tmp/vlt-result-files.XXXXXX";
    folder = ::mkdtemp(pattern);
    logPath = (folder / "Widget_A10_2602031430.txt").string();
    bench = std::make_unique<testing::ComplianceBench>(compliance::static_scenario::Dut({}));
    compliance::static_scenario::MatchDutProfile(*bench);
    test = bench->Make("A10");
    ASSERT_TRUE(bench->Run(*test, 30'000));
    std::string error;
    ASSERT_TRUE(engine::SaveLog(logPath, bench->Text(), &error)) << error;
  }
  void TearDown() override {
    test.reset();
    bench.reset();
    fs::remove_all(folder);
  }
};

TEST_F(ResultFilesFixture, AFileThatCannotBeWrittenLeavesTheLogAndTheOtherFiles) {
  const std::string log = testing::FileBytes(logPath);
  ResultFileOptions options;
  options.junit = logPath + "/inside.xml";  // a "folder" that is the log itself
  options.json = (folder / "r.json").string();
  options.timeline = true;
  ResultFiles files(options);
  files.OnRunFinished(*test, logPath, true);
  files.Finish();
  EXPECT_TRUE(files.AnyNotWritten());
  EXPECT_EQ(testing::FileBytes(logPath), log);
  EXPECT_EQ(testing::FileBytes(folder / "r.json").rfind("{\n  \"format\": \"vlt-results\"", 0), 0U);
  // The timeline goes beside the log, under the log's name.
  const std::string svg = testing::FileBytes(folder / "Widget_A10_2602031430.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0U);
  EXPECT_NE(svg.find("Log File        : Widget_A10_2602031430.txt<"), std::string::npos);
  EXPECT_EQ(testing::FolderNames(folder),
            (std::vector<std::string>{"Widget_A10_2602031430.svg", "Widget_A10_2602031430.txt",
                                      "r.json"}));
}

TEST_F(ResultFilesFixture, AFullDiskKeepsTheEarlierResultFileWhole) {
  const fs::path junit = folder / "r.xml";
  {
    ResultFileOptions options;
    options.junit = junit.string();
    ResultFiles files(options);
    files.OnRunFinished(*test, logPath, true);
    files.Finish();
    ASSERT_FALSE(files.AnyNotWritten());
  }
  const std::string earlier = testing::FileBytes(junit);
  const int status = testing::RunWithFileSizeLimit(64, [&] {
    ResultFileOptions options;
    options.junit = junit.string();
    ResultFiles files(options);
    files.OnRunFinished(*test, logPath, false);
    files.Finish();
    return files.AnyNotWritten() ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing::FileBytes(junit), earlier);
  EXPECT_EQ(testing::FolderNames(folder),
            (std::vector<std::string>{"Widget_A10_2602031430.txt", "r.xml"}));
}

TEST_F(ResultFilesFixture, AnUnsavedLogHasNoTimelineThatCouldReplaceAnotherRuns) {
  // Another run saved its log and timeline under the name this run's log was to have.
  const fs::path other = folder / "Widget_A10_2602031430.svg";
  const std::string earlier = "<svg>another run's timeline</svg>\n";
  std::ofstream(other, std::ios::binary) << earlier;
  ResultFileOptions options;
  options.timeline = true;
  ResultFiles files(options);
  ::testing::internal::CaptureStderr();
  files.OnRunFinished(*test, logPath, false);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(files.AnyNotWritten());
  EXPECT_NE(said.find("the timeline of A10 was not written"), std::string::npos) << said;
  EXPECT_EQ(testing::FileBytes(other), earlier);
  EXPECT_EQ(testing::FolderNames(folder),
            (std::vector<std::string>{"Widget_A10_2602031430.svg", "Widget_A10_2602031430.txt"}));
}

}  // namespace
}  // namespace vlt::cli
