#include "host/devices/dut_diagnostics.h"

#include "host/devices/rvc_responder.h"

namespace vlt::host {
namespace {

constexpr std::uint8_t kOperatingOnActive = 0x05;  // on (01), active (01)
constexpr std::uint8_t kYellowLamp = 0x10;
constexpr std::uint8_t kAck = 0;
constexpr std::size_t kRequestBytes = 3;

// A 2-bit field of GENERAL_RESET asks to act only as 01.
bool Asks(std::uint8_t byte, int shift) {
  return ((byte >> shift) & 0x03) == 0x01;
}

std::uint32_t RequestedDgn(const BusFrame& request) {
  return (request.data[0] | (request.data[1] << 8) | (request.data[2] << 16)) & kDgnMask;
}

}  // namespace

std::array<std::uint8_t, 8> DmRvData(std::uint8_t dsa, bool fault, std::uint8_t count) {
  std::array<std::uint8_t, 8> data{};
  data.fill(0xFF);
  data[0] = kOperatingOnActive;
  data[1] = dsa;
  if (fault) {
    data[0] |= kYellowLamp;
    // 19-bit SPN, most significant byte first, then the FMI in the low 5 bits.
    data[2] = static_cast<std::uint8_t>(kDutFaultSpn >> 11);
    data[3] = static_cast<std::uint8_t>(kDutFaultSpn >> 3);
    data[4] = static_cast<std::uint8_t>(((kDutFaultSpn & 0x07) << 5) | kDutFaultFmi);
    data[5] = static_cast<std::uint8_t>(0x80 | (count & 0x7F));
  }
  return data;
}

void DutDiagnostics::Restart() {
  latched_ = false;
  nextReport_.reset();
  rebootDue_.reset();
}

void DutDiagnostics::ReportSoon(std::int64_t nowMicros) {
  if (!nextReport_) return;  // no address yet: its first report comes with one
  nextReport_ = nowMicros + MsToMicros(kDmRvChangeMs);
}

void DutDiagnostics::SetFaultCondition(bool on, std::int64_t nowMicros) {
  if (on == condition_) return;
  condition_ = on;
  if (on) {
    if (occurrences_ < 0x7E) ++occurrences_;
    latched_ = false;
  } else {
    latched_ = Has(DutFault::kLatchingFaults);
  }
  if (!Reporting() || on) ReportSoon(nowMicros);
}

BusFrame DutDiagnostics::Report(std::uint8_t address, std::uint8_t dsa) const {
  const auto data = DmRvData(dsa, Reporting(), occurrences_);
  return *MakeBusFrame(kDutStatusPriority, kDgnDmRv, address, data);
}

void DutDiagnostics::Poll(std::uint8_t address, std::uint8_t dsa, std::int64_t nowMicros,
                          PendingFrames& pending) {
  // The first heartbeat of its normal operation comes a little after its first
  // status, so the two never queue behind each other.
  if (!nextReport_) {
    nextReport_ = nowMicros + MsToMicros(kDmRvFirstAfterMs);
    return;
  }
  if (*nextReport_ > nowMicros) return;
  pending.Add(nowMicros, Report(address, dsa));
  nextReport_ = nowMicros + MsToMicros(Reporting() ? kDmRvFaultRepeatMs : kDmRvHeartbeatMs);
}

std::optional<std::int64_t> DutDiagnostics::NextDeadlineMicros() const {
  return Earliest(nextReport_, rebootDue_);
}

bool DutDiagnostics::OnFrame(const BusFrame& frame, std::uint8_t address, std::uint8_t dsa,
                             std::int64_t nowMicros, PendingFrames& pending) {
  const std::uint8_t to = frame.DestinationAddress();
  if (frame.Pgn() == kPgnGeneralReset) {
    if (to == address) OnReset(frame, address, dsa, nowMicros, pending);
    return true;
  }
  if (frame.Pgn() != kPgnRequest || frame.length < kRequestBytes ||
      RequestedDgn(frame) != kDgnDmRv) {
    return false;
  }
  if (to == address || to == kGlobalAddress || Has(DutFault::kAnswersOtherTarget)) {
    pending.Add(nowMicros + MsToMicros(common_.timing.reactionMs), Report(address, dsa));
  }
  return true;
}

void DutDiagnostics::OnReset(const BusFrame& reset, std::uint8_t address, std::uint8_t /*dsa*/,
                             std::int64_t nowMicros, PendingFrames& pending) {
  if (reset.length < 1) return;
  const std::uint8_t sender = reset.SourceAddress();
  const std::int64_t due = nowMicros + MsToMicros(common_.timing.reactionMs);
  std::array<std::uint8_t, 8> ack{kAck, 0xFF, 0xFF, 0xFF, sender, 0, 0, 0};
  ack[5] = static_cast<std::uint8_t>(kPgnGeneralReset);
  ack[6] = static_cast<std::uint8_t>(kPgnGeneralReset >> 8);
  ack[7] = static_cast<std::uint8_t>(kPgnGeneralReset >> 16);
  pending.Add(due, *MakeBusFrame(kDutStatusPriority, kPgnAcknowledgment | sender, address, ack));
  const std::uint8_t asks = reset.data[0];
  if (Asks(asks, 2) && latched_ && !condition_) {
    latched_ = false;
    ReportSoon(due);
  }
  if (Asks(asks, 0)) rebootDue_ = due + MsToMicros(kDutReactionMs);
}

}  // namespace vlt::host
