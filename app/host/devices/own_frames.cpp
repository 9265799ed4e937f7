#include "host/devices/own_frames.h"

#include <algorithm>

#include "host/devices/dimmer_load.h"

namespace vlt::host {
namespace {

constexpr std::uint8_t kPfAcknowledgment = 0xE8;
constexpr std::uint8_t kPfTransportData = 0xEB;
constexpr std::uint8_t kPfTransportControl = 0xEC;
constexpr std::uint8_t kPfAddressClaim = 0xEE;
constexpr std::uint8_t kPfProprietary = 0xEF;
constexpr std::uint32_t kReservedBit = 1u << 25;

// Address claiming keeps its own timing: its frames answer requests and rivals.
bool IsAddressing(const BusFrame& frame) {
  return frame.Pgn() == kPgnAddressClaim || IsRequestForClaim(frame);
}

bool IsTransportData(const BusFrame& frame) {
  return frame.PduFormat() == kPfTransportData;
}

}  // namespace

void OwnFrames::Heard(const BusFrame& frame, std::uint8_t address, std::int64_t /*nowMicros*/) {
  const std::uint8_t pf = frame.PduFormat();
  const std::uint8_t to = frame.DestinationAddress();
  if (pf == kPfProprietary && to != address) {
    if (Has(DutFault::kPropReacts)) waiting_.push_back({StatusFrame(common_, address)});
    if (Has(DutFault::kPropActs)) loadToggled_ = true;
  }
  bool asked = false;
  if (pf < kFirstBroadcastPduFormat) {
    const bool answersNothing = pf == kPfAcknowledgment || pf == kPfTransportData ||
                                pf == kPfTransportControl || pf == kPfAddressClaim;
    asked =
        !answersNothing && (to == address || (frame.Pgn() == kPgnRequest && to == kGlobalAddress));
  } else {
    asked = frame.Dgn() == kDgnDimmerCommand;
  }
  if (asked) answerOwed_ = true;
}

std::optional<BusFrame> OwnFrames::AsSent(BusFrame frame, std::int64_t nowMicros) const {
  if (Has(DutFault::kSilent6s) && poweredMicros_) {
    const std::int64_t since = (nowMicros - *poweredMicros_) % MsToMicros(kSilenceCycleMs);
    if (since >= MsToMicros(kSilenceStartMs) && since < MsToMicros(kSilenceStartMs + kSilenceMs)) {
      return std::nullopt;
    }
  }
  if (Has(DutFault::kUnclaimedAddress) && !IsAddressing(frame)) {
    frame.id = (frame.id & ~0xFFu) | NeighbourAddress(frame.SourceAddress());
  }
  if (loadToggled_ && frame.Dgn() == kDgnDimmerStatus) {
    std::uint8_t& level = frame.data[kDimmerLevelByte];
    level = level == 0 ? kDimmerFullLevel : 0;
  }
  if (frame.Dgn() != common_.statusDgn) return frame;
  if (Has(DutFault::kShortDlc)) frame.length = kShortDlcBytes;
  if (Has(DutFault::kZeroFill)) {
    for (std::size_t i = 1; i < frame.length; ++i) {
      if (frame.data[i] == 0xFF) frame.data[i] = 0x00;
    }
  }
  if (Has(DutFault::kHighPriority)) {
    frame.id = MakeIdentifier(kHighPriority, frame.Dgn(), frame.SourceAddress()) |
               (frame.id & kReservedBit);
  }
  if (Has(DutFault::kReservedBitSet)) frame.id |= kReservedBit;
  return frame;
}

std::int64_t OwnFrames::GapMicros(const Waiting& waiting) const {
  return MsToMicros(answerOwed_ || waiting.quick ? kAnswerGapMs : kOwnFrameGapMs);
}

void OwnFrames::AddFaultFrames(std::uint8_t address, std::int64_t nowMicros) {
  if (!Has(DutFault::kPropBroadcast) && !Has(DutFault::kUndocumentedDgn) &&
      !Has(DutFault::kProprietaryB)) {
    return;
  }
  if (!nextFaultFrameMicros_) nextFaultFrameMicros_ = nowMicros + MsToMicros(kFaultFramePeriodMs);
  if (*nextFaultFrameMicros_ > nowMicros) return;
  nextFaultFrameMicros_ = nowMicros + MsToMicros(kFaultFramePeriodMs);
  const std::uint8_t payload[8] = {0x56, 0x4C, 0x54, 0x01, 0xFF, 0xFF, 0xFF, 0xFF};
  if (Has(DutFault::kPropBroadcast)) {
    waiting_.push_back(
        {*MakeBusFrame(kDutStatusPriority, kDgnProprietary | kGlobalAddress, address, payload)});
  }
  if (Has(DutFault::kUndocumentedDgn)) {
    waiting_.push_back({*MakeBusFrame(kDutStatusPriority, kUndocumentedDgn, address, payload)});
  }
  if (Has(DutFault::kProprietaryB)) {
    waiting_.push_back({*MakeBusFrame(kDutStatusPriority, kDgnProprietaryB, address, payload)});
  }
}

void OwnFrames::Send(std::vector<BusFrame>& due, std::optional<std::uint8_t> address,
                     std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (!poweredMicros_) poweredMicros_ = nowMicros;
  if (!bursts_.empty() && burstDueMicros_ <= nowMicros) {
    out.insert(out.end(), bursts_.begin(), bursts_.end());
    bursts_.clear();
  }
  if (address) AddFaultFrames(*address, nowMicros);
  // A claim and what goes out ahead of it in the same moment keep the claim's
  // timing; what falls due after it waits its turn.
  const auto lastClaim = std::find_if(due.rbegin(), due.rend(), IsAddressing);
  const auto claimingEnd = lastClaim.base();
  for (auto it = due.begin(); it != due.end(); ++it) {
    if (const auto sent = AsSent(*it, nowMicros)) {
      const bool fastBam = IsTransportData(*sent) && Has(DutFault::kProductIdFastBam);
      const Waiting next{*sent, it < claimingEnd || fastBam};
      // Claims and their company go ahead of ordinary traffic still waiting.
      const auto place = next.quick ? std::find_if(waiting_.begin(), waiting_.end(),
                                                   [](const Waiting& w) { return !w.quick; })
                                    : waiting_.end();
      waiting_.insert(place, next);
    }
  }
  due.clear();
  while (!waiting_.empty()) {
    if (lastSentMicros_ && nowMicros - *lastSentMicros_ < GapMicros(waiting_.front())) break;
    const BusFrame& next = waiting_.front().frame;
    out.push_back(next);
    if (Has(DutFault::kBurst) && next.Dgn() == common_.statusDgn) {
      bursts_.push_back(next);
      burstDueMicros_ = nowMicros + MsToMicros(kBurstGapMs);
    }
    lastSentMicros_ = nowMicros;
    answerOwed_ = false;
    waiting_.pop_front();
  }
}

std::optional<std::int64_t> OwnFrames::NextDeadlineMicros(
    std::optional<std::uint8_t> address) const {
  std::optional<std::int64_t> next;
  if (!waiting_.empty()) {
    next = lastSentMicros_ ? *lastSentMicros_ + GapMicros(waiting_.front()) : 0;
  }
  if (!bursts_.empty()) next = Earliest(next, burstDueMicros_);
  if (address && nextFaultFrameMicros_) next = Earliest(next, nextFaultFrameMicros_);
  if (address && !nextFaultFrameMicros_ &&
      (Has(DutFault::kPropBroadcast) || Has(DutFault::kUndocumentedDgn) ||
       Has(DutFault::kProprietaryB))) {
    // The first round starts the period.
    next = Earliest(next, poweredMicros_.value_or(0));
  }
  return next;
}

void OwnFrames::Restart() {
  waiting_.clear();
  lastSentMicros_.reset();
  poweredMicros_.reset();
  answerOwed_ = false;
  loadToggled_ = false;
  nextFaultFrameMicros_.reset();
  bursts_.clear();
}

}  // namespace vlt::host
