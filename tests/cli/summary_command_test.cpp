// vlt summary over the hand-made logs of the report tests: what it says on
// stderr about files it cannot read, and its exit status.
#include "cli/summary_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/run_command.h"
#include "cli/terminal.h"

namespace vlt::cli {
namespace {

namespace fs = std::filesystem;

TEST(SummaryCommand, NamesEachUnreadableLogAndExitsOneWhenATestDidNotPass) {
  const fs::path logs = fs::path(VLT_TESTS_DIR) / "reports" / "logs";
  std::ostringstream out, err;
  const int status = RunSummary(
      {logs.string(), "--set", "Product Name=Widget", "--set", "Product Version=2.1"}, out, err);
  EXPECT_EQ(status, 1);  // the newest A-10 log has DNP lines
  EXPECT_NE(out.str().find("A10     DNP  :  2"), std::string::npos) << out.str();
  const std::string warnings = err.str();
  EXPECT_NE(warnings.find("Widget_A60_2511091000.txt was left out: its report header"),
            std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("Widget_A70_2511101000.txt was left out"), std::string::npos);
  EXPECT_EQ(warnings.find("Widget_A10_2512011200.txt"), std::string::npos);  // another version

  std::ostringstream none, noneErr;
  EXPECT_EQ(RunSummary({"/nonexistent/folder"}, none, noneErr), kExitDataError);
  std::ostringstream help, helpErr;
  EXPECT_EQ(RunSummary({"--help"}, help, helpErr), kExitOk);
  EXPECT_NE(help.str().find("or 1 when the newest log of"), std::string::npos);
}

TEST(SummaryCommand, TheJsonFormSaysWhatTheTextFormSaysOnStderrAndInItsStatus) {
  const std::vector<std::string> args = {(fs::path(VLT_TESTS_DIR) / "reports" / "logs").string(),
                                         "--set", "Product Name=Widget", "--set",
                                         "Product Version=2.1"};
  std::ostringstream text, textErr;
  const int textStatus = RunSummary(args, text, textErr);
  std::vector<std::string> jsonArgs = args;
  jsonArgs.push_back("--json");
  std::ostringstream json, jsonErr;
  EXPECT_EQ(RunSummary(jsonArgs, json, jsonErr), textStatus);
  EXPECT_EQ(jsonErr.str(), textErr.str());
  EXPECT_TRUE(json.str().starts_with("{")) << json.str();
  EXPECT_NE(json.str().find("\"code\": \"A10\""), std::string::npos) << json.str();

  std::ostringstream none, noneErr;
  EXPECT_EQ(RunSummary({"/nonexistent/folder", "--json"}, none, noneErr), kExitDataError);
  EXPECT_TRUE(none.str().empty());
  EXPECT_TRUE(noneErr.str().starts_with("vlt: Error opening directory /nonexistent/folder: "));
}

}  // namespace
}  // namespace vlt::cli
