#include "compliance/command_test.h"

#include <algorithm>
#include <cstdio>

#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

using engine::RequestOutcome;
using engine::RequestReply;

namespace {

constexpr std::uint32_t kNoInstance = 0xFF;

}  // namespace

CommandTest::CommandTest(const engine::TestContext& context, std::uint16_t catalogueIndex,
                         std::vector<const char*> data)
    : NetworkTest(context, catalogueIndex), dataSettings_(std::move(data)) {}

void CommandTest::AppendCommandStart() {
  Append<engine::ECall>([this] { usable_ = ReadSettings(); });
  AppendPreamble(
      [this](const engine::DeviceRhythm& rhythm) {
        return !usable_ || rhythm.Count({statusDgn_, instance_}) >= 2;
      },
      kLearnStatusMs);
  // A DUT that reports only when asked or changed tells its state on request.
  AppendRequest(
      [this]() -> std::optional<engine::RequestPlan> {
        if (!usable_ || rhythm_.Count({statusDgn_, instance_}) > 0) return std::nullopt;
        engine::RequestPlan plan;
        plan.dgn = statusDgn_;
        plan.instance = instance_;
        plan.destination = dut_;
        return plan;
      },
      {});
}

bool CommandTest::ReadSettings() {
  onState_.reset();
  offState_.reset();
  data_.clear();
  const std::string commandText = AppSettings().GetValue(kCommandDgnSetting);
  const std::string statusText = AppSettings().GetValue(kStatusDgnSetting);
  const std::string instanceText = AppSettings().GetValue(kCommandInstanceSetting);
  const std::string bytesText = AppSettings().GetValue(kStateBytesSetting);
  const auto command = SettingDgn(commandText);
  const auto status = SettingDgn(statusText);
  const std::uint32_t instance =
      instanceText == "N/D" ? kNoInstance : settings::SettingNumber(instanceText);
  const auto bytes = values::ReadBytePositions(bytesText);
  if (!command || !status) {
    unusable_ = "Command DGN (" + commandText + ") and Status DGN (" + statusText +
                ") must both name a DGN.";
  } else if (instance >= kNoInstance) {
    unusable_ = "Command Instance (" + instanceText + ") names no instance.";
  } else if (!bytes) {
    unusable_ = "Status State Bytes (" + bytesText + ") names no byte of the status.";
  } else {
    unusable_.clear();
    for (const char* setting : dataSettings_) {
      const std::string text = AppSettings().GetValue(setting);
      const auto data = values::ReadFrameBytes(text);
      if (!data) {
        unusable_ = std::string(setting) + " (" + text + ") is not 8 bytes in hexadecimal.";
        break;
      }
      data_.push_back(*data);
    }
  }
  if (!unusable_.empty()) {
    Write(unusable_);
    return false;
  }
  commandDgn_ = *command;
  statusDgn_ = *status;
  instance_ = static_cast<std::uint8_t>(instance);
  stateBytes_ = *bytes;
  return true;
}

std::optional<engine::RequestPlan> CommandTest::CommandPlan(
    const char* setting, std::uint8_t source, std::uint8_t priority,
    std::optional<std::uint8_t> instance) const {
  const auto it = std::find(dataSettings_.begin(), dataSettings_.end(), setting);
  const auto index = static_cast<std::size_t>(it - dataSettings_.begin());
  if (!usable_ || index >= data_.size()) return std::nullopt;
  return CommandPlan(data_[index], source, priority, instance);
}

std::optional<engine::RequestPlan> CommandTest::CommandPlan(
    const values::FrameBytes& data, std::uint8_t source, std::uint8_t priority,
    std::optional<std::uint8_t> instance) const {
  if (!usable_) return std::nullopt;
  engine::RequestPlan plan;
  plan.dgn = commandDgn_;
  plan.destination = dut_;
  plan.command = std::vector<std::uint8_t>(data.begin(), data.end());
  (*plan.command)[0] = instance.value_or(instance_);
  plan.answerDgn = statusDgn_;
  plan.source = source;
  plan.priority = priority;
  return plan;
}

std::optional<CommandTest::State> CommandTest::StateOf(const framework::FrameRecord& frame) const {
  if (frame.textFlag != 0 || frame.sourceAddress != dut_ ||
      engine::DgnWithoutDestination(frame.dgn) != statusDgn_ || frame.length == 0 ||
      frame.data[0] != instance_ ||
      frame.length <= *std::max_element(stateBytes_.begin(), stateBytes_.end())) {
    return std::nullopt;
  }
  State state;
  for (const std::uint8_t position : stateBytes_) state.push_back(frame.data[position]);
  return state;
}

std::optional<CommandTest::State> CommandTest::StateBefore(const engine::DataLog& log,
                                                           int index) const {
  for (int i = std::min(index, static_cast<int>(log.Size())) - 1; i >= 0; --i) {
    if (log.OwnTransmission(i)) continue;
    if (auto state = StateOf(log.Frame(static_cast<std::size_t>(i)))) return state;
  }
  return std::nullopt;
}

std::vector<CommandTest::Status> CommandTest::Statuses(const RequestOutcome& outcome) const {
  std::vector<Status> statuses;
  for (const RequestReply* reply : outcome.All(RequestReply::Kind::kData)) {
    if (auto state = StateOf(reply->frame)) statuses.push_back({reply, *state});
  }
  return statuses;
}

std::string CommandTest::StateText(const State& state) {
  std::string text;
  char pair[4];
  for (const std::uint8_t byte : state) {
    std::snprintf(pair, sizeof(pair), "%02X", byte);
    text += (text.empty() ? "" : " ") + std::string(pair);
  }
  return text;
}

std::string CommandTest::CommandLabel(Kind kind, const RequestOutcome& outcome) {
  return std::string(kind == Kind::kOn ? "On" : "Off") + " from address " +
         std::to_string(outcome.plan.source) + ", priority " +
         std::to_string(outcome.plan.priority);
}

bool CommandTest::JudgeObeyed(Kind kind, const RequestOutcome& outcome, engine::DataLog& log,
                              std::uint16_t obeyed, std::uint16_t late) {
  std::optional<State>& own = kind == Kind::kOn ? onState_ : offState_;
  const std::optional<State>& other = kind == Kind::kOn ? offState_ : onState_;
  const std::string who = CommandLabel(kind, outcome);
  const std::vector<Status> statuses = Statuses(outcome);
  const auto match = std::find_if(statuses.begin(), statuses.end(), [&](const Status& s) {
    return own ? s.state == *own : !other || s.state != *other;
  });
  if (match == statuses.end()) {
    if (statuses.empty()) {
      FailCriterionAdding(obeyed, who + ": no status", &log, outcome.requestIndex);
    } else {
      FailCriterionAdding(
          obeyed, who + ": state " + StateText(statuses.back().state) + ", not the commanded one",
          &log, statuses.back().reply->index);
    }
    return false;
  }
  if (!own) own = match->state;
  const RequestReply& reply = *match->reply;
  PassCriterionAdding(obeyed, who + ": state " + StateText(match->state), &log, reply.index);
  engine::JudgeDelay(*this, late, who, reply, outcome.windowMs, log);
  return true;
}

bool CommandTest::StateKept(const std::optional<State>& before, const std::vector<Status>& statuses,
                            std::string& note) const {
  for (const Status& status : statuses) {
    if (before && status.state != *before) {
      note = "state " + StateText(*before) + " became " + StateText(status.state);
      return false;
    }
  }
  note = before ? "state " + StateText(*before) + " kept" : std::string("no state before");
  return true;
}

void CommandTest::Finish() {
  if (!Aborted() && !usable_ && !unusable_.empty()) {
    for (const auto& [id, criterion] : Criteria()) QuestionCriterion(id, unusable_);
  }
  Test::Finish();
}

void CommandTest::JudgeStateKept(std::uint16_t criterion, const RequestOutcome& outcome,
                                 const std::vector<Status>& statuses, engine::DataLog& log,
                                 int passIndex, const std::string& noStatus) {
  const auto before = StateBefore(log, outcome.requestIndex);
  std::string note;
  if (!before && !statuses.empty()) {
    QuestionCriterion(criterion, "no status before the command to compare with", &log,
                      statuses.front().reply->index);
  } else if (!StateKept(before, statuses, note)) {
    FailCriterion(criterion, note, &log, statuses.back().reply->index);
  } else {
    PassCriterion(criterion, statuses.empty() ? noStatus : note, &log, passIndex);
  }
}

}  // namespace vlt::compliance
