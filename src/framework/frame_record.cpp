#include "framework/frame_record.h"

#include <algorithm>
#include <cstring>

namespace vlt::framework {

FrameRecord FrameRecord::FromFrame(const FrameMessage& frame, std::uint32_t nowMs,
                                   std::uint32_t logStartMs) {
  FrameRecord record;
  std::memset(&record, 0, sizeof(record));
  if (frame.type == kMsgStampedFrame) {
    record.timeStamp = frame.hostMicros / 1000;
    record.priority = frame.priority;
    record.reservedBit = frame.reservedBit;
  } else {
    record.timeStamp = nowMs;
    record.priority = kTransmitPriority;
    record.reservedBit = 0;
  }
  record.messageType = frame.type;
  record.dgn = frame.dgn;
  record.sourceAddress = frame.sourceAddress;
  // An empty frame's span may hold no pointer at all.
  const std::size_t length = std::min(frame.data.size(), kMaxFrameDataBytes);
  record.length = static_cast<std::uint16_t>(length);
  if (length != 0) std::memcpy(record.data, frame.data.data(), length);
  record.textFlag = 0;
  record.relativeTime = record.timeStamp - logStartMs;
  return record;
}

FrameRecord FrameRecord::FromText(std::string_view text, std::uint32_t nowMs) {
  FrameRecord record;
  std::memset(&record, 0, sizeof(record));
  const std::size_t n = std::min(text.size(), kMaxFrameDataBytes - 1);
  record.timeStamp = nowMs;
  record.relativeTime = nowMs;
  record.messageType = kMsgFrame;
  record.dgn = 0;
  record.sourceAddress = kGlobalAddress;
  record.length = static_cast<std::uint16_t>(n);
  std::memcpy(record.data, text.data(), n);
  record.data[n] = 0;
  record.textFlag = 1;
  return record;
}

}  // namespace vlt::framework
