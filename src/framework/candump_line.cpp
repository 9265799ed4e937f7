#include "framework/candump_line.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vlt::framework {

namespace {

constexpr std::size_t kExtendedIdDigits = 8;
constexpr std::size_t kStandardIdDigits = 3;
constexpr std::size_t kMicrosDigits = 6;
constexpr std::size_t kMaxFractionDigits = 9;
// Seconds since 1970 stay far below this; the bound keeps micros in 64 bits.
constexpr std::int64_t kMaxStampSeconds = 1'000'000'000'000;
constexpr std::size_t kQuotedBytes = 40;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

CandumpLine Named(CandumpLine::Kind kind, std::string error) {
  CandumpLine line;
  line.kind = kind;
  line.error = std::move(error);
  return line;
}

CandumpLine Malformed(std::string error) {
  return Named(CandumpLine::Kind::kMalformed, std::move(error));
}

bool LooksLikeStamp(std::string_view word) {
  return !word.empty() && (word.front() == '(' || IsDigit(word.front()));
}

// "(1700000000.123456)" or "1700000000.123456": seconds, and a dot with one to
// nine digits of fraction when there is a dot.
std::optional<std::int64_t> ParseStamp(std::string_view word) {
  if (word.size() >= 2 && word.front() == '(' && word.back() == ')') {
    word = word.substr(1, word.size() - 2);
  }
  const std::size_t dot = word.find('.');
  const std::string_view whole = word.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : word.substr(dot + 1);
  if (whole.empty() || (dot != std::string_view::npos && fraction.empty()) ||
      fraction.size() > kMaxFractionDigits || !std::all_of(whole.begin(), whole.end(), IsDigit) ||
      !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
    return std::nullopt;
  }
  std::int64_t seconds = 0;
  for (const char c : whole) {
    seconds = seconds * 10 + (c - '0');
    if (seconds > kMaxStampSeconds) return std::nullopt;
  }
  std::int64_t micros = 0;
  for (std::size_t i = 0; i < kMicrosDigits; ++i) {
    micros = micros * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  return seconds * 1'000'000 + micros;
}

// A whole word of hex digits that fits 32 bits.
std::optional<std::uint32_t> Hex(std::string_view text) {
  if (text.empty() || text.size() > kExtendedIdDigits) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace

CandumpLine ParseCandumpLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const std::vector<std::string_view> words = Words(text);
  if (words.empty()) return {};
  const auto frameWord = std::find_if(words.begin(), words.end(), [](std::string_view word) {
    return word.find('#') != std::string_view::npos;
  });
  if (frameWord == words.end()) return Malformed("no frame (ID#DATA) in the line");
  const auto frameAt = static_cast<std::size_t>(frameWord - words.begin());
  if (frameAt + 1 != words.size()) {
    return Malformed("unexpected " + QuotedInput(words[frameAt + 1]) + " after the frame");
  }
  if (frameAt > 2) return Malformed("expected [(time)] [interface] ID#DATA");

  std::optional<std::int64_t> stamp;
  if ((frameAt >= 1 && LooksLikeStamp(words[0])) || frameAt == 2) {
    stamp = ParseStamp(words[0]);
    if (!stamp) return Malformed("time " + QuotedInput(words[0]) + " is not seconds.fraction");
  }

  const std::string_view word = *frameWord;
  const std::size_t hash = word.find('#');
  const std::string_view id = word.substr(0, hash);
  const std::string_view data = word.substr(hash + 1);
  const std::optional<std::uint32_t> identifier = Hex(id);
  const bool shortId = id.size() == kStandardIdDigits && identifier;
  if (!shortId && (id.size() != kExtendedIdDigits || !identifier)) {
    return Malformed("identifier " + QuotedInput(id) + " is not 8 hex digits");
  }
  if (*identifier > kHighestExtendedId) {
    return Malformed("identifier " + QuotedInput(id) + " is above 1FFFFFFF (an error frame?)");
  }
  if (!data.empty() && data.front() == '#') {
    return Named(CandumpLine::Kind::kFd,
                 "CAN FD frame (##); RV-C frames carry at most 8 data bytes");
  }
  if (!data.empty() && (data.front() == 'R' || data.front() == 'r')) {
    return Named(CandumpLine::Kind::kRemote, "remote frame (R); it carries no data");
  }
  if (shortId) {
    return Named(CandumpLine::Kind::kShortId,
                 "11-bit identifier " + QuotedInput(id) +
                     "; RV-C frames have 29-bit identifiers of 8 hex digits");
  }
  if (data.size() % 2 != 0) {
    return Malformed("data " + QuotedInput(data) + " has an odd number of digits");
  }
  if (data.size() > 2 * kMaxCandumpDataBytes) {
    return Malformed("data of " + std::to_string(data.size() / 2) +
                     " bytes; a CAN frame carries at most 8");
  }
  CandumpLine line;
  for (std::size_t i = 0; i < data.size() / 2; ++i) {
    const int high = HexValue(data[2 * i]);
    const int low = HexValue(data[2 * i + 1]);
    if (high < 0 || low < 0) return Malformed("data " + QuotedInput(data) + " is not hex digits");
    line.data[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  line.kind = CandumpLine::Kind::kFrame;
  line.identifier = *identifier;
  line.length = static_cast<std::uint8_t>(data.size() / 2);
  line.stampMicros = stamp;
  return line;
}

std::string FormatCandumpLine(std::uint32_t identifier, std::span<const std::uint8_t> data,
                              std::int64_t stampMicros, std::string_view interfaceName) {
  const std::int64_t micros = std::max<std::int64_t>(stampMicros, 0);
  char head[48];
  std::snprintf(head, sizeof(head), "(%lld.%06lld) ", static_cast<long long>(micros / 1'000'000),
                static_cast<long long>(micros % 1'000'000));
  std::string text = head;
  text.append(interfaceName);
  char id[16];
  std::snprintf(id, sizeof(id), " %08X#", static_cast<unsigned>(identifier & kHighestExtendedId));
  text += id;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const std::uint8_t byte : data.first(std::min(data.size(), kMaxCandumpDataBytes))) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

std::string QuotedInput(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown = "\"";
  for (std::size_t i = 0; i < text.size() && i < kQuotedBytes; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      shown += '\\';
      shown += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 0xF];
    }
  }
  if (text.size() > kQuotedBytes) shown += "...";
  return shown + "\"";
}

}  // namespace vlt::framework
