#include "engine/request_elements.h"

#include <algorithm>
#include <cstdio>

#include "engine/data_log.h"
#include "engine/test.h"
#include "settings/setting_text.h"

namespace vlt::engine {
namespace {

// How long a request waits for a moment free of its DGN's periodic frames, at
// most: a period and a fifth, and a little for the loop.
constexpr std::uint32_t kSlotWaitMarginMs = 50;
// A transfer under way keeps the listening open until this long after its last
// frame (J1939's T1), so a long answer is seen whole.
constexpr std::uint32_t kTransportGapMs = 750;

std::string WaitText(std::uint32_t dgn) {
  return "the answer to the request for DGN " + DgnText(dgn);
}

std::string BytesText(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char pair[4];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(pair, sizeof(pair), "%02X", byte);
    text += (text.empty() ? "" : " ") + std::string(pair);
  }
  return text;
}

}  // namespace

std::uint32_t AnswerWindowMs(Test& test) {
  return kAnswerTimeMs + settings::SettingNumber(test.AppSettings().GetValue(kToleranceSetting));
}

const RequestReply* RequestOutcome::First(RequestReply::Kind kind) const {
  for (const RequestReply& reply : replies) {
    if (reply.kind == kind) return &reply;
  }
  return nullptr;
}

std::vector<const RequestReply*> RequestOutcome::All(RequestReply::Kind kind) const {
  std::vector<const RequestReply*> all;
  for (const RequestReply& reply : replies) {
    if (reply.kind == kind) all.push_back(&reply);
  }
  return all;
}

ERequestDgn::ERequestDgn(Test* test, DataLog* log, const EWatchDeviceRhythm* rhythmWatch,
                         const DeviceRhythm* rhythm, const std::uint8_t* dut, Plan plan,
                         Judge judge, std::uint32_t listenMs)
    : EWatch(test, log),
      rhythmWatch_(rhythmWatch),
      rhythm_(rhythm),
      dut_(dut),
      plan_(std::move(plan)),
      judge_(std::move(judge)),
      listenMs_(listenMs),
      log_(log) {}

void ERequestDgn::MoveTo(State next) {
  state_ = next;
  stateSinceMs_ = test_->NowMs();
}

void ERequestDgn::Start() {
  outcome_ = RequestOutcome{};
  transportOpen_ = false;
  transportWhole_ = false;
  const std::optional<RequestPlan> plan = plan_ ? plan_() : std::nullopt;
  if (!plan) {
    active_ = false;
    parsing_ = false;
    MoveTo(State::kIdle);
    return;
  }
  active_ = true;
  parsing_ = true;
  outcome_.plan = *plan;
  outcome_.windowMs = AnswerWindowMs(*test_);
  dueBeforeWait_ = rhythm_->NextDueMs(plan->AnswerDgn());
  MoveTo(State::kWaitSlot);
  Step();
}

bool ERequestDgn::SlotFree(std::uint32_t nowMs) const {
  const auto due = rhythm_->NextDueMs(outcome_.plan.AnswerDgn());
  return !due || static_cast<std::int32_t>(*due - (nowMs + outcome_.windowMs)) > 0;
}

void ERequestDgn::OnEvent(std::uint32_t /*code*/) {
  Step();
}

void ERequestDgn::OnLoopStep() {
  Step();
}

void ERequestDgn::Step() {
  const std::uint32_t now = test_->NowMs();
  switch (state_) {
    case State::kIdle:
    case State::kSent:
      return;
    case State::kWaitSlot: {
      if (SlotFree(now)) {
        Send();
        return;
      }
      // A period too short to keep out of the window: go right after its frame.
      const auto period = rhythm_->ShortestPeriodMs(outcome_.plan.AnswerDgn());
      const auto due = rhythm_->NextDueMs(outcome_.plan.AnswerDgn());
      const bool frameJustCame = due != dueBeforeWait_;
      const bool waitedEnough =
          period && now - stateSinceMs_ > *period + *period / 5 + kSlotWaitMarginMs;
      if (frameJustCame || waitedEnough) {
        outcome_.crowdingPeriodMs = period;
        Send();
      }
      return;
    }
    case State::kListening: {
      const bool transferUnderway =
          transportOpen_ && !transportWhole_ && now - lastTransportMs_ < kTransportGapMs;
      if (now - outcome_.sentMs >= listenMs_ && !transferUnderway) Finish();
      return;
    }
  }
}

void ERequestDgn::Send() {
  const RequestPlan& plan = outcome_.plan;
  std::string to = plan.destination == framework::kGlobalAddress
                       ? std::string("all nodes")
                       : "address " + std::to_string(plan.destination);
  if (plan.command) {
    const std::uint32_t dgn =
        IsDestinationSpecific(plan.dgn) ? (plan.dgn & 0x1FF00u) | plan.destination : plan.dgn;
    test_->App().Link().Transmit(plan.source, dgn, *plan.command, plan.priority);
    Write("Command DGN " + DgnText(plan.dgn) + " from address " + std::to_string(plan.source) +
          ", priority " + std::to_string(plan.priority) + ": " + BytesText(*plan.command) + ".");
  } else {
    const auto data = RequestData(plan.dgn, plan.instance, plan.bank);
    const std::size_t length = plan.length < data.size() ? plan.length : data.size();
    test_->App().Link().Transmit(plan.source, kRequestDgn | plan.destination,
                                 std::span<const std::uint8_t>(data.data(), length), plan.priority);
    if (plan.instance != kNoInstance) to += ", instance " + std::to_string(plan.instance);
    Write("Request for DGN " + DgnText(plan.dgn) + " to " + to + ".");
  }
  outcome_.sent = true;
  outcome_.sentMs = test_->NowMs();
  MoveTo(State::kSent);
}

bool ERequestDgn::IsOwnRequest(const DataLog& log, int index,
                               const framework::FrameRecord& frame) const {
  if (!log.OwnTransmission(index)) return false;
  const RequestPlan& plan = outcome_.plan;
  if (plan.command) {
    return DgnWithoutDestination(frame.dgn) == DgnWithoutDestination(plan.dgn) &&
           frame.length == plan.command->size() &&
           std::equal(plan.command->begin(), plan.command->end(), frame.data);
  }
  const auto requested = RequestedDgn(frame);
  return requested && *requested == plan.dgn && DestinationOf(frame.dgn) == plan.destination;
}

std::optional<RequestReply::Kind> ERequestDgn::ReplyKind(const DataLog& log, int index,
                                                         const framework::FrameRecord& frame) {
  const std::uint32_t dgn = outcome_.plan.dgn;
  const std::uint8_t sender = outcome_.plan.source;
  if (const auto ack = ReadAcknowledgment(frame)) {
    const bool aboutThis = DgnWithoutDestination(ack->dgn) == DgnWithoutDestination(dgn) ||
                           ack->destination == sender || ack->address == sender;
    return aboutThis ? std::optional(RequestReply::Kind::kAcknowledgment) : std::nullopt;
  }
  if (const auto announcement = ReadTransportAnnouncement(frame)) {
    if (announcement->dgn != dgn) return std::nullopt;
    transportOpen_ = true;
    return RequestReply::Kind::kTransport;
  }
  if (DgnWithoutDestination(frame.dgn) == kTpDataDgn) {
    return transportOpen_ ? std::optional(RequestReply::Kind::kTransport) : std::nullopt;
  }
  if (DgnWithoutDestination(frame.dgn) != DgnWithoutDestination(outcome_.plan.AnswerDgn())) {
    return std::nullopt;
  }
  // A whole multi-packet message is never periodic; a single frame is an answer
  // only when the DGN's own period did not bring it.
  if (frame.length <= kRvcFrameBytes && !rhythmWatch_->Unscheduled(log, index)) {
    return std::nullopt;
  }
  return RequestReply::Kind::kData;
}

void ERequestDgn::OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) {
  if (frame.textFlag != 0) return;
  if (state_ == State::kSent && IsOwnRequest(log, index, frame)) {
    outcome_.sentMs = frame.timeStamp;
    outcome_.requestIndex = index;
    MoveTo(State::kListening);
    return;
  }
  if (state_ != State::kListening || log.OwnTransmission(index) || frame.sourceAddress != *dut_) {
    return;
  }
  const auto kind = ReplyKind(log, index, frame);
  if (!kind) return;
  if (*kind == RequestReply::Kind::kTransport) lastTransportMs_ = frame.timeStamp;
  if (*kind == RequestReply::Kind::kData && transportOpen_) transportWhole_ = true;
  RequestReply reply;
  reply.kind = *kind;
  reply.index = index;
  reply.delayMs = frame.timeStamp - outcome_.sentMs;
  reply.frame = frame;
  outcome_.replies.push_back(reply);
}

void ERequestDgn::Finish() {
  MoveTo(State::kIdle);
  active_ = false;
  parsing_ = false;
  if (judge_) judge_(outcome_, *log_);
}

std::string ERequestDgn::WaitingFor() const {
  switch (state_) {
    case State::kWaitSlot:
      return "A moment free of the periodic frames of DGN " + DgnText(outcome_.plan.dgn) +
             " to request it.";
    case State::kSent:
      return "The request for DGN " + DgnText(outcome_.plan.dgn) +
             " to come back from the host: is the host in an echo mode?";
    case State::kListening:
      return "The end of " + std::to_string(listenMs_) + " ms of listening for " +
             WaitText(outcome_.plan.dgn) + ".";
    case State::kIdle:
      break;
  }
  return {};
}

void JudgeDelay(Test& test, std::uint16_t id, const std::string& about, const RequestReply& reply,
                std::uint32_t windowMs, const DataLog& log) {
  const std::string note = about + ": Delay = " + std::to_string(reply.delayMs);
  if (reply.delayMs > windowMs) {
    test.FailCriterionAdding(id, note, &log, reply.index);
  } else {
    test.PassCriterionAdding(id, note, &log, reply.index);
  }
}

void JudgeNak(Test& test, const NakCriteria& criteria, const Acknowledgment& ack,
              std::uint32_t expectedDgn, const std::function<bool(std::uint8_t)>& codeOk,
              const DataLog& log, int index, std::uint8_t requester) {
  const std::string about = "DGN " + DgnText(expectedDgn) + ": ";
  const auto decide = [&](std::uint16_t id, bool ok, const std::string& note) {
    if (id == 0) return;
    if (ok) {
      test.PassCriterionAdding(id, about + note, &log, index);
    } else {
      test.FailCriterionAdding(id, about + note, &log, index);
    }
  };
  decide(criteria.code, codeOk(ack.code), "code " + AcknowledgmentCodeText(ack.code));
  decide(criteria.requester, ack.address == requester, "byte 4 = " + std::to_string(ack.address));
  decide(criteria.dgn, ack.dgn == expectedDgn, "bytes 5-7 = " + DgnText(ack.dgn));
  decide(criteria.destination, ack.destination == requester,
         ack.destination == framework::kGlobalAddress
             ? std::string("sent to all (FFh); the standard says it shall go to the requester, "
                           "and notes that older devices send it to all")
             : "sent to address " + std::to_string(ack.destination));
}

}  // namespace vlt::engine
