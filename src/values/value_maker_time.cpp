#include "values/value_maker_time.h"

#include <cmath>

namespace vlt::values {

using namespace value_rules;

namespace {

constexpr std::uint8_t kNotAvailableByte = 0xFF;
constexpr std::uint8_t kLargestDataByte = 0xFD;
constexpr unsigned kLastSecondsCode = 240;  // codes above count minutes
constexpr unsigned kMinutesCodeBase = 236;  // code 241 is 5 minutes
constexpr unsigned kFewestCodedMinutes = 5;
constexpr unsigned kMostCodedMinutes = 17;

std::uint8_t ByteAt(std::span<const std::uint8_t> raw, std::size_t k) {
  return k < raw.size() ? raw[k] : kNotAvailableByte;
}

std::string KeepOnly(std::string_view text, char separator) {
  std::string kept;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == separator) kept.push_back(c);
  }
  return kept;
}

// A non-empty run of at most `digits` digits and nothing else.
std::optional<unsigned> SmallNumber(std::string_view text, std::size_t digits = 2) {
  if (text.empty() || text.size() > digits) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

}  // namespace

std::string ValueMakerRVCPct::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t value = ByteAt(raw, 0);
  return ApplyAvailability(Printf("%5.1f %%", value * 0.5), value, kNotAvailableByte);
}

bool ValueMakerRVCPct::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  const auto percent = ReadReal(FilterNumberText(text));
  if (!percent) return false;
  const double steps = std::floor(*percent * 2 + 0.5);
  if (!(steps >= 0 && steps <= kLargestDataByte)) return false;
  raw[0] = static_cast<std::uint8_t>(steps);
  return true;
}

void ValueMakerRVCPct::Describe(std::ostream& out) const {
  DescribeLine(out, "VMType", "VMFlex");
  DescribeLine(out, "VMFScale", "0.5");
  DescribeLine(out, "VMFOffset", "0.0");
  DescribeLine(out, "VMSize", "1");
}

std::string ValueMakerSignedTenthPctByte::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t value = ByteAt(raw, 0);
  return ApplyAvailability(Printf("%+0.1f%%", (value - 100) / 10.0), value, kNotAvailableByte);
}

// Out-of-range percentages are refused rather than wrapped into the byte.
bool ValueMakerSignedTenthPctByte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  const auto percent = ReadReal(text);
  if (!percent) return false;
  const double tenths = std::trunc(*percent * 10);
  if (!(tenths >= -100 && tenths <= 100)) return false;
  raw[0] = static_cast<std::uint8_t>(static_cast<int>(tenths) + 100);
  return true;
}

std::string ValueMakerSecsPlusByte::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t value = ByteAt(raw, 0);
  const std::string text = value <= kLastSecondsCode
                               ? Printf("%3u sec", static_cast<unsigned>(value))
                               : Printf("%3u min", value - kMinutesCodeBase);
  return ApplyAvailability(text, value, kNotAvailableByte);
}

bool ValueMakerSecsPlusByte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  const auto count = ReadDecimal(FilterNumberText(text));
  if (!count || *count < 0) return false;
  const std::size_t unit = text.find("min");
  if (unit != std::string_view::npos && unit >= 1) {
    if (*count < kFewestCodedMinutes || *count > kMostCodedMinutes) return false;
    raw[0] = static_cast<std::uint8_t>(*count + kMinutesCodeBase);
  } else {
    if (*count > kLastSecondsCode) return false;
    raw[0] = static_cast<std::uint8_t>(*count);
  }
  return true;
}

std::string ValueMakerTankLevel::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t level = ByteAt(raw, 0);
  const std::uint8_t resolution = ByteAt(raw, 1);
  if (resolution == kNotAvailableByte) {
    return std::string(level == kNotAvailableByte ? kNotAvailableText : kErrorText);
  }
  if (level > kLargestDataByte || resolution > kLargestDataByte) return std::string(kErrorText);
  return Printf("%3u/%3u", static_cast<unsigned>(level), static_cast<unsigned>(resolution));
}

std::string ValueMakerTimeOfDay::Format(std::span<const std::uint8_t> raw) const {
  const std::uint8_t hours = ByteAt(raw, 0);
  const std::uint8_t minutes = ByteAt(raw, 1);
  if (hours == kNotAvailableByte) {
    return std::string(minutes == kNotAvailableByte ? kNotAvailableText : kErrorText);
  }
  if (hours > 23 || minutes > 59) return std::string(kErrorText);
  return Printf("%2u:%02u", static_cast<unsigned>(hours), static_cast<unsigned>(minutes));
}

bool ValueMakerTimeOfDay::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < 2 || IsReservedText(text)) return false;
  const std::string kept = KeepOnly(text, ':');
  if (kept.size() != 4 && kept.size() != 5) return false;
  const std::size_t colon = kept.find(':');
  if (colon != 1 && colon != 2) return false;
  const auto hours = SmallNumber(std::string_view(kept).substr(0, colon));
  // A second colon leaves no minute ("12::5" is not 12:00).
  const auto minutes = SmallNumber(std::string_view(kept).substr(colon + 1), 3);
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return false;
  raw[0] = static_cast<std::uint8_t>(*hours);
  raw[1] = static_cast<std::uint8_t>(*minutes);
  return true;
}

void ValueMakerTimeOfDay::Describe(std::ostream& out) const {
  DescribeLine(out, "VMType", "TimeOfDay");
}

std::string ValueMakerTimeYMD::Format(std::span<const std::uint8_t> raw) const {
  const std::string text =
      Printf("%2u/%2u/%02u", static_cast<unsigned>(ByteAt(raw, 1)),
             static_cast<unsigned>(ByteAt(raw, 2)), static_cast<unsigned>(ByteAt(raw, 0)));
  return ApplyAvailability(text, ReadRaw(raw, 3), AllOnes(3));
}

// Month/day/year with a two-digit year; a four-digit year is refused rather than
// cut to its first two digits.
bool ValueMakerTimeYMD::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < 3 || IsReservedText(text)) return false;
  const std::string kept = KeepOnly(text, '/');
  if (kept.size() < 6 || kept.size() > 8) return false;
  const std::string_view all(kept);
  const std::size_t first = all.find('/');
  if (first != 1 && first != 2) return false;
  const std::string_view rest = all.substr(first + 1);
  const std::size_t second = rest.find('/');
  if (second != 1 && second != 2) return false;
  const auto month = SmallNumber(all.substr(0, first));
  const auto day = SmallNumber(rest.substr(0, second));
  const auto year = SmallNumber(rest.substr(second + 1));
  if (!month || !day || !year) return false;
  if (*month < 1 || *month > 12 || *day < 1 || *day > 31) return false;
  raw[0] = static_cast<std::uint8_t>(*year);
  raw[1] = static_cast<std::uint8_t>(*month);
  raw[2] = static_cast<std::uint8_t>(*day);
  return true;
}

std::string ValueMakerTimeHMS::Format(std::span<const std::uint8_t> raw) const {
  const std::string text =
      Printf("%2u:%02u:%02u", static_cast<unsigned>(ByteAt(raw, 0)),
             static_cast<unsigned>(ByteAt(raw, 1)), static_cast<unsigned>(ByteAt(raw, 2)));
  return ApplyAvailability(text, ReadRaw(raw, 3), AllOnes(3));
}

std::string ValueMakerGenRunTime::Format(std::span<const std::uint8_t> raw) const {
  const std::uint64_t minutes = ReadRaw(raw, 4);
  const std::string text =
      Printf("%u:%02u", static_cast<unsigned>(minutes / 60), static_cast<unsigned>(minutes % 60));
  return ApplyAvailability(text, minutes, AllOnes(4));
}

std::string ValueMakerDiagFullCode::Format(std::span<const std::uint8_t> raw) const {
  const unsigned b0 = ByteAt(raw, 0);
  const unsigned b1 = ByteAt(raw, 1);
  const unsigned b2 = ByteAt(raw, 2);
  const unsigned fmi = b2 & 0x1F;
  if (b0 == 0) return Printf("[---] %4u:%2u", b1 * 8 + (b2 >> 5), fmi);
  if (b0 == 0xFF && b1 == 0xFF && b2 == 0xFF) return "No Code";
  return Printf("[%3u] %4u:%2u", b1, b0 * 8 + (b2 >> 5), fmi);
}

}  // namespace vlt::values
