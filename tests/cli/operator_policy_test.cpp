#include "cli/operator_policy.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"

namespace vlt::cli {
namespace {

using engine::OperatorCue;

// Records each command; answers at once unless `holdAnswers`, then on Answer().
class RecordingControl : public DutControl {
 public:
  void Send(std::string command, Confirmed confirmed) override {
    sent.push_back(command);
    switched.clear();
    for (const std::string& line : sent) {
      if (line.starts_with("dut power ")) switched.push_back(line == "dut power on");
    }
    if (holdAnswers) {
      held = std::move(confirmed);
    } else if (confirmed) {
      confirmed(true);
    }
  }
  void Answer() {
    if (held) held(true);
    held = {};
  }
  std::vector<std::string> sent;
  std::vector<bool> switched;
  bool holdAnswers = false;
  Confirmed held;
};

TEST(AutoOperator, PowersTheDutWhenCuedAndPressesSpaceBrieflyWhenPrompted) {
  platform::ManualClock clock;
  RecordingControl power;
  AutoOperator op(power, clock);
  op.Cue(OperatorCue::kPowerOff, "Start with an empty network, DUT powered off or disconnected.");
  op.Cue(OperatorCue::kPowerOn, "Power Up DUT");
  EXPECT_EQ(power.switched, (std::vector<bool>{false, true}));
  EXPECT_TRUE(op.CueDone());

  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));
  op.KeyPrompt("Press <space> to transmit competing ADDRESS_CLAIM message.");
  EXPECT_TRUE(op.IsKeyDown(platform::kSpaceBarKey));
  EXPECT_FALSE(op.IsKeyDown(65));  // only the space bar
  clock.AdvanceMicros(AutoOperator::kKeyPressMicros);
  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));  // released again
}

// Each action on the DUT is one host command; the cue is done, and its moment
// stamped, when the host answers, not when it was sent.
TEST(AutoOperator, ActsOnTheDutThroughTheHostAndIsDoneWhenTheHostAnswers) {
  const std::pair<OperatorCue, std::string> actions[] = {
      {OperatorCue::kCauseFault, "dut fault on"},
      {OperatorCue::kRemoveFault, "dut fault off"},
      {OperatorCue::kWorkControl, "dut switch"},
  };
  for (const auto& [cue, command] : actions) {
    platform::ManualClock clock;
    RecordingControl control;
    control.holdAnswers = true;
    AutoOperator op(control, clock);
    EXPECT_FALSE(op.PersonActs());
    op.Cue(cue, "memo");
    EXPECT_EQ(control.sent, (std::vector<std::string>{command}));
    EXPECT_EQ(ControlCommandOf(cue), command);
    clock.AdvanceMillis(30);
    EXPECT_FALSE(op.CueDone()) << command;
    EXPECT_FALSE(op.CueDoneAtMicros());
    const std::int64_t answeredAt = clock.NowMicros();
    control.Answer();
    clock.AdvanceMillis(5);
    EXPECT_TRUE(op.CueDone()) << command;
    EXPECT_EQ(op.CueDoneAtMicros(), answeredAt) << command;
  }
  EXPECT_EQ(ControlCommandOf(OperatorCue::kPowerOn), "");
}

TEST(AutoOperator, KeepsANameOnlyWhenOneWasReadAndLogsEveryAbortedRun) {
  platform::ManualClock clock;
  RecordingControl power;
  AutoOperator op(power, clock);
  EXPECT_TRUE(op.AskDecision("\r\nTest ABORTED!", "Do you want to log the results?"));
  EXPECT_TRUE(op.AskDecision("ADDRESS_CLAIM packet\r\n[ A5 A5 60 24 00 80 00 00 ]",
                             "Save for future tests?"));
  // An aborted Read ADDRESS_CLAIM offers the setting's not-found text, or a short frame.
  EXPECT_FALSE(op.AskDecision("ADDRESS_CLAIM packet\r\n[ N/A ]", "Save for future tests?"));
  EXPECT_FALSE(op.AskDecision("ADDRESS_CLAIM packet\r\n[ A5 A5 60 ]", "Save for future tests?"));
  EXPECT_FALSE(op.AskDecision("ADDRESS_CLAIM packet\r\n[ A5 A5 60 24 00 80 00 0G ]",
                              "Save for future tests?"));
}

TEST(AutoOperator, NormalOperationSwitchesTheDutOnAndWaitsForItsNextFrameOrTheLimit) {
  platform::ManualClock clock;
  RecordingControl power;
  std::uint32_t heard = 40;
  AutoOperator op(power, clock, [&] { return heard; });

  op.Cue(OperatorCue::kNormalOperation, "Begin with DUT in normal operation.");
  EXPECT_EQ(power.switched, (std::vector<bool>{true}));
  EXPECT_FALSE(op.CueDone());
  clock.AdvanceMicros(AutoOperator::kFirstFrameWaitMicros - 1);
  EXPECT_FALSE(op.CueDone());
  ++heard;  // its first frame
  EXPECT_TRUE(op.CueDone());

  // A DUT that never talks holds the test only up to the limit.
  op.Cue(OperatorCue::kNormalOperation, "Begin with DUT in normal operation.");
  EXPECT_FALSE(op.CueDone());
  clock.AdvanceMicros(AutoOperator::kFirstFrameWaitMicros);
  EXPECT_TRUE(op.CueDone());
}

}  // namespace
}  // namespace vlt::cli
