#include "settings/setting_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vlt::settings {

namespace {

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kIntegerConversions = "diuxXoc";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The length of a conversion starting at `at` (the '%'), 0 when it is not one
// we fill; `conversion` receives its letter.
std::size_t ConversionLength(std::string_view format, std::size_t at, char& conversion) {
  std::size_t i = at + 1;
  while (i < format.size() && kFlags.find(format[i]) != std::string_view::npos) ++i;
  while (i < format.size() && IsDigit(format[i])) ++i;
  if (i < format.size() && format[i] == '.') {
    ++i;
    while (i < format.size() && IsDigit(format[i])) ++i;
  }
  // Length modifiers are dropped: the number is always passed as long long.
  while (i < format.size() &&
         std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos) {
    ++i;
  }
  if (i >= format.size() || kIntegerConversions.find(format[i]) == std::string_view::npos) return 0;
  conversion = format[i];
  return i + 1 - at;
}

std::string FillConversion(std::string_view conversionText, char conversion, std::int64_t n) {
  std::string safe;
  for (char c : conversionText.substr(0, conversionText.size() - 1)) {
    if (std::string_view("hlLqjzt").find(c) == std::string_view::npos) safe += c;
  }
  // Widths beyond any sensible column are cut, so the text stays small.
  char buffer[128];
  int written = 0;
  if (conversion == 'c') {
    safe += 'c';
    written = std::snprintf(buffer, sizeof(buffer), safe.c_str(), static_cast<int>(n));
  } else {
    safe += "ll";
    safe += conversion;
    written = std::snprintf(buffer, sizeof(buffer), safe.c_str(), static_cast<long long>(n));
  }
  if (written < 0) return std::string(conversionText);
  return std::string(buffer,
                     std::min<std::size_t>(static_cast<std::size_t>(written), sizeof(buffer) - 1));
}

}  // namespace

std::string FormatNumber(std::string_view format, std::int64_t n) {
  std::string out;
  bool filled = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    char conversion = 0;
    const std::size_t length = filled ? 0 : ConversionLength(format, i, conversion);
    if (length == 0) {
      out += '%';
      continue;
    }
    out += FillConversion(format.substr(i, length), conversion, n);
    filled = true;
    i += length - 1;
  }
  return out;
}

std::uint32_t SettingNumber(std::string_view text) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) continue;
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), kMax);
  }
  return static_cast<std::uint32_t>(value);
}

std::string FrameDataText(const framework::FrameRecord& record, std::string_view separator) {
  const std::size_t length = std::min<std::size_t>(record.length, framework::kMaxFrameDataBytes);
  std::string out;
  out.reserve(length * (2 + separator.size()));
  for (std::size_t i = 0; i < length; ++i) {
    if (i > 0) out += separator;
    char hex[4];
    std::snprintf(hex, sizeof(hex), "%02X", record.data[i]);
    out += hex;
  }
  return out;
}

bool TextToNameBytes(std::string_view text, NameBytes& bytes) {
  bool valid = true;
  for (std::size_t i = 0; i < kNameBytes; ++i) {
    char piece[3] = {0, 0, 0};
    for (std::size_t k = 0; k < 2 && 3 * i + k < text.size(); ++k) piece[k] = text[3 * i + k];
    const long value = std::strtol(piece, nullptr, 16);
    bytes[i] = static_cast<std::uint8_t>(static_cast<unsigned long>(value) & 0xFF);
    if (value == 0 && std::string_view(piece) != "00") valid = false;
  }
  return valid;
}

}  // namespace vlt::settings
