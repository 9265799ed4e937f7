#include "compliance/nd10_nd20_requests.h"

#include <algorithm>

#include "engine/data_log.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

constexpr const char* kNoSupported = "No Supported DGN is set (0 means not used).";
constexpr const char* kNoUnsupported = "No Unsupported DGN is set (0 means not used).";

std::string Delay(const RequestReply& reply) {
  return "Delay = " + std::to_string(reply.delayMs);
}

}  // namespace

RequestForDgnTest::RequestForDgnTest(const engine::TestContext& context,
                                     std::uint16_t catalogueIndex, bool targeted, Ids ids)
    : NetworkTest(context, catalogueIndex), targeted_(targeted), ids_(ids) {
  AppendPreamble([this](const engine::DeviceRhythm& rhythm) {
    return HeardTwice(rhythm, SlotDgns(kSupportedDgnSetting));
  });
  for (int n = 1; n <= kDgnSlots; ++n) {
    AppendRequest(
        [this, n] { return PlanFor(kSupportedDgnSetting, n); },
        [this](const RequestOutcome& o, engine::DataLog& log) { JudgeSupported(o, log); });
  }
  for (int n = 1; n <= kDgnSlots; ++n) {
    AppendRequest(
        [this, n] { return PlanFor(kUnsupportedDgnSetting, n); },
        [this](const RequestOutcome& o, engine::DataLog& log) { JudgeUnsupported(o, log); });
  }
}

std::optional<engine::RequestPlan> RequestForDgnTest::PlanFor(const char* setting, int n) {
  const auto dgn = SlotDgn(setting, n);
  if (!dgn) return std::nullopt;
  engine::RequestPlan plan;
  plan.dgn = *dgn;
  plan.destination = targeted_ ? dut_ : framework::kGlobalAddress;
  return plan;
}

void RequestForDgnTest::JudgeSupported(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string dgn = DgnLabel(outcome.plan.dgn);
  const auto data = outcome.All(RequestReply::Kind::kData);
  if (data.empty()) {
    if (outcome.crowdingPeriodMs) {
      QuestionCriterion(ids_.notSent,
                        dgn + " is sent every " + std::to_string(*outcome.crowdingPeriodMs) +
                            " ms by itself: a late answer cannot be told from its periodic frames",
                        &log, outcome.requestIndex);
    } else {
      FailCriterionAdding(ids_.notSent, dgn + " not sent", &log, outcome.requestIndex);
    }
  } else {
    const RequestReply& first = *data.front();
    PassCriterionAdding(ids_.notSent, dgn, &log, first.index);
    engine::JudgeDelay(*this, ids_.late, dgn, first, outcome.windowMs, log);
    const auto shortOrLong = std::find_if(data.begin(), data.end(), [](const RequestReply* reply) {
      return reply->frame.length != engine::kRvcFrameBytes;
    });
    if (shortOrLong != data.end()) {
      FailCriterionAdding(ids_.notEightBytes,
                          dgn + ": " + std::to_string((*shortOrLong)->frame.length) + " bytes",
                          &log, (*shortOrLong)->index);
    } else {
      PassCriterionAdding(ids_.notEightBytes, dgn + ": 8 bytes", &log, first.index);
    }
  }
  if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    FailCriterionAdding(ids_.nakForSupported,
                        dgn + ": code " + engine::AcknowledgmentCodeText(ack->frame.data[0]), &log,
                        ack->index);
  } else {
    PassCriterionAdding(ids_.nakForSupported, dgn + ": none", &log, outcome.requestIndex);
  }
}

void RequestForDgnTest::Finish() {
  if (!Aborted()) {
    if (SlotDgns(kSupportedDgnSetting).empty()) {
      for (const std::uint16_t id : {ids_.notSent, ids_.late, ids_.notEightBytes}) {
        QuestionCriterion(id, kNoSupported);
      }
    }
    if (SlotDgns(kUnsupportedDgnSetting).empty()) {
      QuestionCriterion(ids_.unsupportedSent, kNoUnsupported);
    }
  }
  Test::Finish();
}

void JudgeUnsupportedNak(engine::Test& test, const UnsupportedNakIds& ids,
                         const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string dgn = DgnLabel(outcome.plan.dgn);
  const RequestReply* reply = outcome.First(RequestReply::Kind::kAcknowledgment);
  if (reply == nullptr) {
    test.FailCriterionAdding(ids.noNak, dgn + ": no NAK", &log, outcome.requestIndex);
    return;
  }
  test.PassCriterionAdding(ids.noNak, dgn, &log, reply->index);
  engine::JudgeDelay(test, ids.late, dgn, *reply, outcome.windowMs, log);
  if (const auto ack = engine::ReadAcknowledgment(reply->frame)) {
    engine::JudgeNak(
        test, ids.nak, *ack, outcome.plan.dgn,
        [](std::uint8_t code) { return code == engine::kNakCode; }, log, reply->index);
  }
}

Test_ND10::Test_ND10(const engine::TestContext& context)
    : RequestForDgnTest(
          context, kCatalogueIndex, false,
          {kSupportedNotSent, kLate, kNotEightBytes, kNakToGlobal, kUnsupportedSent}) {
  AddCriterion(kSupportedNotSent, "Supported DGN not sent in response to global request.");
  AddCriterion(kLate, "More than 250ms elapsed before request and response.");
  AddCriterion(kNotEightBytes, "Response is not 8 bytes long.");
  AddCriterion(kNakToGlobal, "NAK sent in response to a global request.");
  AddCriterion(kUnsupportedSent, "Unsupported DGN sent in response to global request.");
}

void Test_ND10::JudgeUnsupported(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string dgn = DgnLabel(outcome.plan.dgn);
  if (const RequestReply* data = outcome.First(RequestReply::Kind::kData)) {
    FailCriterionAdding(kUnsupportedSent, dgn + ": " + Delay(*data), &log, data->index);
  } else {
    PassCriterionAdding(kUnsupportedSent, dgn + ": not sent", &log, outcome.requestIndex);
  }
  if (const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    FailCriterionAdding(kNakToGlobal,
                        dgn + ": code " + engine::AcknowledgmentCodeText(ack->frame.data[0]), &log,
                        ack->index);
  } else {
    PassCriterionAdding(kNakToGlobal, dgn + ": none", &log, outcome.requestIndex);
  }
}

Test_ND20::Test_ND20(const engine::TestContext& context)
    : RequestForDgnTest(
          context, kCatalogueIndex, true,
          {kSupportedNotSent, kLate, kNotEightBytes, kNakForSupported, kUnsupportedSent}) {
  AddCriterion(kSupportedNotSent, "Supported DGN not sent in response to targeted request.");
  AddCriterion(kLate, "More than 250ms elapsed before request and response.");
  AddCriterion(kNotEightBytes, "Response is not 8 bytes long.");
  AddCriterion(kNakForSupported, "NAK sent for a supported DGN.");
  AddCriterion(kNoNak, "No NAK for an unsupported DGN.");
  AddCriterion(kNakLate, "More than 250ms elapsed before request and NAK.");
  AddCriterion(kNakCode, "NAK code is not 1 (not supported).");
  AddCriterion(kNakRequester, "NAK byte 4 is not the requester's address.");
  AddCriterion(kNakDgn, "NAK bytes 5-7 are not the requested DGN.");
  AddCriterion(kNakDestination, "NAK not sent to the requester.");
  AddCriterion(kUnsupportedSent, "Unsupported DGN sent in response to targeted request.");
}

void Test_ND20::JudgeUnsupported(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string dgn = DgnLabel(outcome.plan.dgn);
  if (const RequestReply* data = outcome.First(RequestReply::Kind::kData)) {
    FailCriterionAdding(kUnsupportedSent, dgn + ": " + Delay(*data), &log, data->index);
  } else {
    PassCriterionAdding(kUnsupportedSent, dgn + ": not sent", &log, outcome.requestIndex);
  }
  JudgeUnsupportedNak(
      *this, {kNoNak, kNakLate, {kNakCode, kNakRequester, kNakDgn, kNakDestination}}, outcome, log);
}

}  // namespace vlt::compliance
