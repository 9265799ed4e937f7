// Frames as can-utils `candump -L` lines, the text that recordings, frame pipes,
// replays and `vlt decode` read:
//
//   (1700000000.123456) can0 18EEFF80#0102030405060708
//
// The time may stand without brackets or be left out, the interface name is any
// word. Only classic frames with 29-bit identifiers (eight hex digits) are
// RV-C's; 11-bit, remote and CAN FD frames are recognised so that they can be
// counted and named apart from text that is no frame at all.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vlt::framework {

inline constexpr std::size_t kMaxCandumpDataBytes = 8;
inline constexpr std::uint32_t kHighestExtendedId = 0x1FFFFFFF;

struct CandumpLine {
  enum class Kind {
    kFrame,      // a classic frame with a 29-bit identifier
    kBlank,      // nothing but blanks
    kShortId,    // an 11-bit identifier
    kRemote,     // a remote frame (R)
    kFd,         // a CAN FD frame (##)
    kMalformed,  // no frame line at all
  };
  Kind kind = Kind::kBlank;
  std::uint32_t identifier = 0;  // kFrame
  std::uint8_t length = 0;       // kFrame
  std::array<std::uint8_t, kMaxCandumpDataBytes> data{};
  std::optional<std::int64_t> stampMicros;  // the line's time, when it has one
  // Every kind but kFrame and kBlank: what the line is or what is wrong, for a
  // person; the line's own bytes in it are quoted and escaped.
  std::string error;

  std::span<const std::uint8_t> Data() const { return {data.data(), length}; }
};

// A trailing CR is ignored.
CandumpLine ParseCandumpLine(std::string_view line);

// "(1700000000.123456) can0 18EEFF80#0102030405060708" (no line end); a negative
// time is written as 0, data beyond eight bytes are not written.
std::string FormatCandumpLine(std::uint32_t identifier, std::span<const std::uint8_t> data,
                              std::int64_t stampMicros, std::string_view interfaceName = "can0");

// Text from outside as a message shows it: in double quotes, cut after 40 bytes,
// with control bytes, bytes above 7Eh, quotes and backslashes escaped (\x1B, \",
// \\), so that a terminal shows the bytes instead of acting on them.
std::string QuotedInput(std::string_view text);

}  // namespace vlt::framework
