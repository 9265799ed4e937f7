#include "values/value_maker_numbers.h"

#include <algorithm>

namespace vlt::values {

using namespace value_rules;

namespace {

constexpr std::uint16_t kMfgIdNotAvailable = 2047;

enum class Reading {
  kFilteredDecimal,  // reserved texts refused, units and blanks dropped
  kPlainDecimal,     // read as typed, reserved texts included
  kHexadecimal,      // reserved texts refused, read as typed
};

// Accepts 0 to `largest` and writes it in `bytes` bytes.
bool ParseNumber(std::string_view text, std::span<std::uint8_t> raw, std::size_t bytes,
                 std::uint64_t largest, Reading reading) {
  if (raw.size() < bytes) return false;
  if (reading != Reading::kPlainDecimal && IsReservedText(text)) return false;
  std::uint64_t value = 0;
  if (reading == Reading::kHexadecimal) {
    const auto read = ReadHexadecimal(text);
    if (!read) return false;
    value = *read;
  } else {
    const std::string readText =
        reading == Reading::kFilteredDecimal ? FilterNumberText(text) : std::string(text);
    const auto read = ReadDecimal(readText);
    if (!read || *read < 0) return false;
    value = static_cast<std::uint64_t>(*read);
  }
  if (value > largest) return false;
  WriteRaw(raw, bytes, value);
  return true;
}

std::string NumberText(std::span<const std::uint8_t> raw, std::size_t bytes, const char* format) {
  const std::uint64_t value = ReadRaw(raw, bytes);
  return ApplyAvailability(Printf(format, static_cast<unsigned>(value)), value, AllOnes(bytes));
}

std::string HexBytes(std::span<const std::uint8_t> raw, std::size_t bytes, const char* separator) {
  std::string text;
  for (std::size_t k = 0; k < bytes; ++k) {
    if (k > 0) text += separator;
    text += Printf("%02X", k < raw.size() ? raw[k] : 0xFFu);
  }
  return text;
}

void DescribeNumber(std::ostream& out, std::string_view type, std::size_t bytes) {
  DescribeLine(out, "VMType", type);
  DescribeLine(out, "VMSize", std::to_string(bytes));
}

void DescribeHex(std::ostream& out, std::size_t bytes, std::string_view layout) {
  DescribeNumber(out, "VMHex", bytes);
  DescribeLine(out, "VMHexFormat", layout);
}

}  // namespace

std::string ValueMakerDecByte::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t value = raw.empty() ? notAvailable_ : raw[0];
  return ApplyAvailability(Printf("%u", static_cast<unsigned>(value)), value, notAvailable_);
}

bool ValueMakerDecByte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (notAvailable_ < 2) return false;  // a field too narrow to hold any value
  return ParseNumber(text, raw, 1, notAvailable_ - 2u, Reading::kFilteredDecimal);
}

void ValueMakerDecByte::Describe(std::ostream& out) const {
  DescribeNumber(out, "VMDecimal", 1);
}

std::string ValueMakerDecByteUnfiltered::Format(std::span<const std::uint8_t> raw) const {
  return Printf("%u", static_cast<unsigned>(ReadRaw(raw, 1)));
}

bool ValueMakerDecByteUnfiltered::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  // Unfiltered reads as atoi does: a text without digits, "N/D" included, is 0.
  if (!raw.empty() && text.find_first_of("0123456789") == std::string_view::npos) {
    raw[0] = 0;
    return true;
  }
  return ParseNumber(text, raw, 1, 0xFF, Reading::kPlainDecimal);
}

std::string ValueMakerDecWord::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 2, "%u");
}

bool ValueMakerDecWord::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 2, 0xFFFD, Reading::kFilteredDecimal);
}

void ValueMakerDecWord::Describe(std::ostream& out) const {
  DescribeNumber(out, "VMDecimal", 2);
}

bool ValueMakerDecWordUpTo::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  std::uint8_t value[2];
  if (raw.size() < 2 || !ParseNumber(text, value, 2, largest_, Reading::kFilteredDecimal) ||
      ReadRaw(value, 2) < smallest_) {
    return false;
  }
  std::copy_n(value, 2, raw.begin());
  return true;
}

std::string ValueMakerMfgId::Format(std::span<const std::uint8_t> raw) const {
  const std::uint64_t value = ReadRaw(raw, 2);
  if (value == kMfgIdNotAvailable) return std::string(kNotAvailableText);
  if (value + 1 >= kMfgIdNotAvailable) return std::string(kErrorText);
  return Printf("%u", static_cast<unsigned>(value));
}

bool ValueMakerMfgId::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 2, kMfgIdNotAvailable - 2u, Reading::kFilteredDecimal);
}

std::string ValueMakerDec3Byte::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 3, "%u");
}

bool ValueMakerDec3Byte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 3, 0xFFFFFD, Reading::kFilteredDecimal);
}

void ValueMakerDec3Byte::Describe(std::ostream& out) const {
  DescribeNumber(out, "VMDecimal", 3);
}

// Unsigned: a signed conversion would show half of the range as negative numbers.
std::string ValueMakerDecUint::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 4, "%u");
}

bool ValueMakerDecUint::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 4, 0xFFFFFFFD, Reading::kFilteredDecimal);
}

void ValueMakerDecUint::Describe(std::ostream& out) const {
  DescribeNumber(out, "VMDecimal", 4);
}

std::string ValueMakerHexByte::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 1, "%02X");
}

bool ValueMakerHexByte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 1, 0xFD, Reading::kHexadecimal);
}

void ValueMakerHexByte::Describe(std::ostream& out) const {
  DescribeHex(out, 1, "Literal");
}

std::string ValueMakerHexWord::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 2, "%04X");
}

bool ValueMakerHexWord::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 2, 0xFFFD, Reading::kHexadecimal);
}

void ValueMakerHexWord::Describe(std::ostream& out) const {
  DescribeHex(out, 2, "Literal");
}

std::string ValueMakerHex3Byte::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 3, "%X");
}

bool ValueMakerHex3Byte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 3, 0xFFFFFD, Reading::kHexadecimal);
}

void ValueMakerHex3Byte::Describe(std::ostream& out) const {
  DescribeHex(out, 3, "Literal");
}

std::string ValueMakerHexUint::Format(std::span<const std::uint8_t> raw) const {
  return NumberText(raw, 4, "%08X");
}

bool ValueMakerHexUint::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseNumber(text, raw, 4, 0xFFFFFFFD, Reading::kHexadecimal);
}

void ValueMakerHexUint::Describe(std::ostream& out) const {
  DescribeHex(out, 4, "Literal");
}

std::string ValueMakerRawHex2Byte::Format(std::span<const std::uint8_t> raw) const {
  return HexBytes(raw, 2, ":");
}

void ValueMakerRawHex2Byte::Describe(std::ostream& out) const {
  DescribeHex(out, 2, "RawSpaced");
}

std::string ValueMakerRawHex3Byte::Format(std::span<const std::uint8_t> raw) const {
  return HexBytes(raw, 3, ":");
}

void ValueMakerRawHex3Byte::Describe(std::ostream& out) const {
  DescribeHex(out, 3, "RawSpaced");
}

std::string ValueMakerRawHex4Byte::Format(std::span<const std::uint8_t> raw) const {
  return HexBytes(raw, 4, ":");
}

void ValueMakerRawHex4Byte::Describe(std::ostream& out) const {
  DescribeHex(out, 4, "RawSpaced");
}

std::string ValueMakerHex5Byte::Format(std::span<const std::uint8_t> raw) const {
  return HexBytes(raw, 5, "");
}

void ValueMakerHex5Byte::Describe(std::ostream& out) const {
  DescribeHex(out, 5, "RawPacked");
}

std::string ValueMakerFullPacket::Format(std::span<const std::uint8_t> raw) const {
  return HexBytes(raw, 8, "");
}

}  // namespace vlt::values
