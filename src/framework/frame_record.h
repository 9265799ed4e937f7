// One received frame or one text line, as data logs store them and watches see
// them. The packed layout is the one saved logs and peers know; do not reorder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/host_protocol.h"

namespace vlt::framework {

#pragma pack(push, 1)
struct FrameRecord {
  std::uint32_t timeStamp;     // ms on the common time base (host stamp / 1000 for 03h)
  std::uint32_t relativeTime;  // ms since the start of the data log that holds it
  std::uint8_t messageType;    // 00h or 03h; 00h for a text line
  std::uint32_t dgn;           // 17 bits used; low byte = destination for PDU1 DGNs
  std::uint8_t sourceAddress;
  std::uint16_t length;                   // data bytes
  std::uint8_t data[kMaxFrameDataBytes];  // a text line: its characters and a NUL
  std::uint8_t priority;                  // 0 to 7
  std::uint8_t reservedBit;               // of the 29-bit identifier
  std::uint32_t textFlag;                 // 1 for a text line

  // From a validated frame message. `nowMs` is the common time base; `logStartMs`
  // the start of the receiving data log.
  static FrameRecord FromFrame(const FrameMessage& frame, std::uint32_t nowMs,
                               std::uint32_t logStartMs);
  // A text line; text longer than the data area keeps its first 1784 characters.
  static FrameRecord FromText(std::string_view text, std::uint32_t nowMs);
};
#pragma pack(pop)

static_assert(sizeof(FrameRecord) == 1807);
static_assert(offsetof(FrameRecord, relativeTime) == 4);
static_assert(offsetof(FrameRecord, messageType) == 8);
static_assert(offsetof(FrameRecord, dgn) == 9);
static_assert(offsetof(FrameRecord, sourceAddress) == 13);
static_assert(offsetof(FrameRecord, length) == 14);
static_assert(offsetof(FrameRecord, data) == 16);
static_assert(offsetof(FrameRecord, priority) == 1801);
static_assert(offsetof(FrameRecord, reservedBit) == 1802);
static_assert(offsetof(FrameRecord, textFlag) == 1803);

}  // namespace vlt::framework
