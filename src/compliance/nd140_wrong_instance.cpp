#include "compliance/nd140_wrong_instance.h"

#include "engine/data_log.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

using engine::RequestOutcome;
using engine::RequestReply;

namespace {

constexpr std::uint32_t kNoInstance = 0xFF;

}  // namespace

Test_ND140::Test_ND140(const engine::TestContext& context)
    : CommandTest(context, kCatalogueIndex, {kCommandOnSetting, kCommandOffSetting}) {
  AppendCommandStart();
  const auto obeyed = [this](Kind kind) {
    return [this, kind](const RequestOutcome& o, engine::DataLog& log) {
      JudgeObeyed(kind, o, log, kNotObeyed, kLate);
    };
  };
  AppendRequest([this] { return CommandPlan(kCommandOffSetting); }, obeyed(Kind::kOff));
  AppendRequest(
      [this]() -> std::optional<engine::RequestPlan> {
        const auto unused = UnusedInstance();
        if (!unused) return std::nullopt;
        return CommandPlan(kCommandOnSetting, engine::kTesterAddress, engine::kRequestPriority,
                           unused);
      },
      [this](const RequestOutcome& o, engine::DataLog& log) { JudgeWrongInstance(o, log); });
  AppendRequest([this] { return CommandPlan(kCommandOnSetting); }, obeyed(Kind::kOn));
  AppendRequest([this] { return CommandPlan(kCommandOffSetting); }, obeyed(Kind::kOff));
  AddCriterion(kActedOn, "Command for another instance was acted on.");
  AddCriterion(kNakked, "NAK for a command to an instance the DUT lacks.");
  AddCriterion(kNotObeyed, "Command with the right instance not obeyed.");
  AddCriterion(kLate, "More than 250ms elapsed before command and status.");
}

std::optional<std::uint8_t> Test_ND140::UnusedInstance() {
  if (!Usable()) return std::nullopt;
  const std::string text = AppSettings().GetValue(kUnusedInstanceSetting);
  const std::uint32_t unused = text == "N/D" ? kNoInstance : settings::SettingNumber(text);
  if (unused >= kNoInstance || unused == Instance()) {
    const std::string why = "Unused Instance (" + text +
                            ") must be an instance the DUT lacks, other than Command Instance.";
    Write(why);
    QuestionCriterion(kActedOn, why);
    QuestionCriterion(kNakked, why);
    return std::nullopt;
  }
  unused_ = static_cast<std::uint8_t>(unused);
  return unused_;
}

void Test_ND140::JudgeWrongInstance(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string asked = "instance " + std::to_string(unused_) + ": ";
  if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    FailCriterion(kNakked, asked + "code " + engine::AcknowledgmentCodeText(ack->frame.data[0]),
                  &log, ack->index);
  } else {
    PassCriterion(kNakked, asked + "no NAK", &log, outcome.requestIndex);
  }
  for (const RequestReply* reply : outcome.All(RequestReply::Kind::kData)) {
    if (reply->frame.length > 0 && reply->frame.data[0] == unused_) {
      FailCriterion(kActedOn, asked + "a status for that instance came", &log, reply->index);
      return;
    }
  }
  const std::vector<Status> statuses = Statuses(outcome);
  const auto before = StateBefore(log, outcome.requestIndex);
  std::string note;
  if (!before && !statuses.empty()) {
    QuestionCriterion(kActedOn, asked + "no status before the command to compare with", &log,
                      statuses.front().reply->index);
  } else if (!StateKept(before, statuses, note)) {
    FailCriterion(kActedOn, asked + note, &log, statuses.back().reply->index);
  } else {
    PassCriterion(kActedOn, asked + note, &log, outcome.requestIndex);
  }
}

}  // namespace vlt::compliance
