// vlt summary over the hand-made logs of the report tests: what it says on
// stderr about files it cannot read, and its exit status; and the real program
// over a folder where the newest evidence is no complete report.
#include "cli/summary_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_command.h"
#include "cli/terminal.h"
#include "support/host_process.h"

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
  EXPECT_NE(warnings.find("Widget_A60_2511091000.txt not read: its report header"),
            std::string::npos)
      << warnings;
  EXPECT_NE(warnings.find("Widget_A70_2511101000.txt not read"), std::string::npos);
  EXPECT_EQ(warnings.find("Widget_A10_2512011200.txt"), std::string::npos);  // another version

  std::ostringstream none, noneErr;
  EXPECT_EQ(RunSummary({"/nonexistent/folder"}, none, noneErr), kExitDataError);
  std::ostringstream help, helpErr;
  EXPECT_EQ(RunSummary({"--help"}, help, helpErr), kExitOk);
  EXPECT_NE(help.str().find("or 1 when the newest log of"), std::string::npos);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The older A-10 log says DNP. A newer one cut to 1200 bytes, and a FIFO that no
// one writes (opening it would wait for ever), must neither hide that nor let
// supersede delete it; each is named and the summary exits 1.
TEST(SummaryCommand, TheRealProgramNeverTakesAnIncompleteFileForTheNewestResult) {
  testing::HostProcess folder;  // a private folder; no host is needed
  const fs::path logs = fs::path(folder.RunDir()) / "logs";
  fs::create_directories(logs);
  const fs::path hand = fs::path(VLT_TESTS_DIR) / "reports" / "logs";
  fs::copy_file(hand / "Widget_A10_2511021200.txt", logs / "Widget_A10_2511021200.txt");
  std::string newer = ReadFile(hand / "Widget_A10_2511011200.txt");
  newer.replace(newer.find("Saturday, November 01"), 21, "Monday, November 03");
  std::ofstream(logs / "Widget_A10_2511031200.txt", std::ios::binary) << newer.substr(0, 1200);
  ASSERT_EQ(::mkfifo((logs / "pipe.txt").c_str(), 0600), 0);

  const std::vector<std::string> widget = {"--set", "Product Name=Widget", "--set",
                                           "Product Version=2.1"};
  const std::string out = folder.RunDir() + "/out.txt", err = folder.RunDir() + "/err.txt";
  std::vector<std::string> summary = {"summary", logs.string()};
  summary.insert(summary.end(), widget.begin(), widget.end());
  testing::BackgroundProgram summarising("app/cli/vlt", summary, out, err);
  EXPECT_EQ(summarising.Wait(30'000), 1) << ReadFile(err);
  EXPECT_NE(ReadFile(out).find("A10     DNP  :  2"), std::string::npos) << ReadFile(out);
  EXPECT_NE(ReadFile(out).find("Widget_A10_2511031200.txt not read: it is cut short"),
            std::string::npos);
  EXPECT_NE(ReadFile(err).find("/pipe.txt not read: it is a FIFO"), std::string::npos)
      << ReadFile(err);

  std::vector<std::string> supersede = {"supersede", logs.string(), "--yes"};
  supersede.insert(supersede.end(), widget.begin(), widget.end());
  testing::BackgroundProgram deleting("app/cli/vlt", supersede, out, err);
  EXPECT_EQ(deleting.Wait(30'000), kExitOk) << ReadFile(err);
  EXPECT_TRUE(fs::exists(logs / "Widget_A10_2511021200.txt"));
  EXPECT_TRUE(fs::exists(logs / "Widget_A10_2511031200.txt"));
  EXPECT_NE(ReadFile(err).find("Widget_A10_2511031200.txt not read: it is cut short"),
            std::string::npos)
      << ReadFile(err);
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
