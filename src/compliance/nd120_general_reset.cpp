#include "compliance/nd120_general_reset.h"

#include <algorithm>

#include "compliance/nd30_random_target.h"
#include "engine/data_log.h"
#include "engine/network_messages.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

constexpr std::uint8_t kFirstOtherNode = 0x80;
constexpr std::uint8_t kLastNodeAddress = 0xFD;
// Clear faults (bits 2-3 01b); every other field 11b, test mode untouched.
const std::vector<std::uint8_t> kClearFaults{0xF7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const char* const kNotSupported = "not supported: the DUT NAKed GENERAL_RESET";

std::string Ms(std::uint32_t ms) {
  return std::to_string(ms) + " ms";
}

}  // namespace

Test_ND120::Test_ND120(const engine::TestContext& context) : DmRvTest(context, kCatalogueIndex) {
  Append<EWatchAddressesInUse>(log_, &inUse_);
  AppendDmRvPreamble();
  Append<engine::ECall>([this] { ChooseOtherNode(); });
  AppendAction(engine::OperatorCue::kCauseFault, kFaultCausedMark);
  AppendWait(kFaultWatchMs);
  remove_ = &AppendAction(engine::OperatorCue::kRemoveFault, kCauseRemovedMark);
  AppendWait(kLatchWatchMs);
  AppendRequest([this] { return Reset(false); },
                [this](const RequestOutcome& o, engine::DataLog&) { toOther_ = o; });
  AppendWait(kOtherNodeWatchMs);
  AppendRequest([this] { return Reset(true); },
                [this](const RequestOutcome& o, engine::DataLog&) { toDut_ = o; });
  AppendWait(kResetWatchMs);
  AddCriterion(kOtherNode, "GENERAL_RESET to another node was acted on.");
  AddCriterion(kNoAck, "No ACK to GENERAL_RESET within 250ms.");
  AddCriterion(kAckContent, "ACK is not code 0 to the tester naming GENERAL_RESET.");
  AddCriterion(kFaultKept, "Fault still reported 1000ms after GENERAL_RESET.");
  AddCriterion(kRebooted, "DUT rebooted after GENERAL_RESET clear faults.");
}

void Test_ND120::ChooseOtherNode() {
  for (int a = kFirstOtherNode; a <= kLastNodeAddress; ++a) {
    if (!inUse_.test(a) && a != dut_ && a != engine::kTesterAddress) {
      otherNode_ = static_cast<std::uint8_t>(a);
      break;
    }
  }
  Write("GENERAL_RESET goes first to address " + std::to_string(otherNode_) +
        ", which no device holds.");
}

std::optional<engine::RequestPlan> Test_ND120::Reset(bool toDut) const {
  engine::RequestPlan plan;
  plan.dgn = kGeneralResetDgn;
  plan.destination = toDut ? dut_ : otherNode_;
  plan.command = kClearFaults;
  return plan;
}

void Test_ND120::JudgeOtherNode(std::uint32_t fromMs, std::uint32_t toMs) {
  const RequestOutcome& o = *toOther_;
  const std::string about = "to address " + std::to_string(o.plan.destination);
  if (!o.replies.empty()) {
    FailCriterionAdding(kOtherNode, about + ": answered after " + Ms(o.replies.front().delayMs),
                        log_, o.replies.front().index);
    return;
  }
  // A latched fault (reported 2 s after its cause went, never reported gone)
  // must stay reported.
  const auto since = Seen(remove_->PromptMs(), o.sentMs);
  const bool latched = std::none_of(since.begin(), since.end(),
                                    [](const DmRvSeen* s) { return !s->content.Fault(); }) &&
                       std::any_of(since.begin(), since.end(), [&](const DmRvSeen* s) {
                         return s->ms >= remove_->DoneMs() + Test_ND70::kLatchedMs;
                       });
  // A latched fault is never reported gone by itself.
  const auto after = Seen(fromMs, toMs);
  const auto cleared = std::find_if(after.begin(), after.end(),
                                    [](const DmRvSeen* s) { return !s->content.Fault(); });
  if (latched && cleared != after.end()) {
    FailCriterionAdding(kOtherNode, about + ": its fault cleared", log_, (*cleared)->index);
    return;
  }
  PassCriterionAdding(kOtherNode, about + ": no ACK, fault state unchanged", log_, o.requestIndex);
}

bool Test_ND120::JudgeAck() {
  const RequestOutcome& o = *toDut_;
  const RequestReply* reply = o.First(RequestReply::Kind::kAcknowledgment);
  if (reply == nullptr) {
    FailCriterionAdding(kNoAck, "none", log_, o.requestIndex);
    return true;
  }
  const auto ack = engine::ReadAcknowledgment(reply->frame);
  if (ack && ack->code != engine::kAckCode) {
    const std::string note =
        std::string(kNotSupported) + ", code " + engine::AcknowledgmentCodeText(ack->code);
    for (const std::uint16_t id : {kNoAck, kAckContent, kFaultKept, kRebooted}) {
      QuestionCriterion(id, note, log_, reply->index);
    }
    return false;
  }
  engine::JudgeDelay(*this, kNoAck, "ACK", *reply, o.windowMs, *log_);
  if (!ack) {
    FailCriterionAdding(kAckContent, "shorter than 8 bytes", log_, reply->index);
    return true;
  }
  const std::uint32_t named = ack->dgn;
  const bool dgnOk = named == kGeneralResetDgn || named == (kGeneralResetDgn | dut_);
  std::string note = "byte 4 " + std::to_string(ack->address) + ", DGN " + engine::DgnText(named) +
                     ", to address " + std::to_string(ack->destination);
  if (ack->address != engine::kTesterAddress || !dgnOk ||
      ack->destination != engine::kTesterAddress) {
    FailCriterionAdding(kAckContent, note, log_, reply->index);
  } else {
    PassCriterionAdding(kAckContent, note, log_, reply->index);
  }
  return true;
}

void Test_ND120::JudgeAfterReset(std::uint32_t sentMs) {
  const auto after = Seen(sentMs, endMs_);
  const auto kept = std::find_if(after.begin(), after.end(), [&](const DmRvSeen* s) {
    return s->content.Fault() && s->ms > sentMs + kClearMs + kStampAllowanceMs;
  });
  const auto before = Seen(0, sentMs);
  const bool hadFault = !before.empty() && before.back()->content.Fault();
  if (kept != after.end()) {
    FailCriterionAdding(kFaultKept, "at " + Ms((*kept)->ms - sentMs) + " after it", log_,
                        (*kept)->index);
  } else {
    PassCriterionAdding(kFaultKept, hadFault ? "cleared" : "no fault reported before it", log_,
                        toDut_->requestIndex);
  }
  for (std::size_t i = 0; i < log_->Size(); ++i) {
    const int index = static_cast<int>(i);
    if (log_->OwnTransmission(index)) continue;
    const framework::FrameRecord frame = log_->Frame(i);
    if (frame.textFlag == 0 && frame.timeStamp >= sentMs &&
        engine::DgnWithoutDestination(frame.dgn) == engine::kAddressClaimDgn &&
        (frame.sourceAddress == dut_ || frame.sourceAddress == framework::kNullAddress)) {
      FailCriterionAdding(kRebooted, "ADDRESS_CLAIM after " + Ms(frame.timeStamp - sentMs), log_,
                          index);
      return;
    }
  }
  PassCriterionAdding(kRebooted, "no new ADDRESS_CLAIM", log_, toDut_->requestIndex);
}

void Test_ND120::Finish() {
  if (!Aborted() && toOther_ && toDut_ && toOther_->sent && toDut_->sent) {
    ReadLog();
    JudgeOtherNode(toOther_->sentMs, toDut_->sentMs);
    if (JudgeAck()) JudgeAfterReset(toDut_->sentMs);
  }
  Test::Finish();
}

}  // namespace vlt::compliance
