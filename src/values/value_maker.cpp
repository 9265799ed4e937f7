#include "values/value_maker.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace vlt::values {

std::string ValueMaker::Format(std::span<const std::uint8_t>) const {
  return {};
}

bool ValueMaker::GetChoices(ChoiceMap&) const {
  return false;
}

bool ValueMaker::Parse(std::string_view, std::span<std::uint8_t>) const {
  return false;
}

bool ValueMaker::IsChoiceList() const {
  return false;
}

bool ValueMaker::IsTwoBitStatus() const {
  return false;
}

unsigned ValueMaker::RequiredBits() const {
  return 0;
}

void ValueMaker::Describe(std::ostream& out) const {
  value_rules::DescribeLine(out, "VMType", "None");
}

std::string ValueMaker::NullText() const {
  return "null";
}

std::size_t ValueMaker::RawSize() const {
  return 0;
}

namespace value_rules {

namespace {

// Far above every raw range (the widest parsed field has 32 bits), far below overflow.
constexpr std::uint64_t kSaturation = 1'000'000'000'000'000ULL;

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

bool IsReservedText(std::string_view text) {
  return text == kNotAvailableText || text == kErrorText || text == kInvalidText;
}

std::string FilterNumberText(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (IsDigit(c) || c == '.' || c == '-') kept.push_back(c);
  }
  return kept;
}

std::string ApplyAvailability(std::string text, std::uint64_t raw, std::uint64_t notAvailable) {
  if (raw == notAvailable) return std::string(kNotAvailableText);
  if (raw + 1 == notAvailable) return std::string(kErrorText);
  return text;
}

std::optional<std::int64_t> ReadDecimal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > kSaturation) value = kSaturation;
  }
  const auto magnitude = static_cast<std::int64_t>(value);
  return negative ? -magnitude : magnitude;
}

std::optional<std::uint64_t> ReadHexadecimal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == '+') ++i;
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexDigitValue(text[i + 2]) >= 0) {
    i += 2;
  }
  if (i >= text.size() || HexDigitValue(text[i]) < 0) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
    value = value * 16 + static_cast<std::uint64_t>(HexDigitValue(text[i]));
    if (value > kSaturation) value = kSaturation;
  }
  return value;
}

std::optional<double> ReadReal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  std::size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  double value = 0;
  const char* first = text.data() + start;
  const auto [end, error] = std::from_chars(first, text.data() + i, value);
  if (error != std::errc() || end == first || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::uint64_t ReadRaw(std::span<const std::uint8_t> raw, std::size_t bytes) {
  std::uint64_t value = 0;
  for (std::size_t k = bytes; k-- > 0;) {
    value = (value << 8) | (k < raw.size() ? raw[k] : 0xFFu);
  }
  return value;
}

void WriteRaw(std::span<std::uint8_t> raw, std::size_t bytes, std::uint64_t value) {
  for (std::size_t k = 0; k < bytes && k < raw.size(); ++k) {
    raw[k] = static_cast<std::uint8_t>(value >> (8 * k));
  }
}

std::string Printf(const char* format, ...) {
  // Value texts are short: one pass into a stack buffer decodes a frame's worth
  // of signals at half the cost of measuring first.
  char buffer[128];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof(buffer), format, args);
  va_end(args);
  std::string text;
  if (length > 0 && static_cast<std::size_t>(length) < sizeof(buffer)) {
    text.assign(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    text.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<std::size_t>(length));
  }
  va_end(again);
  return text;
}

void DescribeLine(std::ostream& out, std::string_view key, std::string_view value) {
  out << key << '|' << value << '\n';
}

}  // namespace value_rules

}  // namespace vlt::values
