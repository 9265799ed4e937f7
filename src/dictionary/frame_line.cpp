#include "dictionary/frame_line.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/tool_dgn.h"

namespace vlt::dictionary {

namespace {

constexpr std::size_t kStandardIdDigits = 3;
constexpr std::size_t kExtendedIdDigits = 8;
constexpr std::uint32_t kHighestExtendedId = 0x1FFFFFFF;
constexpr std::size_t kClassicDataBytes = 8;
constexpr std::size_t kMaxDgnDigits = 5;
constexpr std::size_t kQuotedChars = 40;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole token of 1 to `maxDigits` hex digits.
std::optional<std::uint32_t> Hex(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The token as a message shows it: quoted, cut short, and with bytes a terminal
// might act on replaced.
std::string Quoted(std::string_view token) {
  std::string shown = "\"";
  for (std::size_t i = 0; i < token.size() && i < kQuotedChars; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    shown += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  if (token.size() > kQuotedChars) shown += "...";
  return shown + "\"";
}

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

FrameLineReading Malformed(std::string error) {
  FrameLineReading reading;
  reading.kind = FrameLineReading::Kind::kMalformed;
  reading.error = std::move(error);
  return reading;
}

// "(1700000000.123456)" or "1700000000.123456": milliseconds modulo 2^32, which
// unsigned arithmetic keeps exactly however long the seconds are.
std::optional<std::uint32_t> ReadTime(std::string_view token) {
  if (token.size() >= 2 && token.front() == '(' && token.back() == ')') {
    token = token.substr(1, token.size() - 2);
  }
  const std::size_t point = token.find('.');
  if (point == std::string_view::npos) return std::nullopt;
  const std::string_view seconds = token.substr(0, point);
  const std::string_view fraction = token.substr(point + 1);
  if (!AllDigits(seconds) || !AllDigits(fraction)) return std::nullopt;
  std::uint32_t ms = 0;
  for (char c : seconds) ms = ms * 10 + static_cast<std::uint32_t>(c - '0');
  ms *= 1000;
  std::uint32_t thousandths = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    thousandths = thousandths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  return ms + thousandths;
}

bool LooksLikeTime(std::string_view token) {
  return !token.empty() && (token.front() == '(' || (token.front() >= '0' && token.front() <= '9'));
}

FrameLineReading ReadCandump(const std::vector<std::string_view>& tokens, std::size_t frameAt) {
  FrameLineReading reading;
  reading.kind = FrameLineReading::Kind::kFrame;
  FrameLine& frame = reading.frame;

  if (frameAt + 1 != tokens.size()) {
    return Malformed("unexpected " + Quoted(tokens[frameAt + 1]) + " after the frame");
  }
  if (frameAt > 2) return Malformed("expected [(time)] [interface] ID#DATA");
  if (frameAt >= 1 && LooksLikeTime(tokens[0])) {
    const auto ms = ReadTime(tokens[0]);
    if (!ms) return Malformed("time " + Quoted(tokens[0]) + " is not seconds.fraction");
    frame.timeStampMs = *ms;
  } else if (frameAt == 2) {
    return Malformed("time " + Quoted(tokens[0]) + " is not seconds.fraction");
  }

  const std::string_view token = tokens[frameAt];
  const std::size_t hash = token.find('#');
  const std::string_view id = token.substr(0, hash);
  const std::string_view rest = token.substr(hash + 1);
  if (id.size() == kStandardIdDigits && Hex(id, kStandardIdDigits)) {
    return Malformed("11-bit identifier " + Quoted(id) +
                     "; RV-C frames have 29-bit identifiers of 8 hex digits");
  }
  const auto identifier =
      id.size() == kExtendedIdDigits ? Hex(id, kExtendedIdDigits) : std::nullopt;
  if (!identifier) {
    return Malformed("identifier " + Quoted(id) + " is not 8 hex digits");
  }
  if (*identifier > kHighestExtendedId) {
    return Malformed("identifier " + Quoted(id) + " is above 1FFFFFFF (an error frame?)");
  }
  if (!rest.empty() && rest.front() == '#') {
    return Malformed("CAN FD frame (##); RV-C frames carry at most 8 data bytes");
  }
  if (!rest.empty() && (rest.front() == 'R' || rest.front() == 'r')) {
    return Malformed("remote frame; it carries no data to decode");
  }
  if (rest.size() % 2 != 0)
    return Malformed("data " + Quoted(rest) + " has an odd number of digits");
  if (rest.size() > 2 * kClassicDataBytes) {
    return Malformed("data of " + std::to_string(rest.size() / 2) +
                     " bytes; a CAN frame carries at most 8");
  }
  for (std::size_t i = 0; i < rest.size(); i += 2) {
    const auto byte = Hex(rest.substr(i, 2), 2);
    if (!byte) return Malformed("data " + Quoted(rest) + " is not hex digits");
    frame.data.push_back(static_cast<std::uint8_t>(*byte));
  }
  frame.dgn = framework::ToolDgnOfIdentifier(*identifier);
  frame.sourceAddress = static_cast<std::uint8_t>(*identifier & 0xFF);
  frame.priority = static_cast<std::uint8_t>((*identifier >> 26) & 7);
  frame.reservedBit = static_cast<std::uint8_t>((*identifier >> 25) & 1);
  return reading;
}

FrameLineReading ReadDgnForm(const std::vector<std::string_view>& tokens) {
  FrameLineReading reading;
  reading.kind = FrameLineReading::Kind::kFrame;
  FrameLine& frame = reading.frame;

  const auto dgn = Hex(tokens[0], kMaxDgnDigits);
  if (!dgn || *dgn > framework::kDgnMask) {
    return Malformed(Quoted(tokens[0]) +
                     " is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits");
  }
  if (tokens.size() < 2) return Malformed("no source address after the DGN");
  const auto source = Hex(tokens[1], 2);
  if (!source) return Malformed("source address " + Quoted(tokens[1]) + " is not 2 hex digits");
  if (tokens.size() - 2 > framework::kMaxFrameDataBytes) {
    return Malformed("more than " + std::to_string(framework::kMaxFrameDataBytes) + " data bytes");
  }
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const auto byte = Hex(tokens[i], 2);
    if (!byte) return Malformed("data byte " + Quoted(tokens[i]) + " is not 2 hex digits");
    frame.data.push_back(static_cast<std::uint8_t>(*byte));
  }
  frame.dgn = *dgn;
  frame.sourceAddress = static_cast<std::uint8_t>(*source);
  return reading;
}

}  // namespace

FrameLineReading ReadFrameLine(std::string_view line) {
  const std::vector<std::string_view> tokens = Tokens(line);
  if (tokens.empty()) return {};
  const auto frameToken = std::find_if(tokens.begin(), tokens.end(), [](std::string_view token) {
    return token.find('#') != std::string_view::npos;
  });
  if (frameToken != tokens.end()) {
    return ReadCandump(tokens, static_cast<std::size_t>(frameToken - tokens.begin()));
  }
  return ReadDgnForm(tokens);
}

framework::FrameMessage MessageOf(const FrameLine& line) {
  framework::FrameMessage message;
  message.type = framework::kMsgFrame;
  message.dgn = line.dgn;
  message.sourceAddress = line.sourceAddress;
  message.priority = line.priority;
  message.reservedBit = line.reservedBit;
  message.data = std::span<const std::uint8_t>(
      line.data.data(), std::min(line.data.size(), framework::kMaxFrameDataBytes));
  return message;
}

framework::FrameRecord RecordOf(const FrameLine& line) {
  framework::FrameRecord record;
  std::memset(&record, 0, sizeof(record));
  const std::size_t length = std::min(line.data.size(), framework::kMaxFrameDataBytes);
  record.timeStamp = line.timeStampMs;
  record.relativeTime = line.timeStampMs;
  record.messageType = framework::kMsgFrame;
  record.dgn = line.dgn;
  record.sourceAddress = line.sourceAddress;
  record.length = static_cast<std::uint16_t>(length);
  if (length > 0) std::memcpy(record.data, line.data.data(), length);
  record.priority = line.priority;
  record.reservedBit = line.reservedBit;
  return record;
}

}  // namespace vlt::dictionary
