#include "compliance/instances_request.h"

#include <cstdlib>

#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "settings/setting_text.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

constexpr const char* kIdentifyingDgn = "Identifying DGN";
constexpr const char* kIdentifyingInstance = "Identifying Instance";
constexpr const char* kUnusedInstance = "Unused Instance";
constexpr std::uint8_t kAnyInstance = 0xFF;
constexpr std::uint32_t kInstanceZeroDgn = 0x1FFB7;  // instance 0 is an instance only here

std::string InstancesText(const std::vector<const RequestReply*>& replies) {
  std::string text;
  for (const RequestReply* reply : replies) {
    const std::string instance =
        reply->frame.length > 0 ? std::to_string(reply->frame.data[0]) : "none";
    if (text.find(instance) == std::string::npos) text += (text.empty() ? "" : ", ") + instance;
  }
  return text;
}

}  // namespace

Test_Instances::Test_Instances(const engine::TestContext& context)
    : NetworkTest(context, kCatalogueIndex) {
  AppendPreamble([this](const engine::DeviceRhythm& rhythm) {
    return usable_ && rhythm.Count({dgn_, instance_}) >= 2;
  });
  Append<engine::ECall>([this] { usable_ = ReadSettings(); });
  const auto judgeUsed = [this](std::uint16_t none) {
    return [this, none](const RequestOutcome& o, engine::DataLog& log) { JudgeUsed(o, log, none); };
  };
  AppendRequest([this] { return PlanFor(true, true); }, judgeUsed(kNoTargetedAnswer));
  AppendRequest([this] { return PlanFor(true, false); }, judgeUsed(kNoGlobalAnswer));
  AppendRequest(
      [this] { return PlanFor(false, true); },
      [this](const RequestOutcome& o, engine::DataLog& log) { JudgeUnusedTargeted(o, log); });
  AppendRequest(
      [this] { return PlanFor(false, false); },
      [this](const RequestOutcome& o, engine::DataLog& log) { JudgeUnusedGlobal(o, log); });
  AddCriterion(kNoTargetedAnswer, "No response to targeted request for the instance.");
  AddCriterion(kNoGlobalAnswer, "No response to global request for the instance.");
  AddCriterion(kLate, "More than 250ms elapsed before request and response.");
  AddCriterion(kOtherInstances, "Response carries other instances.");
  AddCriterion(kUnusedTargeted, "Targeted request for an unused instance.");
  AddCriterion(kUnusedGlobal, "Response to global request for an unused instance.");
}

bool Test_Instances::ReadSettings() {
  const std::string dgnText = AppSettings().GetValue(kIdentifyingDgn);
  const std::string instanceText = AppSettings().GetValue(kIdentifyingInstance);
  const std::string unusedText = AppSettings().GetValue(kUnusedInstance);
  dgn_ = static_cast<std::uint32_t>(std::strtoul(dgnText.c_str(), nullptr, 16));
  const std::uint32_t instance =
      instanceText == "N/D" ? kAnyInstance : settings::SettingNumber(instanceText);
  const std::uint32_t unused =
      unusedText == "N/D" ? kAnyInstance : settings::SettingNumber(unusedText);
  if (instance >= kAnyInstance || (instance == 0 && dgn_ != kInstanceZeroDgn)) {
    unusable_ = "Identifying Instance names no instance (" + instanceText +
                "): set the instance the DUT sends in Identifying DGN.";
  } else if (unused >= kAnyInstance || unused == instance) {
    unusable_ = "Unused Instance (" + unusedText +
                ") must be an instance the DUT lacks, other than Identifying Instance.";
  } else {
    instance_ = static_cast<std::uint8_t>(instance);
    unused_ = static_cast<std::uint8_t>(unused);
    unusable_.clear();
    return true;
  }
  Write(unusable_);
  return false;
}

std::optional<engine::RequestPlan> Test_Instances::PlanFor(bool used, bool targeted) const {
  if (!usable_) return std::nullopt;
  engine::RequestPlan plan;
  plan.dgn = dgn_;
  plan.instance = used ? instance_ : unused_;
  plan.destination = targeted ? dut_ : framework::kGlobalAddress;
  return plan;
}

void Test_Instances::JudgeUsed(const RequestOutcome& outcome, engine::DataLog& log,
                               std::uint16_t none) {
  const std::string asked = std::string(none == kNoTargetedAnswer ? "targeted" : "global") +
                            ", instance " + std::to_string(instance_);
  const auto data = outcome.All(RequestReply::Kind::kData);
  if (data.empty()) {
    if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
      FailCriterionAdding(none, asked + ": NAK code " + std::to_string(ack->frame.data[0]), &log,
                          ack->index);
    } else if (outcome.crowdingPeriodMs) {
      QuestionCriterion(none,
                        asked + ": the DGN comes every " +
                            std::to_string(*outcome.crowdingPeriodMs) +
                            " ms by itself; a late answer cannot be told from it",
                        &log, outcome.requestIndex);
    } else {
      FailCriterionAdding(none, asked + ": no answer", &log, outcome.requestIndex);
    }
    return;
  }
  std::vector<const RequestReply*> own;
  std::vector<const RequestReply*> others;
  for (const RequestReply* reply : data) {
    (reply->frame.length > 0 && reply->frame.data[0] == instance_ ? own : others).push_back(reply);
  }
  const RequestReply& first = own.empty() ? *data.front() : *own.front();
  PassCriterionAdding(none, asked, &log, first.index);
  engine::JudgeDelay(*this, kLate, asked, first, outcome.windowMs, log);
  if (others.empty()) {
    PassCriterionAdding(kOtherInstances, asked + ": only that instance", &log, first.index);
  } else if (own.empty()) {
    FailCriterionAdding(kOtherInstances,
                        asked + ": answered with instance " + InstancesText(others), &log,
                        others.front()->index);
  } else {
    QuestionCriterion(kOtherInstances,
                      asked + ": answered with instances " + InstancesText(data) +
                          " (the standard lets a device answer for all its instances)",
                      &log, others.front()->index);
  }
}

void Test_Instances::JudgeUnusedTargeted(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string asked = "instance " + std::to_string(unused_) + ": ";
  const auto data = outcome.All(RequestReply::Kind::kData);
  if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    QuestionCriterion(kUnusedTargeted,
                      asked + "NAK, code " + engine::AcknowledgmentCodeText(ack->frame.data[0]) +
                          " (a NAK or silence: the standard does not settle it)",
                      &log, ack->index);
  } else if (!data.empty()) {
    QuestionCriterion(kUnusedTargeted,
                      asked + "answered with instance " + InstancesText(data) +
                          " (the device ignores the instance byte)",
                      &log, data.front()->index);
  } else {
    QuestionCriterion(kUnusedTargeted,
                      asked + "no answer (a NAK or silence: the standard does not settle it)", &log,
                      outcome.requestIndex);
  }
}

void Test_Instances::JudgeUnusedGlobal(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string asked = "instance " + std::to_string(unused_) + ": ";
  if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    FailCriterionAdding(kUnusedGlobal,
                        asked + "NAK to a global request, code " +
                            engine::AcknowledgmentCodeText(ack->frame.data[0]),
                        &log, ack->index);
    return;
  }
  const auto data = outcome.All(RequestReply::Kind::kData);
  if (data.empty()) {
    PassCriterionAdding(kUnusedGlobal, asked + "no answer", &log, outcome.requestIndex);
    return;
  }
  for (const RequestReply* reply : data) {
    if (reply->frame.length > 0 && reply->frame.data[0] == unused_) {
      FailCriterionAdding(kUnusedGlobal, asked + "answered for the instance it lacks", &log,
                          reply->index);
      return;
    }
  }
  QuestionCriterion(kUnusedGlobal,
                    asked + "answered with instance " + InstancesText(data) +
                        " (the device ignores the instance byte)",
                    &log, data.front()->index);
}

void Test_Instances::Finish() {
  if (!Aborted() && !usable_ && !unusable_.empty()) {
    for (const auto& [id, criterion] : Criteria()) QuestionCriterion(id, unusable_);
  }
  Test::Finish();
}

}  // namespace vlt::compliance
