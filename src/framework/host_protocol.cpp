#include "framework/host_protocol.h"

#include <algorithm>

namespace vlt::framework {

namespace {

// Frame fields common to 00h and 03h: DGN at 1, source address at 5.
bool ParseFrameData(std::span<const std::uint8_t> bytes, std::size_t lengthAt, std::size_t dataAt,
                    HostMessage& message) {
  if (bytes.size() < dataAt) return false;
  const std::size_t stated = ReadU16(bytes, lengthAt);
  if (dataAt + stated > bytes.size()) return false;
  std::size_t kept = stated;
  if (kept > kMaxFrameDataBytes) {
    kept = kMaxFrameDataBytes;
    message.dataCut = true;
  }
  // The field is 32 bits wide but a DGN has 17; stray high bits would reach names and specifiers.
  message.frame.dgn = ReadU32(bytes, 1) & kDgnMask;
  message.frame.sourceAddress = bytes[5];
  message.frame.data = bytes.subspan(dataAt, kept);
  message.frame.raw = bytes;
  return true;
}

}  // namespace

HostMessage ParseHostMessage(std::span<const std::uint8_t> bytes) {
  HostMessage message;
  if (bytes.empty()) {
    message.kind = HostMessage::Kind::kMalformed;
    return message;
  }
  switch (bytes[0]) {
    case kMsgAcknowledge:
      if (bytes.size() < 5) break;
      message.kind = HostMessage::Kind::kAcknowledge;
      message.toolId = ReadU32(bytes, 1);
      return message;
    case kMsgClose:
      message.kind = HostMessage::Kind::kClose;
      return message;
    case kMsgFrame:
      if (!ParseFrameData(bytes, 6, kFrameHeaderBytes, message)) break;
      message.kind = HostMessage::Kind::kFrame;
      message.frame.type = kMsgFrame;
      message.frame.priority = kTransmitPriority;
      return message;
    case kMsgStampedFrame:
      if (!ParseFrameData(bytes, 10, kStampedFrameHeaderBytes, message)) break;
      message.kind = HostMessage::Kind::kFrame;
      message.frame.type = kMsgStampedFrame;
      message.frame.hostMicros = ReadU32(bytes, 6);
      message.frame.priority = bytes[12];
      message.frame.reservedBit = bytes[13];
      return message;
    case kMsgModeReport:
      if (bytes.size() < 3) break;
      message.kind = HostMessage::Kind::kModeReport;
      message.hostMode = bytes[1];
      message.echoFlag = bytes[2];
      return message;
    default:
      message.kind = HostMessage::Kind::kUnknown;
      return message;
  }
  message = HostMessage{};
  message.kind = HostMessage::Kind::kMalformed;
  return message;
}

std::vector<std::uint8_t> RegistrationMessage(const std::string& toolName) {
  // Sized once: GCC 12 at -O3 misreads an insert after a one-element start as out of bounds.
  const std::size_t n = std::min(toolName.size(), kMaxToolNameChars);
  std::vector<std::uint8_t> out(n + 2, 0);
  out[0] = kMsgRegister;
  std::copy_n(toolName.begin(), n, out.begin() + 1);
  return out;
}

std::vector<std::uint8_t> RemovalMessage(std::uint32_t toolId) {
  std::vector<std::uint8_t> out{kMsgRemove};
  AppendU32(out, toolId);
  return out;
}

std::vector<std::uint8_t> TransmitMessage(std::uint8_t sourceAddress, std::uint32_t dgn,
                                          std::uint8_t priority,
                                          std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out{kMsgTransmit, sourceAddress};
  out.reserve(9 + data.size());
  AppendU32(out, dgn);
  out.push_back(priority);
  AppendU16(out, static_cast<std::uint16_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<std::uint8_t> SetModeMessage(std::uint32_t toolId, std::uint8_t hostMode,
                                         std::uint8_t echoFlag) {
  std::vector<std::uint8_t> out{kMsgSetMode};
  AppendU32(out, toolId);
  out.push_back(hostMode);
  out.push_back(echoFlag);
  return out;
}

std::vector<std::uint8_t> ProbeMessage(std::uint32_t toolId) {
  std::vector<std::uint8_t> out{kMsgProbe};
  AppendU32(out, toolId);
  out.insert(out.end(), 8, 0);
  return out;
}

std::vector<std::uint8_t> ControlMessage(std::uint8_t type, std::uint32_t toolId,
                                         std::uint8_t byteArgument, std::uint32_t wordArgument) {
  std::vector<std::uint8_t> out{type};
  AppendU32(out, toolId);
  if (type == kMsgControlWord) {
    AppendU32(out, wordArgument);
  } else {
    out.push_back(byteArgument);
  }
  return out;
}

ToolMessage ParseToolMessage(std::span<const std::uint8_t> bytes) {
  ToolMessage message;
  if (bytes.empty()) {
    message.kind = ToolMessage::Kind::kMalformed;
    return message;
  }
  message.type = bytes[0];
  auto malformed = [&] {
    ToolMessage bad;
    bad.kind = ToolMessage::Kind::kMalformed;
    bad.type = bytes[0];
    return bad;
  };
  switch (bytes[0]) {
    case kMsgRegister: {
      const auto nameBytes = bytes.subspan(1);
      const auto nul = std::find(nameBytes.begin(), nameBytes.end(), std::uint8_t{0});
      if (nul == nameBytes.end() || nul == nameBytes.begin()) return malformed();
      message.kind = ToolMessage::Kind::kRegister;
      message.toolName.assign(nameBytes.begin(), nul);
      return message;
    }
    case kMsgRemove:
      if (bytes.size() < 5) return malformed();
      message.kind = ToolMessage::Kind::kRemove;
      message.toolId = ReadU32(bytes, 1);
      return message;
    case kMsgTransmit: {
      if (bytes.size() < 9) return malformed();
      const std::size_t n = ReadU16(bytes, 7);
      if (9 + n > bytes.size()) return malformed();
      message.kind = ToolMessage::Kind::kTransmit;
      message.sourceAddress = bytes[1];
      message.dgn = ReadU32(bytes, 2) & kDgnMask;  // high bits would spill into the priority
      message.priority = bytes[6];
      message.data = bytes.subspan(9, n);
      return message;
    }
    case kMsgSetMode:
      if (bytes.size() < 7) return malformed();
      message.kind = ToolMessage::Kind::kSetMode;
      message.toolId = ReadU32(bytes, 1);
      message.hostMode = bytes[5];
      message.echoFlag = bytes[6];
      return message;
    case kMsgProbe:
      if (bytes.size() < 5) return malformed();
      message.kind = ToolMessage::Kind::kProbe;
      message.toolId = ReadU32(bytes, 1);
      return message;
    case kMsgControlByte:
    case kMsgControlOther:
      if (bytes.size() < 6) return malformed();
      message.kind = ToolMessage::Kind::kControl;
      message.toolId = ReadU32(bytes, 1);
      message.byteArgument = bytes[5];
      return message;
    case kMsgControlWord:
      if (bytes.size() < 9) return malformed();
      message.kind = ToolMessage::Kind::kControl;
      message.toolId = ReadU32(bytes, 1);
      message.wordArgument = ReadU32(bytes, 5);
      return message;
    default:
      message.kind = ToolMessage::Kind::kUnknown;
      return message;
  }
}

std::vector<std::uint8_t> AcknowledgeMessage(std::uint32_t toolId) {
  std::vector<std::uint8_t> out{kMsgAcknowledge};
  AppendU32(out, toolId);
  return out;
}

std::vector<std::uint8_t> CloseMessage() {
  return {kMsgClose};
}

std::vector<std::uint8_t> FrameMessageBytes(std::uint32_t dgn, std::uint8_t sourceAddress,
                                            std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out{kMsgFrame};
  out.reserve(kFrameHeaderBytes + data.size());
  AppendU32(out, dgn);
  out.push_back(sourceAddress);
  AppendU16(out, static_cast<std::uint16_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<std::uint8_t> StampedFrameMessageBytes(std::uint32_t dgn, std::uint8_t sourceAddress,
                                                   std::uint32_t hostMicros, std::uint8_t priority,
                                                   std::uint8_t reservedBit,
                                                   std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out{kMsgStampedFrame};
  out.reserve(kStampedFrameHeaderBytes + data.size());
  AppendU32(out, dgn);
  out.push_back(sourceAddress);
  AppendU32(out, hostMicros);
  AppendU16(out, static_cast<std::uint16_t>(data.size()));
  out.push_back(priority);
  out.push_back(reservedBit);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<std::uint8_t> ModeReportMessage(std::uint8_t hostMode, std::uint8_t echoFlag) {
  return {kMsgModeReport, hostMode, echoFlag};
}

HostModeBytes HostModeFromToolMode(std::uint32_t toolMode) {
  static constexpr std::uint8_t kHostModeOf[4] = {2, 1, 3,
                                                  0};  // Silent, Housekeeping, Tools, Normal
  if (toolMode > 7) return {kQueryModeByte, kQueryModeByte};
  return {kHostModeOf[toolMode & 3], static_cast<std::uint8_t>(toolMode >= 4 ? 1 : 0)};
}

std::uint32_t ToolModeFromHostMode(std::uint8_t hostMode, std::uint8_t echoFlag) {
  static constexpr std::uint32_t kToolModeOf[4] = {3, 1, 0, 2};
  if (hostMode > 3) return 0xFF;
  return kToolModeOf[hostMode] + (echoFlag == 1 ? 4u : 0u);
}

}  // namespace vlt::framework
