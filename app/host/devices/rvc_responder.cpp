#include "host/devices/rvc_responder.h"

#include <algorithm>

namespace vlt::host {
namespace {

constexpr std::size_t kPacketBytes = 7;
constexpr std::uint8_t kBam = 0x20;
constexpr std::uint8_t kRts = 0x10;
constexpr std::uint8_t kCts = 0x11;
constexpr std::size_t kRequestBytes = 3;
constexpr std::size_t kRvcRequestBytes = 8;
constexpr std::uint8_t kAllInstances = 0xFF;
constexpr std::uint8_t kConditionsDoNotAllow = 3;

std::uint32_t RequestedDgn(const BusFrame& request) {
  return (request.data[0] | (request.data[1] << 8) | (request.data[2] << 16)) & kDgnMask;
}

bool Broadcast(std::uint32_t dgn) {
  return ((dgn >> 8) & 0xFF) >= kFirstBroadcastPduFormat;
}

BusFrame Frame(std::uint8_t priority, std::uint32_t dgn, std::uint8_t source,
               const std::array<std::uint8_t, 8>& data, std::size_t length = 8) {
  return *MakeBusFrame(priority, dgn, source, std::span<const std::uint8_t>(data.data(), length));
}

std::array<std::uint8_t, 8> WithDgn(std::array<std::uint8_t, 8> data, std::uint32_t dgn) {
  data[5] = static_cast<std::uint8_t>(dgn);
  data[6] = static_cast<std::uint8_t>(dgn >> 8);
  data[7] = static_cast<std::uint8_t>(dgn >> 16);
  return data;
}

}  // namespace

std::string ProductIdText(const DutCommon& common, DutKind kind) {
  const std::uint32_t identity =
      common.name[0] | (common.name[1] << 8) | ((common.name[2] & 0x1F) << 16);
  return std::string("Valmora Labs*VLT-SIM-") + (kind == DutKind::kStatic ? "S" : "D") + "*" +
         std::to_string(identity) + "*";
}

void RvcResponder::Restart() {
  nextUnrequestedMicros_.reset();
  heldPackets_.clear();
  dimmer_.PowerUp();
}

std::int64_t RvcResponder::AnswerDueMicros(std::int64_t nowMicros) const {
  return nowMicros +
         MsToMicros(Has(DutFault::kLateAnswer) ? kLateAnswerMs : common_.timing.reactionMs);
}

void RvcResponder::OnFrame(const BusFrame& frame, std::uint8_t address, std::int64_t nowMicros,
                           PendingFrames& pending) {
  if (const auto refused = dimmer_.OnFrame(frame, address, nowMicros, pending)) {
    Nak(kDgnDimmerCommand, refused->commander, address, refused->dueMicros, pending, refused->code);
  }
  // A node without an address may ask for claims only, which the addressing answers.
  if (frame.Pgn() == kPgnRequest && frame.length >= kRequestBytes &&
      frame.SourceAddress() != kNullAddress) {
    OnRequest(frame, address, nowMicros, pending);
  } else if (frame.Pgn() == kPgnTransportControl && frame.DestinationAddress() == address &&
             frame.length == 8 && frame.data[0] == kCts) {
    OnClearToSend(frame, address, nowMicros, pending);
  }
}

void RvcResponder::Poll(std::uint8_t address, std::int64_t nowMicros, PendingFrames& pending) {
  if (!Has(DutFault::kProductIdUnrequested)) return;
  if (!nextUnrequestedMicros_) {
    nextUnrequestedMicros_ = nowMicros + MsToMicros(kUnrequestedProductIdMs);
    return;
  }
  if (*nextUnrequestedMicros_ > nowMicros) return;
  nextUnrequestedMicros_ = nowMicros + MsToMicros(kUnrequestedProductIdMs);
  SendProductId(address, kGlobalAddress, nowMicros, pending);
}

std::optional<BusFrame> RvcResponder::StatusAnswer(std::uint32_t dgn, std::uint8_t instance,
                                                   std::uint8_t address) const {
  if (dgn != common_.statusDgn) return std::nullopt;
  const bool instanced = common_.instance != kAllInstances;
  if (instanced && instance != kAllInstances && instance != common_.instance) return std::nullopt;
  BusFrame frame = StatusFrame(common_, address);
  if (instanced && instance != kAllInstances && Has(DutFault::kWrongInstance)) {
    frame.data[0] = static_cast<std::uint8_t>(common_.instance + 1);
  }
  if (Has(DutFault::kShortAnswer)) frame.length = kShortAnswerBytes;
  return frame;
}

void RvcResponder::Nak(std::uint32_t dgn, std::uint8_t requester, std::uint8_t address,
                       std::int64_t due, PendingFrames& pending, std::uint8_t code) const {
  if (Has(DutFault::kNoNak)) return;
  const std::uint8_t to = Has(DutFault::kNakToGlobal) ? kGlobalAddress : requester;
  if (code == kNakCode && Has(DutFault::kNakWrongCode)) code = kConditionsDoNotAllow;
  const std::uint8_t named = Has(DutFault::kNakOwnAddress) ? address : requester;
  const std::uint32_t about = Has(DutFault::kNakWrongDgn) ? dgn + 1 : dgn;
  pending.Add(due, Frame(kDutStatusPriority, kPgnAcknowledgment | to, address,
                         WithDgn({code, 0xFF, 0xFF, 0xFF, named, 0, 0, 0}, about)));
}

void RvcResponder::OnRequest(const BusFrame& request, std::uint8_t address, std::int64_t nowMicros,
                             PendingFrames& pending) {
  if (Has(DutFault::kIgnoresRvcRequest) && request.length >= kRvcRequestBytes) return;
  const std::uint8_t to = request.DestinationAddress();
  const bool global = to == kGlobalAddress;
  if (!global && to != address && !Has(DutFault::kAnswersOtherTarget)) return;
  const std::uint32_t dgn = RequestedDgn(request);
  const std::uint8_t requester = request.SourceAddress();
  const std::uint8_t instance = request.length > 3 ? request.data[3] : kAllInstances;
  const std::int64_t due = AnswerDueMicros(nowMicros);

  bool has = false;
  if (dgn == kDgnProductId) {
    SendProductId(address, requester, due, pending);
    has = true;
  } else if (auto answer = StatusAnswer(dgn, instance, address)) {
    pending.Add(due, *answer);
    has = true;
  } else if (auto load = dimmer_.StatusAnswer(dgn, instance, address)) {
    pending.Add(due, *load);
    has = true;
  }
  if (has) {
    if (!global && Has(DutFault::kNakSupported)) Nak(dgn, requester, address, due, pending);
    return;
  }
  if (Has(DutFault::kAnswersUnsupported) && Broadcast(dgn)) {
    std::array<std::uint8_t, 8> data{};
    data.fill(0xFF);
    data[0] = instance;
    pending.Add(due, Frame(kDutStatusPriority, dgn, address, data));
    return;
  }
  // A request to all for a DGN it lacks gets silence; one to its address a NAK.
  if (!global || Has(DutFault::kNakGlobal)) Nak(dgn, requester, address, due, pending);
}

std::vector<std::uint8_t> RvcResponder::ProductIdBytes() const {
  std::string text = ProductIdText(common_, kind_);
  if (Has(DutFault::kProductIdNoDelimiters)) std::replace(text.begin(), text.end(), '*', ' ');
  if (Has(DutFault::kProductIdControlChars)) std::replace(text.begin(), text.end(), ' ', '\t');
  return {text.begin(), text.end()};
}

void RvcResponder::SendProductId(std::uint8_t address, std::uint8_t requester, std::int64_t due,
                                 PendingFrames& pending) {
  const std::vector<std::uint8_t> bytes = ProductIdBytes();
  const std::size_t packets = (bytes.size() + kPacketBytes - 1) / kPacketBytes;
  const bool rts = Has(DutFault::kProductIdRtsCts);
  const std::uint8_t announced =
      static_cast<std::uint8_t>(packets + (Has(DutFault::kProductIdBadCount) ? 1 : 0));
  const std::uint8_t to = rts ? requester : kGlobalAddress;
  pending.Add(
      due, Frame(kTransportPriority, kPgnTransportControl | to, address,
                 WithDgn({rts ? kRts : kBam, static_cast<std::uint8_t>(bytes.size()),
                          static_cast<std::uint8_t>(bytes.size() >> 8), announced, 0xFF, 0, 0, 0},
                         kDgnProductId)));
  const std::int64_t gap = Has(DutFault::kProductIdFastBam)   ? kFastBamGapMs
                           : Has(DutFault::kProductIdSlowBam) ? kSlowBamGapMs
                                                              : kBamGapMs;
  const std::uint8_t firstSequence = Has(DutFault::kProductIdBadSequence) ? 0 : 1;
  const std::uint8_t padding = Has(DutFault::kProductIdNoPadding) ? 0x00 : 0xFF;
  heldPackets_.clear();
  for (std::size_t p = 0; p < packets; ++p) {
    std::array<std::uint8_t, 8> data{};
    data.fill(padding);
    data[0] = static_cast<std::uint8_t>(firstSequence + p);
    for (std::size_t i = 0; i < kPacketBytes && p * kPacketBytes + i < bytes.size(); ++i) {
      data[1 + i] = bytes[p * kPacketBytes + i];
    }
    const BusFrame packet = Frame(kTransportPriority, kPgnTransportData | to, address, data);
    if (rts) {
      heldPackets_.push_back(packet);
    } else {
      pending.Add(due + MsToMicros(gap * static_cast<std::int64_t>(p + 1)), packet);
    }
  }
}

void RvcResponder::OnClearToSend(const BusFrame& /*cts*/, std::uint8_t /*address*/,
                                 std::int64_t nowMicros, PendingFrames& pending) {
  // One CTS for every packet is all the tester's host asks for.
  for (std::size_t p = 0; p < heldPackets_.size(); ++p) {
    pending.Add(nowMicros + MsToMicros(kBamGapMs * static_cast<std::int64_t>(p + 1)),
                heldPackets_[p]);
  }
  heldPackets_.clear();
}

}  // namespace vlt::host
