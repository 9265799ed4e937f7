#include "values/value_maker_bytes.h"

#include <algorithm>
#include <cctype>

namespace vlt::values {

namespace {

constexpr std::uint8_t kLastPosition = kFrameDataBytes - 1;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<FrameBytes> ReadFrameBytes(std::string_view text) {
  FrameBytes bytes{};
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    // A byte is two digits together: "1 FF" is no byte.
    if (i + 1 >= text.size() || count == bytes.size()) return std::nullopt;
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[count++] = static_cast<std::uint8_t>(high * 16 + low);
    i += 2;
  }
  if (count != bytes.size()) return std::nullopt;
  return bytes;
}

std::string FrameBytesText(const FrameBytes& bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += value_rules::Printf("%02X", static_cast<unsigned>(byte));
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> ReadBytePositions(std::string_view text,
                                                           std::uint8_t first) {
  std::vector<std::uint8_t> positions;
  bool separated = true;
  for (const char c : text) {
    if (IsBlank(c) || c == ',') {
      separated = true;
      continue;
    }
    if (c < '0' || c > '9' || !separated) return std::nullopt;
    const auto position = static_cast<std::uint8_t>(c - '0');
    if (position < first || position > kLastPosition ||
        std::find(positions.begin(), positions.end(), position) != positions.end()) {
      return std::nullopt;
    }
    positions.push_back(position);
    separated = false;
  }
  if (positions.empty()) return std::nullopt;
  return positions;
}

std::string BytePositionsText(const std::vector<std::uint8_t>& positions) {
  std::string text;
  for (const std::uint8_t position : positions) {
    if (!text.empty()) text += ", ";
    text += std::to_string(position);
  }
  return text;
}

bool ValueMakerFrameBytes::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  const auto bytes = ReadFrameBytes(text);
  return bytes && ValueMakerString36Char::Parse(FrameBytesText(*bytes), raw);
}

bool ValueMakerBytePositions::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  const auto positions = ReadBytePositions(text);
  return positions && ValueMakerString36Char::Parse(BytePositionsText(*positions), raw);
}

}  // namespace vlt::values
