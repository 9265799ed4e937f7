#include "host/buses/candump_line.h"

#include <cstdio>

namespace vlt::host {

namespace {

constexpr std::size_t kExtendedIdDigits = 8;
constexpr std::size_t kStandardIdDigits = 3;
constexpr std::uint32_t kMaxExtendedId = 0x1FFFFFFF;
constexpr int kMicrosDigits = 6;
// Seconds since 1970 stay far below this; the bound keeps micros in 64 bits.
constexpr std::int64_t kMaxStampSeconds = 1'000'000'000'000;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view NextWord(std::string_view& rest) {
  std::size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  std::size_t end = start;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view word = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return word;
}

// "1700000000.123456": seconds, a dot and up to nine digits of fraction.
std::optional<std::int64_t> ParseStamp(std::string_view text) {
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  if (whole.empty() || (dot != std::string_view::npos && fraction.empty()) || fraction.size() > 9) {
    return std::nullopt;
  }
  std::int64_t seconds = 0;
  for (const char c : whole) {
    if (c < '0' || c > '9') return std::nullopt;
    seconds = seconds * 10 + (c - '0');
    if (seconds > kMaxStampSeconds) return std::nullopt;
  }
  std::int64_t micros = 0;
  for (int i = 0; i < kMicrosDigits; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    const char c = at < fraction.size() ? fraction[at] : '0';
    if (c < '0' || c > '9') return std::nullopt;
    micros = micros * 10 + (c - '0');
  }
  for (std::size_t i = kMicrosDigits; i < fraction.size(); ++i) {
    if (fraction[i] < '0' || fraction[i] > '9') return std::nullopt;
  }
  return seconds * 1'000'000 + micros;
}

CandumpLine Malformed(std::string error) {
  CandumpLine line;
  line.kind = CandumpLine::Kind::kMalformed;
  line.error = std::move(error);
  return line;
}

bool LooksLikeStamp(std::string_view word) {
  return !word.empty() && word.find('#') == std::string_view::npos &&
         ((word.front() == '(' && word.back() == ')') ||
          (word.front() >= '0' && word.front() <= '9'));
}

}  // namespace

CandumpLine ParseCandumpLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  std::string_view rest = text;
  std::string_view word = NextWord(rest);
  if (word.empty()) return {};

  std::optional<std::int64_t> stamp;
  if (LooksLikeStamp(word)) {
    std::string_view digits = word;
    if (digits.front() == '(') digits = digits.substr(1, digits.size() - 2);
    stamp = ParseStamp(digits);
    if (!stamp) return Malformed("bad time stamp '" + std::string(word) + "'");
    word = NextWord(rest);
  }
  if (!word.empty() && word.find('#') == std::string_view::npos)
    word = NextWord(rest);  // interface
  if (word.empty()) return Malformed("no frame (IDENTIFIER#DATA)");
  if (!NextWord(rest).empty()) return Malformed("text after the frame");

  const std::size_t hash = word.find('#');
  if (hash == std::string_view::npos) return Malformed("no '#' in the frame");
  const std::string_view id = word.substr(0, hash);
  std::string_view data = word.substr(hash + 1);
  std::uint32_t identifier = 0;
  for (const char c : id) {
    const int digit = HexValue(c);
    if (digit < 0) return Malformed("identifier '" + std::string(id) + "' is not hexadecimal");
    identifier = (identifier << 4) | static_cast<std::uint32_t>(digit);
    if (identifier > kMaxExtendedId) return Malformed("identifier beyond 29 bits");
  }
  CandumpLine line;
  line.stampMicros = stamp;
  if (id.size() != kExtendedIdDigits && id.size() != kStandardIdDigits) {
    return Malformed("identifier of " + std::to_string(id.size()) + " digits (8 or 3)");
  }
  if (!data.empty() && data.front() == '#') {
    line.kind = CandumpLine::Kind::kFd;
    return line;
  }
  if (!data.empty() && (data.front() == 'R' || data.front() == 'r')) {
    line.kind = CandumpLine::Kind::kRemote;
    return line;
  }
  if (id.size() == kStandardIdDigits) {
    line.kind = CandumpLine::Kind::kShortId;
    return line;
  }
  if (data.size() % 2 != 0) return Malformed("odd number of data digits");
  if (data.size() > 2 * kMaxCanDataBytes) return Malformed("more than 8 data bytes");
  line.frame.id = identifier;
  line.frame.length = static_cast<std::uint8_t>(data.size() / 2);
  for (std::size_t i = 0; i < line.frame.length; ++i) {
    const int high = HexValue(data[2 * i]);
    const int low = HexValue(data[2 * i + 1]);
    if (high < 0 || low < 0)
      return Malformed("data '" + std::string(data) + "' is not hexadecimal");
    line.frame.data[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  line.kind = CandumpLine::Kind::kFrame;
  return line;
}

std::string FormatCandumpLine(const BusFrame& frame, std::int64_t stampMicros,
                              std::string_view interfaceName) {
  const std::int64_t micros = stampMicros < 0 ? 0 : stampMicros;
  char head[48];
  std::snprintf(head, sizeof(head), "(%lld.%06lld) ", static_cast<long long>(micros / 1'000'000),
                static_cast<long long>(micros % 1'000'000));
  std::string text = head;
  text.append(interfaceName);
  char id[16];
  std::snprintf(id, sizeof(id), " %08X#", static_cast<unsigned>(frame.id & kMaxExtendedId));
  text += id;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const std::uint8_t byte : frame.Data()) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

void CandumpCounts::Count(CandumpLine::Kind kind) {
  switch (kind) {
    case CandumpLine::Kind::kFrame:
      ++frames;
      break;
    case CandumpLine::Kind::kBlank:
      break;
    case CandumpLine::Kind::kShortId:
      ++shortIds;
      break;
    case CandumpLine::Kind::kRemote:
      ++remote;
      break;
    case CandumpLine::Kind::kFd:
      ++fd;
      break;
    case CandumpLine::Kind::kMalformed:
      ++malformed;
      break;
  }
}

std::string CandumpCounts::Text(std::string_view prefix) const {
  std::string text;
  auto add = [&](const char* name, std::uint64_t value) {
    if (!text.empty()) text += ' ';
    text.append(prefix);
    text += name;
    text += '=';
    text += std::to_string(value);
  };
  add("frames", frames);
  add("11bit", shortIds);
  add("remote", remote);
  add("fd", fd);
  add("malformed", malformed);
  add("too_long", tooLong);
  return text;
}

}  // namespace vlt::host
