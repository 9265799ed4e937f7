// vlt run end to end: a real vlt-host with a simulated DUT, the vlt program, the
// saved logs and the profile it writes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/tester_lock.h"
#include "support/host_process.h"

namespace vlt {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path OnlyFileMatching(const std::filesystem::path& folder,
                                       const std::string& piece) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().find(piece) != std::string::npos) return entry.path();
  }
  return {};
}

TEST(VltRun, ReadsTheClaimRunsND10SavesBothLogsAndKeepsTheClaimInTheProfile) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:128"}));
  const std::filesystem::path out = host.RunDir() + "/logs";
  const std::string profile = host.RunDir() + "/bench.zcf";
  ASSERT_EQ(host.RunProgram("app/cli/vlt", {"profile", "new", profile}), 0);

  const std::string stdoutFile = host.RunDir() + "/stdout.txt";
  ASSERT_EQ(host.RunProgram("app/cli/vlt",
                            {"run", "RAC", "ND10", "--operator", "auto", "--out", out.string(),
                             "--profile", profile, "--set", "Product Name=Widget", "--set",
                             "Unsupported DGN 2=0", "--set", "Unsupported DGN 3=0"},
                            stdoutFile),
            0)
      << ReadFile(stdoutFile);

  const std::string rac = ReadFile(OnlyFileMatching(out, "Widget_RAC_"));
  EXPECT_NE(rac.find("Address Claim Received.   MfgID=291  ArbAddrCapFlag=0\r\n"),
            std::string::npos)
      << rac;
  EXPECT_NE(rac.find("  Packet: A5 A5 60 24 00 80 00 00\r\n"), std::string::npos);
  EXPECT_EQ(rac.find("\r\n\r\n"), std::string::npos);  // saved logs have no empty lines
  const std::string nd10 = ReadFile(OnlyFileMatching(out, "Widget_ND10_"));
  EXPECT_NE(nd10.find("Test ND10 complete.\r\n"), std::string::npos);

  // The answer Yes stored the claim, and the run wrote it back to the profile.
  EXPECT_NE(ReadFile(profile).find("Full ADDRESS_CLAIM Value=A5 A5 60 24 00 80 00 00"),
            std::string::npos)
      << ReadFile(profile);
}

// A test that needs the DUT's NAME, on a profile that never read one: said on
// stderr and in the log pane before the test starts, never in its saved report.
TEST(VltRun, SaysBeforeATestThatNeedsTheNameThatNoneWasRead) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const std::filesystem::path out = host.RunDir() + "/logs";
  const std::string stdoutFile = host.RunDir() + "/stdout.txt";
  const std::string stderrFile = host.RunDir() + "/stderr.txt";
  const std::string warning = "A110 needs the DUT's NAME, but \"Full ADDRESS_CLAIM Value\" still";
  host.RunProgram("app/cli/vlt", {"run", "A110", "--timeout", "2", "--out", out.string()},
                  stdoutFile, stderrFile);
  EXPECT_NE(ReadFile(stderrFile).find("vlt: " + warning), std::string::npos)
      << ReadFile(stderrFile);
  const std::string shown = ReadFile(stdoutFile);
  EXPECT_LT(shown.find(warning), shown.find("Test A110 ")) << shown;
  const std::string saved = ReadFile(OnlyFileMatching(out, "_A110_"));
  EXPECT_NE(saved.find("Test A110 "), std::string::npos) << saved;
  EXPECT_EQ(saved.find(warning), std::string::npos) << saved;

  // Read first, in the same run: nothing to say.
  host.RunProgram("app/cli/vlt", {"run", "RAC", "A110", "--timeout", "2", "--out", out.string()},
                  stdoutFile, stderrFile);
  EXPECT_EQ(ReadFile(stderrFile).find("needs the DUT's NAME"), std::string::npos)
      << ReadFile(stderrFile);
}

TEST(VltRun, RefusesBadSettingsMissingHostsAndASecondTester) {
  testing::HostProcess host;
  struct Case {
    std::vector<std::string> args;
    int exit;
  } usage[] = {
      {{"run", "RAC", "--set", "No Such Setting=1"}, 64},
      {{"run", "RAC", "--set", "DSA For Address Claiming=999"}, 64},
      {{"run", "RAC", "--set", "Manufacturer ID=2048"}, 64},  // beyond the NAME's 11 bits
      {{"run", "RAC", "--set", "missing equals"}, 64},
      {{"run", "B52"}, 64},
      {{"run"}, 64},
      {{"run", "RAC", "--operator", "robot"}, 64},
      {{"run", "RAC", "--profile", host.RunDir() + "/absent.zcf"}, 64},
      {{"run", "RAC"}, 69},  // no host in this run folder
  };
  for (const auto& c : usage) {
    EXPECT_EQ(host.RunProgram("app/cli/vlt", c.args), c.exit) << c.args.back();
  }

  ASSERT_TRUE(host.Start({"--dut", "static:128"}));
  platform::InstanceLock held;
  ASSERT_EQ(cli::AcquireTesterLock(held, host.RunDir()), 0);
  EXPECT_EQ(host.RunProgram("app/cli/vlt", {"run", "ND10"}), 75);
}

}  // namespace
}  // namespace vlt
