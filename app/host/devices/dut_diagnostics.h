// How a simulated DUT reports its health and takes a GENERAL_RESET: a DM_RV
// heartbeat for its DSA every 5000 ms without a fault; when its fault condition
// comes, the fault within 50 ms and every 1000 ms while it lasts; when it goes,
// a DM_RV without it within 50 ms and the heartbeat again. A DM_RV request to
// it or to all is answered. GENERAL_RESET to its address is ACKed and acted on
// (clear faults; reboot, which its model carries out after the ACK); to any
// other address it is ignored.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "host/devices/dut_common.h"

namespace vlt::host {

inline constexpr std::uint32_t kDgnDmRv = 0x1FECA;
inline constexpr std::uint32_t kPgnGeneralReset = 0x17F00;
inline constexpr std::int64_t kDmRvHeartbeatMs = 5000;
inline constexpr std::int64_t kDmRvFaultRepeatMs = 1000;
inline constexpr std::int64_t kDmRvFirstAfterMs = 100;  // after normal operation begins
inline constexpr std::int64_t kDmRvChangeMs = 50;  // from a change of the condition to its report
// The fault it reports: SPN 6 (temperature), FMI 0 (above normal), yellow lamp.
inline constexpr std::uint32_t kDutFaultSpn = 6;
inline constexpr std::uint8_t kDutFaultFmi = 0;

// The DM_RV frame: `fault` with its occurrence count, or the no-fault content.
std::array<std::uint8_t, 8> DmRvData(std::uint8_t dsa, bool fault, std::uint8_t count);

class DutDiagnostics {
 public:
  explicit DutDiagnostics(const DutCommon& common) : common_(common) {}

  // The cause of the fault comes or goes (a person's action; power has no say).
  void SetFaultCondition(bool on, std::int64_t nowMicros);
  bool FaultCondition() const { return condition_; }
  // Whether a fault is reported now (the cause, or a latched one).
  bool Reporting() const { return (condition_ || latched_) && !Has(DutFault::kFaultNotReported); }

  // A frame from the bus while the device holds `address`; true when it was a
  // DM_RV request or a GENERAL_RESET this device took (nothing else answers it).
  bool OnFrame(const BusFrame& frame, std::uint8_t address, std::uint8_t dsa,
               std::int64_t nowMicros, PendingFrames& pending);
  // Sends what is due from `address` for device type `dsa`.
  void Poll(std::uint8_t address, std::uint8_t dsa, std::int64_t nowMicros, PendingFrames& pending);
  std::optional<std::int64_t> NextDeadlineMicros() const;
  // Power-up or reboot: the heartbeat starts afresh once the device has an
  // address; latched faults are forgotten.
  void Restart();
  // A GENERAL_RESET asked to reboot: the moment the model goes through power-up.
  std::optional<std::int64_t> RebootDueMicros() const { return rebootDue_; }
  void RebootDone() { rebootDue_.reset(); }

 private:
  bool Has(DutFault fault) const { return common_.faults.Has(fault); }
  void ReportIn(std::int64_t nowMicros, std::int64_t ms);
  std::int64_t PeriodMs() const;
  BusFrame Report(std::uint8_t address, std::uint8_t dsa, bool fault) const;
  void SendReport(std::uint8_t address, std::uint8_t dsa, std::int64_t due,
                  PendingFrames& pending) const;
  void OnReset(const BusFrame& reset, std::uint8_t address, std::uint8_t dsa,
               std::int64_t nowMicros, PendingFrames& pending);

  const DutCommon& common_;
  bool condition_ = false;
  bool latched_ = false;   // reported after its cause went, until cleared
  bool hadFault_ = false;  // reported since power-up
  bool clearing_ = false;  // the next report is the first without the fault
  std::uint8_t occurrences_ = 0;
  std::optional<std::int64_t> nextReport_;  // none until the device holds an address
  std::optional<std::int64_t> rebootDue_;
};

}  // namespace vlt::host
