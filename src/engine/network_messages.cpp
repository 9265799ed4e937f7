#include "engine/network_messages.h"

#include <cstdio>

#include "engine/watch.h"

namespace vlt::engine {
namespace {

constexpr std::uint8_t kFirstBroadcastPduFormat = 0xF0;

std::uint32_t ThreeBytes(const std::uint8_t* bytes) {
  return bytes[0] | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16);
}

bool IsFrameOf(const framework::FrameRecord& frame, std::uint32_t dgn) {
  return frame.textFlag == 0 && DgnWithoutDestination(frame.dgn) == dgn;
}

}  // namespace

bool IsDestinationSpecific(std::uint32_t dgn) {
  return ((dgn >> 8) & 0xFFu) < kFirstBroadcastPduFormat;
}

std::uint32_t DgnWithoutDestination(std::uint32_t dgn) {
  return IsDestinationSpecific(dgn) ? dgn & 0x1FF00u : dgn;
}

std::uint8_t DestinationOf(std::uint32_t dgn) {
  return IsDestinationSpecific(dgn) ? static_cast<std::uint8_t>(dgn & 0xFFu)
                                    : framework::kGlobalAddress;
}

std::string DgnText(std::uint32_t dgn) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", static_cast<unsigned>(dgn & framework::kDgnMask));
  return text;
}

std::string ByteText(std::uint32_t value) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", static_cast<unsigned>(value & 0xFF));
  return text;
}

std::array<std::uint8_t, kRvcFrameBytes> RequestData(std::uint32_t dgn, std::uint8_t instance,
                                                     std::uint8_t bank) {
  return {static_cast<std::uint8_t>(dgn & 0xFF),
          static_cast<std::uint8_t>((dgn >> 8) & 0xFF),
          static_cast<std::uint8_t>((dgn >> 16) & 0x01),
          instance,
          bank,
          0xFF,
          0xFF,
          0xFF};
}

std::optional<std::uint32_t> RequestedDgn(const framework::FrameRecord& frame) {
  if (!IsFrameOf(frame, kRequestDgn) || frame.length < kJ1939RequestBytes) return std::nullopt;
  return ThreeBytes(frame.data) & framework::kDgnMask;
}

std::optional<Acknowledgment> ReadAcknowledgment(const framework::FrameRecord& frame) {
  if (!IsFrameOf(frame, kAcknowledgmentDgn) || frame.length < kRvcFrameBytes) return std::nullopt;
  Acknowledgment ack;
  ack.code = frame.data[0];
  ack.instance = frame.data[1];
  ack.bank = frame.data[2];
  ack.address = frame.data[4];
  ack.dgn = ThreeBytes(frame.data + 5) & framework::kDgnMask;
  ack.destination = DestinationOf(frame.dgn);
  ack.source = frame.sourceAddress;
  ack.length = frame.length;
  return ack;
}

std::string AcknowledgmentCodeText(std::uint8_t code) {
  static constexpr const char* kMeanings[] = {
      "ACK (will be done)",         "NAK (will not be done)", "not acceptable from this source",
      "conditions do not allow it", "not formatted properly", "a parameter out of range",
      "password required",          "needs more time",        "overridden by the user",
  };
  const std::string number = std::to_string(code);
  if (code < std::size(kMeanings)) return number + " " + kMeanings[code];
  return number + (code >= 128 ? " command-specific" : " reserved");
}

std::optional<TransportAnnouncement> ReadTransportAnnouncement(
    const framework::FrameRecord& frame) {
  if (!IsFrameOf(frame, kTpControlDgn) || frame.length < kRvcFrameBytes) return std::nullopt;
  const std::uint8_t control = frame.data[0];
  if (control != kTpBamControl && control != kTpRtsControl) return std::nullopt;
  TransportAnnouncement a;
  a.control = control;
  a.size = static_cast<std::uint16_t>(frame.data[1] | (frame.data[2] << 8));
  a.packets = frame.data[3];
  a.dgn = ThreeBytes(frame.data + 5) & framework::kDgnMask;
  a.destination = DestinationOf(frame.dgn);
  return a;
}

}  // namespace vlt::engine
