#include "host/devices/dut_diagnostics.h"

#include "host/devices/rvc_responder.h"

namespace vlt::host {
namespace {

constexpr std::uint8_t kOperatingOnActive = 0x05;  // on (01), active (01)
constexpr std::uint8_t kYellowLamp = 0x10;
constexpr std::uint8_t kAck = 0;
constexpr std::size_t kRequestBytes = 3;
constexpr std::uint8_t kStatusError = 0x02;
constexpr std::uint8_t kBadFmi = 24;
constexpr std::uint8_t kBam = 0x20;
constexpr std::uint8_t kShortBytes = 6;
constexpr std::int64_t kFaultLateMs = 400;
constexpr std::int64_t kClearLateMs = 1500;
constexpr std::int64_t kSlowClearMs = 600;
constexpr std::uint8_t kNak = 1;
constexpr std::int64_t kSlowRepeatMs = 1500;
constexpr std::int64_t kSlowHeartbeatMs = 7000;
constexpr std::int64_t kFaultAfterClearMs = 500;

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
  hadFault_ = false;
  clearing_ = false;
  nextReport_.reset();
  rebootDue_.reset();
}

void DutDiagnostics::ReportIn(std::int64_t nowMicros, std::int64_t ms) {
  if (!nextReport_) return;  // no address yet: its first report comes with one
  nextReport_ = nowMicros + MsToMicros(ms);
}

void DutDiagnostics::SetFaultCondition(bool on, std::int64_t nowMicros) {
  if (on == condition_) return;
  condition_ = on;
  if (on) {
    if (occurrences_ < 0x7E) ++occurrences_;
    latched_ = false;
    ReportIn(nowMicros, Has(DutFault::kFaultLate) ? kFaultLateMs : kDmRvChangeMs);
    return;
  }
  latched_ = Has(DutFault::kLatchingFaults) || Has(DutFault::kResetIgnored) ||
             Has(DutFault::kResetKeepsFaults);
  if (Reporting() || Has(DutFault::kFaultNotReported)) return;
  clearing_ = true;
  ReportIn(nowMicros, Has(DutFault::kNoClearMsg)     ? kDmRvHeartbeatMs
                      : Has(DutFault::kClearMsgLate) ? kClearLateMs
                      : Has(DutFault::kSlowClear)    ? kSlowClearMs
                                                     : kDmRvChangeMs);
}

std::int64_t DutDiagnostics::PeriodMs() const {
  if (Reporting()) {
    return Has(DutFault::kFaultNotRepeated)  ? kDmRvHeartbeatMs
           : Has(DutFault::kFaultSlowRepeat) ? kSlowRepeatMs
                                             : kDmRvFaultRepeatMs;
  }
  if (hadFault_ && Has(DutFault::kFastHeartbeatAfterClear)) return kDmRvFaultRepeatMs;
  return Has(DutFault::kSlowHeartbeat) ? kSlowHeartbeatMs : kDmRvHeartbeatMs;
}

BusFrame DutDiagnostics::Report(std::uint8_t address, std::uint8_t dsa, bool fault) const {
  if (fault && Has(DutFault::kFaultOtherDsa)) --dsa;
  if (Has(DutFault::kDmRvNoDsa)) dsa = 0xFF;
  auto data = DmRvData(dsa, fault, occurrences_);
  if (fault && Has(DutFault::kLampsOffWithFault)) data[0] &= 0x0F;
  if (fault && Has(DutFault::kFaultBadFmi)) data[4] = (data[4] & 0xE0) | kBadFmi;
  if (!fault && Has(DutFault::kHeartbeatLampOn)) data[0] |= kYellowLamp;
  if (Has(DutFault::kDmRvBadStatus)) data[0] = (data[0] & 0xFC) | kStatusError;
  if (Has(DutFault::kDmRvZeroFill)) data[6] = data[7] = 0;
  BusFrame frame = *MakeBusFrame(kDutStatusPriority, kDgnDmRv, address, data);
  if (Has(DutFault::kDmRvShort)) frame.length = kShortBytes;
  return frame;
}

void DutDiagnostics::SendReport(std::uint8_t address, std::uint8_t dsa, std::int64_t due,
                                PendingFrames& pending) const {
  const BusFrame report = Report(address, dsa, Reporting());
  if (!Reporting() || !Has(DutFault::kDmRvMultipacket)) {
    pending.Add(due, report);
    return;
  }
  // J1939's DM1 way: the lamps, then four bytes for each fault, the second SPN 7 FMI 2.
  const std::array<std::uint8_t, 10> bytes{
      report.data[0], report.data[1], report.data[2], report.data[3], report.data[4],
      report.data[5], 0x00,           0x00,           0xE2,           0x81};
  constexpr std::uint8_t kPackets = 2;
  const std::array<std::uint8_t, 8> announce{kBam,
                                             static_cast<std::uint8_t>(bytes.size()),
                                             0,
                                             kPackets,
                                             0xFF,
                                             static_cast<std::uint8_t>(kDgnDmRv),
                                             static_cast<std::uint8_t>(kDgnDmRv >> 8),
                                             static_cast<std::uint8_t>(kDgnDmRv >> 16)};
  pending.Add(due, *MakeBusFrame(kTransportPriority, kPgnTransportControl | kGlobalAddress, address,
                                 announce));
  for (std::uint8_t p = 0; p < kPackets; ++p) {
    std::array<std::uint8_t, 8> data{};
    data.fill(0xFF);
    data[0] = static_cast<std::uint8_t>(p + 1);
    for (std::size_t i = 0; i < 7 && p * 7u + i < bytes.size(); ++i) data[1 + i] = bytes[p * 7 + i];
    pending.Add(
        due + MsToMicros(kBamGapMs * (p + 1)),
        *MakeBusFrame(kTransportPriority, kPgnTransportData | kGlobalAddress, address, data));
  }
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
  const bool silent = !Reporting() && !clearing_ && Has(DutFault::kNoHeartbeat);
  if (!silent) SendReport(address, dsa, nowMicros, pending);
  if (clearing_ && Has(DutFault::kFaultAfterClear)) {
    pending.Add(nowMicros + MsToMicros(kFaultAfterClearMs), Report(address, dsa, true));
  }
  hadFault_ = hadFault_ || Reporting();
  clearing_ = false;
  nextReport_ = nowMicros + MsToMicros(PeriodMs());
}

std::optional<std::int64_t> DutDiagnostics::NextDeadlineMicros() const {
  return Earliest(nextReport_, rebootDue_);
}

bool DutDiagnostics::OnFrame(const BusFrame& frame, std::uint8_t address, std::uint8_t dsa,
                             std::int64_t nowMicros, PendingFrames& pending) {
  const std::uint8_t to = frame.DestinationAddress();
  if (frame.Pgn() == kPgnGeneralReset) {
    if (to == address || Has(DutFault::kResetAnyAddress)) {
      OnReset(frame, address, dsa, nowMicros, pending);
    }
    return true;
  }
  if (frame.Pgn() != kPgnRequest || frame.length < kRequestBytes ||
      RequestedDgn(frame) != kDgnDmRv) {
    return false;
  }
  const bool asked = to == address || to == kGlobalAddress || Has(DutFault::kAnswersOtherTarget);
  if (asked && !Has(DutFault::kDmRvIgnoresRequest)) {
    const std::int64_t ms =
        Has(DutFault::kDmRvLateAnswer) ? kLateAnswerMs : common_.timing.reactionMs;
    SendReport(address, dsa, nowMicros + MsToMicros(ms), pending);
  }
  return true;
}

void DutDiagnostics::OnReset(const BusFrame& reset, std::uint8_t address, std::uint8_t /*dsa*/,
                             std::int64_t nowMicros, PendingFrames& pending) {
  if (reset.length < 1 || Has(DutFault::kResetIgnored)) return;
  const std::uint8_t sender = reset.SourceAddress();
  const std::uint8_t to = Has(DutFault::kResetAckToGlobal) ? kGlobalAddress : sender;
  const std::int64_t due = nowMicros + MsToMicros(common_.timing.reactionMs);
  const bool lacks = Has(DutFault::kNoGeneralReset);
  std::array<std::uint8_t, 8> ack{lacks ? kNak : kAck, 0xFF, 0xFF, 0xFF, sender, 0, 0, 0};
  ack[5] = static_cast<std::uint8_t>(kPgnGeneralReset);
  ack[6] = static_cast<std::uint8_t>(kPgnGeneralReset >> 8);
  ack[7] = static_cast<std::uint8_t>(kPgnGeneralReset >> 16);
  if (!Has(DutFault::kResetNoAck)) {
    pending.Add(due, *MakeBusFrame(kDutStatusPriority, kPgnAcknowledgment | to, address, ack));
  }
  if (lacks) return;
  const std::uint8_t asks = reset.data[0];
  const bool clear = Asks(asks, 2);
  if (clear && latched_ && !condition_ && !Has(DutFault::kResetKeepsFaults)) {
    latched_ = false;
    clearing_ = true;
    if (nextReport_) nextReport_ = due + MsToMicros(kDmRvChangeMs);
  }
  if (Asks(asks, 0) || (clear && Has(DutFault::kResetReboots))) {
    rebootDue_ = due + MsToMicros(kDutReactionMs);
  }
}

}  // namespace vlt::host
