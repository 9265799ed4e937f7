// Verdicts on real time over real sockets: vlt-host with a simulated DUT, correct
// or with one fault, and `vlt run`; the criterion lines are read from the saved log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/host_process.h"

namespace vlt {
namespace {

struct VerdictCase {
  const char* code;
  std::vector<std::string> dut;  // vlt-host arguments
  const char* fault;             // empty: a correct DUT
  const char* dnpLine;           // a line the log must hold; empty: no "DNP " line at all
  int exit = 0;                  // of vlt run: 1 for a DNP, 2 when the test aborted too
};

const std::vector<std::string> kStatic = {"--dut", "static:253"};
const std::vector<std::string> kDynamic = {"--dut", "dynamic"};

std::vector<std::string> SettingsFor(const std::vector<std::string>& dut) {
  // The simulated NAME A5 A5 60 24 00 80 00 0x carries manufacturer code 291.
  const bool dynamic = dut == kDynamic;
  return {"--set", "Manufacturer ID=291", "--set",
          std::string("Full ADDRESS_CLAIM Value=A5 A5 60 24 00 80 00 ") + (dynamic ? "80" : "00")};
}

std::string SavedLog(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  return {};
}

// One test per case, so that ctest runs them side by side: each waits seconds of
// real time on its own host and run folder.
class VerdictsEndToEnd : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictsEndToEnd, CorrectDutsPassAndEachFaultFailsItsCriterion) {
  const VerdictCase& c = GetParam();
  testing::HostProcess host;
  std::vector<std::string> hostArgs = c.dut;
  if (*c.fault) {
    hostArgs.push_back("--dut-fault");
    hostArgs.push_back(c.fault);
  }
  ASSERT_TRUE(host.Start(hostArgs));
  const std::filesystem::path out = host.RunDir() + "/logs";
  std::vector<std::string> args = {"run", c.code, "--out", out.string()};
  for (const auto& s : SettingsFor(c.dut)) args.push_back(s);
  const int status = host.RunProgram("app/cli/vlt", args);
  const std::string log = SavedLog(out);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(status, c.exit) << log;
  if (*c.dnpLine) {
    EXPECT_NE(log.find(std::string("\r\n") + c.dnpLine), std::string::npos) << log;
  } else {
    EXPECT_EQ(log.find("\r\nDNP  : "), std::string::npos) << log;
    EXPECT_NE(log.find("\r\nPASS : "), std::string::npos) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, VerdictsEndToEnd,
    ::testing::Values(
        VerdictCase{"A10", kStatic, "", ""}, VerdictCase{"A10", kStatic, "wrong-mfg", "DNP  : ", 1},
        VerdictCase{"A20", kStatic, "", ""},
        VerdictCase{"A20", kStatic, "slow-answer", "DNP  : ", 1},
        VerdictCase{"A40", kDynamic, "", ""},
        VerdictCase{"A40", kDynamic, "global-request",
                    "DNP  : A global request for ADDRESS_CLAIM is transmitted.", 1},
        VerdictCase{"A60", kDynamic, "", ""},
        VerdictCase{"A60", kDynamic, "wrong-aac", "DNP  : Arbitrary Address Capable bit not 1.", 1},
        VerdictCase{"A110", kStatic, "", ""},
        // An answer from another address fails and the watch waits on until the time limit.
        VerdictCase{"A110", kStatic, "answer-from-other-address",
                    "DNP  : Source Address is incorrect.", 2}),
    [](const ::testing::TestParamInfo<VerdictCase>& info) {
      std::string name =
          std::string(info.param.code) + "_" + (*info.param.fault ? info.param.fault : "correct");
      for (char& ch : name) {
        if (ch == '-') ch = '_';
      }
      return name;
    });

}  // namespace
}  // namespace vlt
