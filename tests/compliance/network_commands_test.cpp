// The command tests as a lab meets them on virtual time: commands from several
// sources, the state the DUT reports, settings that leave nothing to command,
// and the reports. Each criterion's fault is held by the fault table; these
// cases cover what the table cannot see.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "compliance/claim_scenario_support.h"
#include "compliance/compliance_tests.h"
#include "compliance/network_scenario_support.h"
#include "host/devices/dimmer_load.h"
#include "host/devices/dut_common.h"
#include "host/devices/dut_faults.h"

namespace vlt::compliance {
namespace {

using host::DutKind;
using scenario::Contains;

struct CommandBench : testing::ComplianceBench {
  explicit CommandBench(host::DutFaults faults = {})
      : ComplianceBench(network_scenario::Dut(DutKind::kStatic, faults)) {
    network_scenario::UseProfile(*this, DutKind::kStatic);
  }
};

// A person at the bench: works the DUT's own control at once and confirms two
// seconds later; every other cue goes to the auto operator.
class PersonAtBench final : public engine::OperatorCues {
 public:
  explicit PersonAtBench(testing::ComplianceBench& bench) : bench_(bench) {}
  void Cue(engine::OperatorCue cue, std::string_view memo) override {
    own_ = cue == engine::OperatorCue::kWorkControl;
    if (!own_) return bench_.op.Cue(cue, memo);
    bench_.host.Control("dut switch");
    confirmAt_ = bench_.clock.NowMicros() + 2'000'000;
  }
  bool CueDone() const override {
    return own_ ? bench_.clock.NowMicros() >= confirmAt_ : bench_.op.CueDone();
  }
  std::optional<std::int64_t> CueDoneAtMicros() const override {
    if (!own_) return bench_.op.CueDoneAtMicros();
    return CueDone() ? std::optional<std::int64_t>(confirmAt_) : std::nullopt;
  }
  bool PersonActs() const override { return own_; }

 private:
  testing::ComplianceBench& bench_;
  bool own_ = false;
  std::int64_t confirmAt_ = 0;
};

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The second and third sources are the highest free addresses below the
// tester's: a node heard at F8h moves them down.
TEST(NetworkCommands, Nd100CommandsFromThreeFreeAddressesAndLeavesTheLoadOff) {
  using Commands = std::vector<std::pair<std::uint8_t, std::uint8_t>>;  // source, priority
  struct Case {
    std::optional<std::uint8_t> neighbour;
    Commands expected;
    const char* note;
  } cases[] = {
      {std::nullopt, {{249, 6}, {248, 7}, {247, 6}, {249, 6}}, "(the tester), 248 and 247"},
      {248, {{249, 6}, {247, 7}, {246, 6}, {249, 6}}, "(the tester), 247 and 246"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    CommandBench bench;
    Commands commands;
    std::uint8_t lastLevel = 0xFF;
    bench.host.SetFrameTap([&](const host::BusFrame& f, std::int64_t) {
      if (f.Dgn() == host::kDgnDimmerCommand) commands.push_back({f.SourceAddress(), f.Priority()});
      if (f.Dgn() == host::kDgnDimmerStatus) lastLevel = f.data[2];
    });
    auto test = bench.Make("ND100");
    test->Start();
    ASSERT_TRUE(scenario::StepUntil(
        bench, [&] { return Contains(bench.Text(), "Tester claiming address 249"); }, 20'000));
    if (c.neighbour) {
      const std::uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
      bench.host.InjectFrame(*host::MakeBusFrame(6, 0x1FFFF, *c.neighbour, data));
    }
    ASSERT_TRUE(scenario::StepUntil(
        bench, [&] { return !test->Running(); }, 120'000));
    const std::string text = bench.Text();
    EXPECT_EQ(commands, c.expected);
    EXPECT_TRUE(Contains(text, c.note)) << text;
    EXPECT_EQ(lastLevel, 0) << "the load is not left off";
    EXPECT_TRUE(Contains(
        text, "Off from address " + std::to_string(c.expected[1].first) + ", priority 7: state 00"))
        << text;
    EXPECT_FALSE(Contains(text, "DNP ")) << text;
  }
}

// The status after the DUT's own control: in time from the host's switch, a
// person's timing left to the operator, a report that waits for the periodic
// status wrong whoever worked the switch. Off leaves the load as found.
TEST(NetworkCommands, Nd150JudgesTheReportOfTheOwnControlByWhoWorkedIt) {
  struct Case {
    bool person;
    host::DutFaults faults;
    const char* verdict;
    const char* note;
  } cases[] = {
      {false, {}, "PASS : More than 250ms elapsed before own control and status.", "Delay = "},
      {true,
       {},
       "____ : More than 250ms elapsed before own control and status.",
       "after the operator confirmed (a person's timing)"},
      {false,
       {host::DutFault::kLocalStatusLate},
       "DNP  : More than 250ms elapsed before own",
       ", at the next periodic status"},
      {true,
       {host::DutFault::kLocalStatusLate},
       "DNP  : More than 250ms elapsed before own",
       ", at the next periodic status"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.person ? "person" : "auto") + " " + c.faults.Names());
    CommandBench bench(c.faults);
    PersonAtBench person(bench);
    engine::TestContext context = bench.Context();
    if (c.person) context.operatorCues = &person;
    std::uint8_t lastLevel = 0xFF;
    bench.host.SetFrameTap([&](const host::BusFrame& f, std::int64_t) {
      if (f.Dgn() == host::kDgnDimmerStatus) lastLevel = f.data[2];
    });
    auto test = compliance::MakeTest("ND150", context);
    ASSERT_TRUE(bench.Run(*test));
    const std::string text = bench.Text();
    EXPECT_TRUE(Contains(text, "PASS : Change by the DUT's own control not reported.")) << text;
    EXPECT_TRUE(Contains(text, "state 00 became C8")) << text;
    EXPECT_TRUE(Contains(text, c.verdict)) << text;
    EXPECT_TRUE(Contains(text, c.note)) << text;
    EXPECT_EQ(lastLevel, 0) << "the load is not left off";
  }
}

// When the DUT answers nothing, its answer's timing is no PASS: nothing was timed.
TEST(NetworkCommands, ATimingWithNothingToTimeIsLeftToTheOperator) {
  const struct {
    const char* code;
    host::DutFault fault;
    const char* verdict;
  } cases[] = {
      {"ND110", host::DutFault::kEmptyCmdSilent,
       "____ : More than 250ms elapsed before command and response."},
      {"ND150", host::DutFault::kNoLocalStatus,
       "____ : More than 250ms elapsed before own control and status."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    CommandBench bench({c.fault});
    auto test = compliance::MakeTest(c.code, bench.Context());
    ASSERT_TRUE(bench.Run(*test));
    EXPECT_TRUE(Contains(bench.Text(), c.verdict)) << bench.Text();
  }
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
