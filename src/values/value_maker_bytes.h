// Byte lists typed as text: the eight data bytes of a frame in hexadecimal, as a
// J1939 NAME is written ("01 FF C8 00 FF FF FF FF"), and a list of byte
// positions within a frame ("2" or "2, 3"). Both are kept as the text of a
// 36-character field, written the one way the makers format them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "values/value_maker_text.h"

namespace vlt::values {

inline constexpr std::size_t kFrameDataBytes = 8;
using FrameBytes = std::array<std::uint8_t, kFrameDataBytes>;

// Sixteen hexadecimal digits, in pairs separated by blanks or not at all.
std::optional<FrameBytes> ReadFrameBytes(std::string_view text);
// "01 FF C8 00 FF FF FF FF".
std::string FrameBytesText(const FrameBytes& bytes);

// Positions `first` to 7 separated by blanks or commas, each once; in the order given.
std::optional<std::vector<std::uint8_t>> ReadBytePositions(std::string_view text,
                                                           std::uint8_t first = 1);
// "2, 3".
std::string BytePositionsText(const std::vector<std::uint8_t>& positions);

class ValueMakerFrameBytes : public ValueMakerString36Char {
 public:
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
};

// Byte 0 of the frames these positions point into is the instance, never a state.
class ValueMakerBytePositions : public ValueMakerString36Char {
 public:
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
};

}  // namespace vlt::values
