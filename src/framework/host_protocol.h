// The bytes that pass between the tester and its host, in both directions.
// Outside bytes are parsed here once, every length checked against the bytes
// actually received; everything above works on the parsed values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vlt::framework {

// Message types (byte 0).
inline constexpr std::uint8_t kMsgAcknowledge = 0xFF;   // host -> tool
inline constexpr std::uint8_t kMsgRegister = 0xFF;      // tool -> host
inline constexpr std::uint8_t kMsgClose = 0xFE;         // host -> tool
inline constexpr std::uint8_t kMsgRemove = 0xFE;        // tool -> host
inline constexpr std::uint8_t kMsgFrame = 0x00;         // host -> tool
inline constexpr std::uint8_t kMsgStampedFrame = 0x03;  // host -> tool
inline constexpr std::uint8_t kMsgModeReport = 0xE3;    // host -> tool
inline constexpr std::uint8_t kMsgTransmit = 0x01;      // tool -> host
inline constexpr std::uint8_t kMsgSetMode = 0xE2;       // tool -> host
inline constexpr std::uint8_t kMsgProbe = 0xA2;         // tool -> host
inline constexpr std::uint8_t kMsgControlByte = 0x80;   // tool -> host, control kind 0
inline constexpr std::uint8_t kMsgControlWord = 0x82;   // tool -> host, control kind 2
inline constexpr std::uint8_t kMsgControlOther = 0x86;  // tool -> host, other kinds

inline constexpr std::size_t kReadBufferBytes = 2000;
inline constexpr std::size_t kMaxFrameDataBytes = 1785;
inline constexpr std::size_t kFrameHeaderBytes = 8;          // 00h: type, DGN, SA, length
inline constexpr std::size_t kStampedFrameHeaderBytes = 14;  // 03h adds stamp, priority, reserved
inline constexpr std::size_t kMaxToolNameChars = 126;
inline constexpr std::uint8_t kQueryModeByte = 0xFF;  // host mode and echo FFh: a query

inline constexpr std::uint8_t kNullAddress = 0xFE;
inline constexpr std::uint8_t kGlobalAddress = 0xFF;
inline constexpr std::uint8_t kToolAddress = 0xF9;
inline constexpr std::uint8_t kTransmitPriority = 6;
inline constexpr std::uint32_t kDgnMask = 0x1FFFF;

// A bus frame as the host delivered it (00h or 03h), validated.
struct FrameMessage {
  std::uint8_t type = kMsgFrame;
  std::uint32_t dgn = 0;
  std::uint8_t sourceAddress = 0;
  std::uint32_t hostMicros = 0;        // 03h only
  std::uint8_t priority = 6;           // 03h only; a 00h frame counts as priority 6
  std::uint8_t reservedBit = 0;        // 03h only
  std::span<const std::uint8_t> data;  // at most kMaxFrameDataBytes
  std::span<const std::uint8_t> raw;   // the whole message, byte 0 first
  // The host's echo of a frame this tool transmitted (the link recognises it).
  bool ownTransmission = false;
};

// What the tool makes of one message from the host.
struct HostMessage {
  enum class Kind { kAcknowledge, kClose, kFrame, kModeReport, kUnknown, kMalformed };
  Kind kind = Kind::kUnknown;
  std::uint32_t toolId = 0;                 // kAcknowledge
  std::uint8_t hostMode = 0, echoFlag = 0;  // kModeReport
  FrameMessage frame;                       // kFrame
  bool dataCut = false;                     // kFrame: length above the record's room
};

// Parses one message as read from the tool's slot. Lengths are checked against
// `bytes`; a frame whose stated length runs past the message is malformed, one
// whose length only exceeds the record's room is cut to kMaxFrameDataBytes.
HostMessage ParseHostMessage(std::span<const std::uint8_t> bytes);

// Tool-to-host messages.
std::vector<std::uint8_t> RegistrationMessage(const std::string& toolName);
std::vector<std::uint8_t> RemovalMessage(std::uint32_t toolId);
std::vector<std::uint8_t> TransmitMessage(std::uint8_t sourceAddress, std::uint32_t dgn,
                                          std::uint8_t priority,
                                          std::span<const std::uint8_t> data);
std::vector<std::uint8_t> SetModeMessage(std::uint32_t toolId, std::uint8_t hostMode,
                                         std::uint8_t echoFlag);
std::vector<std::uint8_t> ProbeMessage(std::uint32_t toolId);
std::vector<std::uint8_t> ControlMessage(std::uint8_t type, std::uint32_t toolId,
                                         std::uint8_t byteArgument, std::uint32_t wordArgument);

// What the host makes of one message from a tool.
struct ToolMessage {
  enum class Kind {
    kRegister,
    kRemove,
    kTransmit,
    kSetMode,
    kProbe,
    kControl,
    kUnknown,
    kMalformed
  };
  Kind kind = Kind::kUnknown;
  std::uint8_t type = 0;
  std::string toolName;                          // kRegister
  std::uint32_t toolId = 0;                      // kRemove, kSetMode, kProbe, kControl
  std::uint8_t sourceAddress = 0, priority = 0;  // kTransmit
  std::uint32_t dgn = 0;                         // kTransmit
  std::span<const std::uint8_t> data;            // kTransmit
  std::uint8_t hostMode = 0, echoFlag = 0;       // kSetMode
  std::uint8_t byteArgument = 0;                 // kControl 80h, 86h
  std::uint32_t wordArgument = 0;                // kControl 82h
};

ToolMessage ParseToolMessage(std::span<const std::uint8_t> bytes);

// Host-to-tool messages.
std::vector<std::uint8_t> AcknowledgeMessage(std::uint32_t toolId);
std::vector<std::uint8_t> CloseMessage();
std::vector<std::uint8_t> FrameMessageBytes(std::uint32_t dgn, std::uint8_t sourceAddress,
                                            std::span<const std::uint8_t> data);
std::vector<std::uint8_t> StampedFrameMessageBytes(std::uint32_t dgn, std::uint8_t sourceAddress,
                                                   std::uint32_t hostMicros, std::uint8_t priority,
                                                   std::uint8_t reservedBit,
                                                   std::span<const std::uint8_t> data);
std::vector<std::uint8_t> ModeReportMessage(std::uint8_t hostMode, std::uint8_t echoFlag);

// Tool mode (0 Silent, 1 Housekeeping, 2 Tools, 3 Normal, +4 echo) to the host's
// mode and echo bytes, and back from a mode report.
struct HostModeBytes {
  std::uint8_t hostMode;
  std::uint8_t echoFlag;
};
HostModeBytes HostModeFromToolMode(std::uint32_t toolMode);
std::uint32_t ToolModeFromHostMode(std::uint8_t hostMode, std::uint8_t echoFlag);

// Little-endian field access with the bounds already checked by the caller.
inline std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace vlt::framework
