// What a simulated DUT does on the network layer above address claiming, as an
// RV-C node: it answers requests, global and to its address, for the DGNs it
// has (its status DGN and PRODUCT_ID; ADDRESS_CLAIM stays with its addressing),
// NAKs a request to its address for anything else, ignores requests to other
// nodes, and sends PRODUCT_ID by BAM, 50 ms between packets. Its faults break
// one of these rules each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/devices/dimmer_load.h"
#include "host/devices/dut_common.h"

namespace vlt::host {

inline constexpr std::uint32_t kDgnProductId = 0x0FEEB;
inline constexpr std::uint32_t kPgnAcknowledgment = 0xE800;
inline constexpr std::uint32_t kPgnTransportControl = 0xEC00;
inline constexpr std::uint32_t kPgnTransportData = 0xEB00;
inline constexpr std::uint8_t kNakCode = 1;
inline constexpr std::uint8_t kTransportPriority = 7;
inline constexpr std::int64_t kBamGapMs = 50;
// What the faults change.
inline constexpr std::int64_t kLateAnswerMs = 300;
inline constexpr std::int64_t kFastBamGapMs = 10;
inline constexpr std::int64_t kSlowBamGapMs = 600;
inline constexpr std::int64_t kUnrequestedProductIdMs = 5000;
inline constexpr std::uint8_t kShortAnswerBytes = 6;

// "Valmora Labs*VLT-SIM-S*42405*" (VLT-SIM-D for the dynamic model): make, model,
// serial (the NAME's identity number) and an empty unit number.
std::string ProductIdText(const DutCommon& common, DutKind kind);

class RvcResponder {
 public:
  RvcResponder(const DutCommon& common, DutKind kind)
      : common_(common), kind_(kind), dimmer_(common) {}

  // A frame from the bus while the device holds `address` (not a request for
  // ADDRESS_CLAIM, which its addressing answers). Answers go to `pending`.
  void OnFrame(const BusFrame& frame, std::uint8_t address, std::int64_t nowMicros,
               PendingFrames& pending);
  // Frames it sends by itself while it holds `address` (product-id-unrequested).
  void Poll(std::uint8_t address, std::int64_t nowMicros, PendingFrames& pending);
  std::optional<std::int64_t> NextDeadlineMicros() const { return nextUnrequestedMicros_; }
  // Power or a new address: nothing owed, nothing under way.
  void Restart();

  bool Has(DutFault fault) const { return common_.faults.Has(fault); }
  DimmerLoad& Dimmer() { return dimmer_; }
  const DimmerLoad& Dimmer() const { return dimmer_; }

 private:
  void OnRequest(const BusFrame& request, std::uint8_t address, std::int64_t nowMicros,
                 PendingFrames& pending);
  void OnClearToSend(const BusFrame& cts, std::uint8_t address, std::int64_t nowMicros,
                     PendingFrames& pending);
  std::int64_t AnswerDueMicros(std::int64_t nowMicros) const;
  // The frame of a status DGN the device has, for `instance` (FFh: its own).
  std::optional<BusFrame> StatusAnswer(std::uint32_t dgn, std::uint8_t instance,
                                       std::uint8_t address) const;
  void Nak(std::uint32_t dgn, std::uint8_t requester, std::uint8_t address, std::int64_t due,
           PendingFrames& pending, std::uint8_t code = kNakCode) const;
  void SendProductId(std::uint8_t address, std::uint8_t requester, std::int64_t due,
                     PendingFrames& pending);
  std::vector<std::uint8_t> ProductIdBytes() const;

  const DutCommon& common_;
  DutKind kind_;
  std::optional<std::int64_t> nextUnrequestedMicros_;
  // product-id-rts-cts: the packets wait for the receiver's CTS.
  std::vector<BusFrame> heldPackets_;
  DimmerLoad dimmer_;
};

}  // namespace vlt::host
