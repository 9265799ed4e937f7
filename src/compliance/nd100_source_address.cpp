#include "compliance/nd100_source_address.h"

#include "compliance/nd30_random_target.h"
#include "engine/control_elements.h"

namespace vlt::compliance {
namespace {

struct CommandStep {
  CommandTest::Kind kind;
  std::size_t source;  // in Sources()
  std::uint8_t priority;
};
constexpr CommandStep kSteps[] = {
    {CommandTest::Kind::kOn, 0, 6},
    {CommandTest::Kind::kOff, 1, 7},
    {CommandTest::Kind::kOn, 2, 6},
    {CommandTest::Kind::kOff, 0, 6},
};

}  // namespace

Test_ND100::Test_ND100(const engine::TestContext& context)
    : CommandTest(context, kCatalogueIndex, {kCommandOnSetting, kCommandOffSetting}) {
  Append<EWatchAddressesInUse>(log_, &inUse_);
  AppendCommandStart();
  Append<engine::ECall>([this] { ChooseSources(); });
  for (const CommandStep& step : kSteps) {
    AppendRequest(
        [this, step] {
          return CommandPlan(step.kind == Kind::kOn ? kCommandOnSetting : kCommandOffSetting,
                             sources_[step.source], step.priority);
        },
        [this, step](const engine::RequestOutcome& o, engine::DataLog& log) {
          JudgeObeyed(step.kind, o, log, kNotObeyed, kLate);
        });
  }
  AddCriterion(kNotObeyed, "Command not obeyed from some source address or priority.");
  AddCriterion(kLate, "More than 250ms elapsed before command and status.");
}

void Test_ND100::ChooseSources() {
  sources_ = {engine::kTesterAddress, 0, 0};
  std::size_t next = 1;
  for (int a = engine::kTesterAddress - 1; a >= 0 && next < sources_.size(); --a) {
    if (!inUse_.test(a) && a != dut_) sources_[next++] = static_cast<std::uint8_t>(a);
  }
  if (!Usable()) return;
  Write("Commands come from address " + std::to_string(sources_[0]) + " (the tester), " +
        std::to_string(sources_[1]) + " and " + std::to_string(sources_[2]) +
        ", which no device was heard at.");
}

}  // namespace vlt::compliance
