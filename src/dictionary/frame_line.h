// Frames written as text, one a line, as recordings and people write them:
//
//   candump -L     (1700000000.123456) can0 18EEFF80#0102030405060708
//                  the time (with or without brackets) and the interface optional
//   DGN SA data    0EE00 80 01 02 03 04 05 06 07 08
//
// A candump line is read as the host reads it (framework/candump_line.h); its
// identifier becomes the DGN the tester sees (a claim to FFh is 0EE00h, one to
// 00h is 0EEFFh: framework/tool_dgn.h).
// The DGN form is a frame as the host delivers it, so it may carry an assembled
// multi-packet message of up to 1785 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/frame_record.h"
#include "framework/host_protocol.h"

namespace vlt::dictionary {

struct FrameLine {
  // Milliseconds of the candump time modulo 2^32 (the record's width); 0 without one.
  std::uint32_t timeStampMs = 0;
  std::uint32_t dgn = 0;
  std::uint8_t sourceAddress = 0;
  std::uint8_t priority = framework::kTransmitPriority;
  std::uint8_t reservedBit = 0;
  std::vector<std::uint8_t> data;
};

struct FrameLineReading {
  enum class Kind { kFrame, kBlank, kMalformed };
  Kind kind = Kind::kBlank;
  FrameLine frame;    // kFrame
  std::string error;  // kMalformed: what is wrong, for a person
};

// A line of blanks (or nothing) is kBlank; a trailing CR is ignored.
FrameLineReading ReadFrameLine(std::string_view line);

// The frame as the tick thread would hand it on; it points into `line`.
framework::FrameMessage MessageOf(const FrameLine& line);
framework::FrameRecord RecordOf(const FrameLine& line);

}  // namespace vlt::dictionary
