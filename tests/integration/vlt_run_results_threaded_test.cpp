// vlt run's result files end to end: a real vlt-host, the vlt program, its
// JUnit, JSON and timeline files, and a result file that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/file_limits.h"
#include "support/host_process.h"

namespace vlt {
namespace {

namespace fs = std::filesystem;

TEST(VltRunResults, FilesBesideTheLogsAndExit73WhenOneCannotBeWritten) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:128"}));
  const fs::path out = host.RunDir() + "/logs";
  const std::string junit = host.RunDir() + "/results.xml";
  const std::string json = host.RunDir() + "/results.json";
  ASSERT_EQ(
      host.RunProgram("app/cli/vlt", testing::QuickRun({"--out", out.string(), "--junit", junit,
                                                        "--json", json, "--timeline"})),
      0);
  const std::vector<std::string> names = testing::FolderNames(out);
  ASSERT_EQ(names.size(), 2U);  // the log and its timeline
  EXPECT_TRUE(names[0].ends_with(".svg"));
  EXPECT_EQ(names[0].substr(0, names[0].size() - 4), names[1].substr(0, names[1].size() - 4));
  EXPECT_NE(testing::FileBytes(junit).find("<testsuite name=\"ND10 "), std::string::npos);
  EXPECT_NE(testing::FileBytes(json).find("\"log\": \"" + (out / names[1]).string() + "\""),
            std::string::npos);

  // A JUnit path in a folder that is a file: the log is saved all the same.
  fs::remove_all(out);
  const std::string blocked = json + "/results.xml";
  EXPECT_EQ(host.RunProgram("app/cli/vlt",
                            testing::QuickRun({"--out", out.string(), "--junit", blocked})),
            73);
  ASSERT_EQ(testing::FolderNames(out).size(), 1U);
  EXPECT_NE(testing::FileBytes(out / testing::FolderNames(out)[0]).find("Test ND10 complete."),
            std::string::npos);
  EXPECT_EQ(host.RunProgram("app/cli/vlt", {"run", "ND10", "--junit"}), 64);
}

}  // namespace
}  // namespace vlt
