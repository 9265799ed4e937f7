#include "cli/operator_policy.h"

#include <gtest/gtest.h>

#include <vector>

#include "cli/terminal.h"

namespace vlt::cli {
namespace {

using engine::OperatorCue;

class RecordingPower : public DutPower {
 public:
  void Switch(bool on) override { switched.push_back(on); }
  std::vector<bool> switched;
};

TEST(AutoOperator, PowersTheDutWhenCuedNotOnLinesAndPressesSpaceBriefly) {
  platform::ManualClock clock;
  RecordingPower power;
  AutoOperator op(power, clock);
  std::FILE* sink = std::tmpfile();
  TerminalLogPane pane(sink, [&](std::string_view line) { op.OnLogLine(line); });

  // The prompt lines alone switch nothing: the test cues when it listens.
  pane.AppendLine("Start with an empty network, DUT powered off or disconnected.");
  pane.AppendLine("Power Up DUT");
  EXPECT_TRUE(power.switched.empty());
  op.Cue(OperatorCue::kPowerOff);
  op.Cue(OperatorCue::kPowerOn);
  EXPECT_EQ(power.switched, (std::vector<bool>{false, true}));
  EXPECT_TRUE(op.CueDone());

  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));
  pane.AppendLine("Press <space> to transmit competing ADDRESS_CLAIM message.");
  EXPECT_TRUE(op.IsKeyDown(platform::kSpaceBarKey));
  EXPECT_FALSE(op.IsKeyDown(65));  // only the space bar
  clock.AdvanceMicros(AutoOperator::kKeyPressMicros);
  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));  // released again
  std::fclose(sink);
}

TEST(AutoOperator, KeepsANameOnlyWhenOneWasReadAndLogsEveryAbortedRun) {
  platform::ManualClock clock;
  RecordingPower power;
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
  RecordingPower power;
  std::uint32_t heard = 40;
  AutoOperator op(power, clock, [&] { return heard; });

  op.Cue(OperatorCue::kNormalOperation);
  EXPECT_EQ(power.switched, (std::vector<bool>{true}));
  EXPECT_FALSE(op.CueDone());
  clock.AdvanceMicros(AutoOperator::kFirstFrameWaitMicros - 1);
  EXPECT_FALSE(op.CueDone());
  ++heard;  // its first frame
  EXPECT_TRUE(op.CueDone());

  // A DUT that never talks holds the test only up to the limit.
  op.Cue(OperatorCue::kNormalOperation);
  EXPECT_FALSE(op.CueDone());
  clock.AdvanceMicros(AutoOperator::kFirstFrameWaitMicros);
  EXPECT_TRUE(op.CueDone());
}

}  // namespace
}  // namespace vlt::cli
