// The load both simulated DUT models carry: one DC dimmer channel, instance 1,
// commanded by DC_DIMMER_COMMAND_2 from any node at any priority and reported
// in DC_DIMMER_STATUS_3 every 5000 ms while the device works, within its
// reaction time of any change, in answer to every command it takes (one whose
// fields are all "no data" changes nothing and is answered all the same) and to
// requests. A level out of the field's range is refused with NAK 5; commands
// for another instance are ignored. Its own wall switch toggles it and reports
// the change at once, as if commanded. Each fault breaks one of these rules.
#pragma once

#include <cstdint>
#include <optional>

#include "host/devices/dut_common.h"

namespace vlt::host {

inline constexpr std::uint32_t kDgnDimmerCommand = 0x1FEDB;
inline constexpr std::uint32_t kDgnDimmerStatus = 0x1FEDA;
inline constexpr std::uint8_t kDimmerInstance = 1;
inline constexpr std::int64_t kDimmerReportPeriodMs = 5000;
// Its periodic status falls halfway between two of the device's status frames.
inline constexpr std::int64_t kDimmerReportOffsetMs = 250;
inline constexpr std::uint8_t kDimmerFullLevel = 200;  // 100 % in 0.5 % steps
inline constexpr std::uint8_t kParameterOutOfRange = 5;

// A command the load will not carry out: the NAK its device owes the commander.
struct CommandRefusal {
  std::uint8_t code = kParameterOutOfRange;
  std::uint8_t commander = 0;
  std::int64_t dueMicros = 0;
};

class DimmerLoad {
 public:
  explicit DimmerLoad(const DutCommon& common) : common_(common) {}

  // Any frame while the device holds `address`: a command for the load is
  // carried out and answered in `pending`; a refusal comes back for the NAK.
  std::optional<CommandRefusal> OnFrame(const BusFrame& frame, std::uint8_t address,
                                        std::int64_t nowMicros, PendingFrames& pending);
  // The status, when a request for `dgn` naming `instance` (FFh: every one) asks for it.
  std::optional<BusFrame> StatusAnswer(std::uint32_t dgn, std::uint8_t instance,
                                       std::uint8_t address) const;
  // The device's normal operation begins: periodic reports from then on.
  void StartReports(std::int64_t nowMicros);
  // The periodic report when it is due, while the device works.
  void Poll(std::uint8_t address, std::int64_t nowMicros, PendingFrames& pending);
  std::optional<std::int64_t> NextReportMicros() const { return nextReportMicros_; }
  // The wall switch: on at the last level, or off; reported from `address`
  // when the device holds one.
  void Switch(std::optional<std::uint8_t> address, std::int64_t nowMicros, PendingFrames& pending);
  // Power: off, commanded by nobody yet.
  void PowerUp();

  std::uint8_t Level() const { return level_; }

 private:
  bool Has(DutFault fault) const { return common_.faults.Has(fault); }
  BusFrame Status(std::uint8_t address) const;
  void SetLevel(std::uint8_t level);
  // Carries out a command of this load's; false when it is not taken at all.
  bool Obey(const BusFrame& frame);

  const DutCommon& common_;
  std::uint8_t level_ = 0;
  std::uint8_t lastOnLevel_ = kDimmerFullLevel;
  std::uint8_t lastCommand_ = 0xFF;
  bool switched_ = false;  // its own control was worked since power-up
  std::optional<std::int64_t> nextReportMicros_;
};

}  // namespace vlt::host
