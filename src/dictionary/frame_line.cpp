#include "dictionary/frame_line.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/candump_line.h"
#include "framework/tool_dgn.h"

namespace vlt::dictionary {

namespace {

constexpr std::size_t kMaxDgnDigits = 5;

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

FrameLineReading ReadCandump(std::string_view text) {
  const framework::CandumpLine line = framework::ParseCandumpLine(text);
  if (line.kind == framework::CandumpLine::Kind::kBlank) return {};
  if (line.kind != framework::CandumpLine::Kind::kFrame) return Malformed(line.error);
  FrameLineReading reading;
  reading.kind = FrameLineReading::Kind::kFrame;
  FrameLine& frame = reading.frame;
  // Milliseconds modulo 2^32, the record's width.
  frame.timeStampMs = static_cast<std::uint32_t>(
      static_cast<std::uint64_t>(line.stampMicros.value_or(0) / 1000) & 0xFFFFFFFFu);
  frame.data.assign(line.Data().begin(), line.Data().end());
  frame.dgn = framework::ToolDgnOfIdentifier(line.identifier);
  frame.sourceAddress = static_cast<std::uint8_t>(line.identifier & 0xFF);
  frame.priority = static_cast<std::uint8_t>((line.identifier >> 26) & 7);
  frame.reservedBit = static_cast<std::uint8_t>((line.identifier >> 25) & 1);
  return reading;
}

FrameLineReading ReadDgnForm(const std::vector<std::string_view>& tokens) {
  FrameLineReading reading;
  reading.kind = FrameLineReading::Kind::kFrame;
  FrameLine& frame = reading.frame;

  const auto dgn = Hex(tokens[0], kMaxDgnDigits);
  if (!dgn || *dgn > framework::kDgnMask) {
    return Malformed(framework::QuotedInput(tokens[0]) +
                     " is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits");
  }
  if (tokens.size() < 2) return Malformed("no source address after the DGN");
  const auto source = Hex(tokens[1], 2);
  if (!source)
    return Malformed("source address " + framework::QuotedInput(tokens[1]) +
                     " is not 2 hex digits");
  if (tokens.size() - 2 > framework::kMaxFrameDataBytes) {
    return Malformed("more than " + std::to_string(framework::kMaxFrameDataBytes) + " data bytes");
  }
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const auto byte = Hex(tokens[i], 2);
    if (!byte)
      return Malformed("data byte " + framework::QuotedInput(tokens[i]) + " is not 2 hex digits");
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
  if (line.find('#') != std::string_view::npos) return ReadCandump(line);
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
