#include "cli/operator_policy.h"

#include <gtest/gtest.h>

#include <vector>

#include "cli/terminal.h"

namespace vlt::cli {
namespace {

class RecordingPower : public DutPower {
 public:
  void Switch(bool on) override { switched.push_back(on); }
  std::vector<bool> switched;
};

TEST(AutoOperator, PowersTheDutAsThePromptsSayAndPressesSpaceBriefly) {
  platform::ManualClock clock;
  RecordingPower power;
  AutoOperator op(power, clock);
  std::FILE* sink = std::tmpfile();
  TerminalLogPane pane(sink, [&](std::string_view line) { op.OnLogLine(line); });

  pane.AppendLine("Start with an empty network, DUT powered off or disconnected.");
  pane.AppendLine("Power Up DUT");
  pane.AppendLine("Power Up DUT now");  // not the prompt: nothing happens
  EXPECT_EQ(power.switched, (std::vector<bool>{false, true}));

  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));
  pane.AppendLine("Press <space> to transmit competing ADDRESS_CLAIM message.");
  EXPECT_TRUE(op.IsKeyDown(platform::kSpaceBarKey));
  EXPECT_FALSE(op.IsKeyDown(65));  // only the space bar
  clock.AdvanceMicros(AutoOperator::kKeyPressMicros);
  EXPECT_FALSE(op.IsKeyDown(platform::kSpaceBarKey));  // released again

  EXPECT_TRUE(op.AskDecision("\r\nTest ABORTED!", "Do you want to log the results?"));
  std::fclose(sink);
}

}  // namespace
}  // namespace vlt::cli
