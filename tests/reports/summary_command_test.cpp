#include "cli/summary_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/terminal.h"

namespace vlt::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kLogs = fs::path(VLT_TESTS_DIR) / "reports" / "logs";

struct ReportCommandFixture : ::testing::Test {
  std::ostringstream out, err;
  fs::path scratch;

  void SetUp() override {
    scratch = fs::path(::testing::TempDir()) /
              ("vlt_report_cli_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(scratch);
    fs::create_directories(scratch);
  }
  void TearDown() override { fs::remove_all(scratch); }

  template <typename Command>
  int Run(Command command, std::vector<std::string> args) {
    out.str("");
    err.str("");
    return command(args, out, err);
  }
};

TEST_F(ReportCommandFixture, SummaryFollowsTheProductOfTheSettings) {
  ASSERT_EQ(Run(RunSummary,
                {kLogs.string(), "--set", "Product Name=Widget", "--set", "Product Version=2.0"}),
            kExitOk)
      << err.str();
  const std::string report = out.str();
  EXPECT_NE(report.find("Product              : Widget  2.0\n"), std::string::npos);
  EXPECT_NE(report.find("     Monday, December 01, 2025  12:00:00 (Widget_A10_2512011200.txt) \n"),
            std::string::npos);
  EXPECT_EQ(report.find("A20"), std::string::npos);  // only the log of version 2.0

  ASSERT_EQ(Run(RunSummary, {kLogs.string()}), kExitOk);  // the default product has no logs
  EXPECT_NE(out.str().find("Product              : Default Product  0.0.0\n"), std::string::npos);
  EXPECT_EQ(out.str().find("A10"), std::string::npos);
}

TEST_F(ReportCommandFixture, ArgumentsAndFoldersThatCannotBeUsed) {
  EXPECT_EQ(Run(RunSummary, {"a", "b"}), kExitUsage);
  EXPECT_EQ(Run(RunSummary, {kLogs.string(), "--set", "Product Version"}), kExitUsage);
  EXPECT_EQ(Run(RunSummary, {kLogs.string(), "--yes"}), kExitUsage);  // only supersede deletes
  EXPECT_EQ(Run(RunSummary, {kLogs.string(), "--profile", "missing.zcf"}), kExitDataError);
  EXPECT_EQ(Run(RunSummary, {(scratch / "none").string()}), kExitDataError);
  EXPECT_NE(err.str().find("Error opening directory"), std::string::npos);
  EXPECT_EQ(Run(RunSupersede, {scratch.string(), "--yes"}), kExitDataError);  // no .txt file
}

TEST_F(ReportCommandFixture, SupersedeDeletesOnlyWithYes) {
  const fs::path folder = scratch / "logs";
  fs::copy(kLogs, folder);
  const std::vector<std::string> widget = {folder.string(), "--set", "Product Name=Widget", "--set",
                                           "Product Version=2.1"};
  ASSERT_EQ(Run(RunSupersede, widget), kExitOk);
  EXPECT_NE(err.str().find("nothing was deleted"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "Widget_A10_2511011200.txt"));

  std::vector<std::string> confirmed = widget;
  confirmed.push_back("--yes");
  ASSERT_EQ(Run(RunSupersede, confirmed), kExitOk) << err.str();
  EXPECT_FALSE(fs::exists(folder / "Widget_A10_2511011200.txt"));
  EXPECT_FALSE(fs::exists(folder / "Widget_A20_2511031000.txt"));
  EXPECT_TRUE(fs::exists(folder / "Widget_A10_2511021200.txt"));
  EXPECT_TRUE(fs::exists(folder / "Widget_A10_2512011200.txt"));
}

}  // namespace
}  // namespace vlt::cli
