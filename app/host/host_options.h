// vlt-host's command line.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "host/sim_bus.h"
#include "host/static_dut.h"

namespace vlt::host {

inline constexpr int kExitUsage = 64;   // EX_USAGE
inline constexpr int kExitNoHost = 69;  // EX_UNAVAILABLE

struct HostOptions {
  enum class DutModel { kNone, kStatic };

  bool help = false;
  bool stamped = false;
  bool verbose = false;
  DutModel dutModel = DutModel::kStatic;
  std::uint8_t dutAddress = kDefaultDutAddress;
  DeviceName dutName = kDefaultDutName;  // manufacturer code already applied
  bool dutOff = false;
  std::string control;  // --control: send this line to the running host and print its reply
};

struct ParsedHostOptions {
  HostOptions options;
  std::string error;  // empty when the arguments are usable
};

// The arguments after the program name.
ParsedHostOptions ParseHostOptions(std::span<const std::string_view> args);
std::string HostHelpText();

// The simulated DUT the options describe; null for --dut none.
std::unique_ptr<SimDevice> MakeDut(const HostOptions& options, std::int64_t nowMicros);
// "static 253 (on)" or "none", for the start message.
std::string DutSummary(const HostOptions& options);

}  // namespace vlt::host
