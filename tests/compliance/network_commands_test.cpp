// The command tests as a lab meets them on virtual time: commands from several
// sources, the state the DUT reports, settings that leave nothing to command,
// and the reports. Each criterion's fault is held by the fault table; these
// cases cover what the table cannot see.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "compliance/claim_scenario_support.h"
#include "compliance/network_scenario_support.h"
#include "host/devices/dimmer_load.h"
#include "host/devices/dut_common.h"

namespace vlt::compliance {
namespace {

using host::DutKind;
using scenario::Contains;

struct CommandBench : testing::ComplianceBench {
  CommandBench() : ComplianceBench(network_scenario::Dut(DutKind::kStatic)) {
    network_scenario::UseProfile(*this, DutKind::kStatic);
  }
};

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(NetworkCommands, Nd100CommandsFromThreeFreeAddressesAndLeavesTheLoadOff) {
  CommandBench bench;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> commands;  // source, priority
  std::uint8_t lastLevel = 0xFF;
  bench.host.SetFrameTap([&](const host::BusFrame& f, std::int64_t) {
    if (f.Dgn() == host::kDgnDimmerCommand) commands.push_back({f.SourceAddress(), f.Priority()});
    if (f.Dgn() == host::kDgnDimmerStatus) lastLevel = f.data[2];
  });
  auto test = bench.Make("ND100");
  ASSERT_TRUE(bench.Run(*test));
  const std::string text = bench.Text();
  const std::vector<std::pair<std::uint8_t, std::uint8_t>> expected = {
      {249, 6}, {248, 7}, {247, 6}, {249, 6}};
  EXPECT_EQ(commands, expected);
  EXPECT_EQ(lastLevel, 0) << "the load is not left off";
  EXPECT_TRUE(Contains(text, "Off from address 248, priority 7: state 00")) << text;
  EXPECT_FALSE(Contains(text, "DNP ")) << text;
}

// Settings that are valid on their own but leave a test nothing sensible to
// send: the criteria they decide go to the operator with the reason, no DNP,
// and no command goes out that the test cannot judge.
TEST(NetworkCommands, UnusableSettingsLeaveTheirCriteriaToTheOperator) {
  struct Case {
    const char* code;
    const char* setting;
    const char* value;
    const char* reason;
    int questions;     // criteria left to the operator, the closing one included
    int commandsSent;  // DC_DIMMER_COMMAND_2 frames on the wire
  } cases[] = {
      {"ND110", "Command DGN", "0", "Command DGN (0) and Status DGN (1FEDA) must both name a DGN.",
       4, 0},
      {"ND100", "Status DGN", "0", "Command DGN (1FEDB) and Status DGN (0) must both name a DGN.",
       3, 0},
      {"ND140", "Unused Instance", "1",
       "Unused Instance (1) must be an instance the DUT lacks, other than Command Instance.", 3, 3},
      {"ND130", "Unsupported DGN 1", "0", "No Unsupported DGN 1 is set (0 means not used).", 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + c.setting + "=" + c.value);
    CommandBench bench;
    ASSERT_TRUE(bench.Settings().SetValue(c.setting, c.value));
    int sent = 0;
    bench.host.SetFrameTap(
        [&](const host::BusFrame& f, std::int64_t) { sent += f.Dgn() == host::kDgnDimmerCommand; });
    auto test = bench.Make(c.code);
    ASSERT_TRUE(bench.Run(*test));
    const std::string text = bench.Text();
    EXPECT_TRUE(Contains(text, c.reason)) << text;
    EXPECT_EQ(CountOf(text, "____ :"), c.questions) << text;
    EXPECT_EQ(sent, c.commandsSent);
    EXPECT_FALSE(Contains(text, "DNP ")) << text;
  }
}

}  // namespace
}  // namespace vlt::compliance
