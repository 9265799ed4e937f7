// The RV-C network-layer messages the ND tests send and judge: requests for a
// DGN, ACKNOWLEDGMENT (ACK/NAK), the J1939 transport frames and the DGNs every
// node knows. Frames are read once here, each length checked against the bytes
// actually there.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "framework/frame_record.h"
#include "framework/host_protocol.h"

namespace vlt::engine {

inline constexpr std::uint8_t kTesterAddress = framework::kToolAddress;  // F9h

inline constexpr std::uint32_t kAcknowledgmentDgn = 0xE800;  // + destination
inline constexpr std::uint32_t kTpDataDgn = 0xEB00;          // TP.DT, + destination
inline constexpr std::uint32_t kTpControlDgn = 0xEC00;       // TP.CM, + destination
inline constexpr std::uint32_t kProprietaryDgn = 0xEF00;     // + destination
inline constexpr std::uint32_t kGeneralResetDgn = 0x17F00;   // + destination
inline constexpr std::uint32_t kProductIdDgn = 0x0FEEB;
inline constexpr std::uint32_t kDmRvDgn = 0x1FECA;

inline constexpr std::uint8_t kRequestPriority = 6;
inline constexpr std::uint8_t kNoInstance = 0xFF;  // a request for every instance
inline constexpr std::size_t kRvcFrameBytes = 8;
inline constexpr std::size_t kJ1939RequestBytes = 3;

// An RV-C node answers within this time, plus the "250MS Timing Tolerance".
inline constexpr std::uint32_t kAnswerTimeMs = 250;
// A request that gets no answer for this long got none at all.
inline constexpr std::uint32_t kSilenceMs = 1250;

// PDU1 formats (below F0h) carry a destination address in the DGN's low byte.
bool IsDestinationSpecific(std::uint32_t dgn);
// The DGN without its destination, for a destination-specific DGN.
std::uint32_t DgnWithoutDestination(std::uint32_t dgn);
// The destination of a frame of this DGN: its low byte, or FFh for a broadcast DGN.
std::uint8_t DestinationOf(std::uint32_t dgn);
// "1FECA".
std::string DgnText(std::uint32_t dgn);
// "0A": a byte (the low one of `value`) as two hexadecimal digits.
std::string ByteText(std::uint32_t value);

// The RV-C request (8 bytes: DGN LSB first, instance, bank, FFh) or its J1939
// form (the first 3 bytes only).
std::array<std::uint8_t, kRvcFrameBytes> RequestData(std::uint32_t dgn,
                                                     std::uint8_t instance = kNoInstance,
                                                     std::uint8_t bank = kNoInstance);
// The DGN a request frame asks for, or nothing when the frame is no request.
std::optional<std::uint32_t> RequestedDgn(const framework::FrameRecord& frame);

// An ACKNOWLEDGMENT as RV-C lays it out (J1939-21's layout with FFh in bytes 1-3).
struct Acknowledgment {
  std::uint8_t code = 0;         // 0 ACK, 1 NAK, 2 ... 8, 128 and up command-specific
  std::uint8_t instance = 0xFF;  // the sender's instance
  std::uint8_t bank = 0xFF;
  std::uint8_t address = 0;  // byte 4: the node being acknowledged
  std::uint32_t dgn = 0;     // bytes 5-7: the DGN acknowledged
  std::uint8_t destination = 0;
  std::uint8_t source = 0;
  std::uint16_t length = 0;
};
inline constexpr std::uint8_t kAckCode = 0;
inline constexpr std::uint8_t kNakCode = 1;

// Nothing for a frame that is no ACKNOWLEDGMENT or is shorter than 8 bytes.
std::optional<Acknowledgment> ReadAcknowledgment(const framework::FrameRecord& frame);
// "NAK (will not be done)": the code's meaning.
std::string AcknowledgmentCodeText(std::uint8_t code);

// The J1939 transport announcement (TP.CM BAM or RTS) of a long message.
struct TransportAnnouncement {
  std::uint8_t control = 0;  // 20h BAM, 10h RTS
  std::uint16_t size = 0;
  std::uint8_t packets = 0;
  std::uint32_t dgn = 0;
  std::uint8_t destination = 0;
};
inline constexpr std::uint8_t kTpBamControl = 0x20;
inline constexpr std::uint8_t kTpRtsControl = 0x10;
std::optional<TransportAnnouncement> ReadTransportAnnouncement(const framework::FrameRecord& frame);

}  // namespace vlt::engine
