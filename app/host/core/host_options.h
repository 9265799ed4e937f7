// vlt-host's command line.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/buses/sim_bus.h"
#include "host/devices/bus_traffic.h"
#include "host/devices/dut_common.h"
#include "host/devices/dynamic_dut.h"
#include "host/devices/static_dut.h"

namespace vlt::host {

inline constexpr int kExitUsage = 64;   // EX_USAGE
inline constexpr int kExitNoHost = 69;  // EX_UNAVAILABLE

// Where the host's bus is.
struct BusChoice {
  enum class Kind {
    kSim,     // the simulated bus (default)
    kPipe,    // pipe:COMMAND
    kReplay,  // replay:FILE
    kCan,     // PLUGIN:INTERFACE, a Qt SerialBus device
  };
  Kind kind = Kind::kSim;
  std::string argument;  // the command, the file, or the interface
  std::string plugin;    // kCan: "socketcan", "virtualcan", ...
};

struct HostOptions {
  enum class DutModel { kNone, kStatic, kDynamic };

  bool help = false;
  bool version = false;
  bool stamped = false;
  bool verbose = false;
  DutModel dutModel = DutModel::kStatic;
  std::uint8_t dutAddress = kDefaultDutAddress;    // static
  std::uint8_t dutCategory = kDefaultDsaCategory;  // dynamic
  std::optional<std::uint8_t> dutDsa;              // dynamic; default the range's first
  DeviceName dutName = kDefaultDutName;            // manufacturer code already applied
  std::uint32_t dutStatusDgn = kDefaultStatusDgn;
  std::uint8_t dutInstance = kDefaultStatusInstance;
  DutFaults dutFaults;                         // faults and variants
  std::optional<std::int64_t> dutBootDelayMs;  // from power-on to its first frame
  bool dutOff = false;
  bool dutOptionGiven = false;  // any --dut... option: only the simulated bus has that DUT
  BusChoice bus;
  std::string record;             // --record FILE: every bus frame as candump -L lines
  std::uint32_t trafficRate = 0;  // --traffic: background frames a second; 0 none
  std::string control;  // --control: send this line to the running host and print its reply
};

struct ParsedHostOptions {
  HostOptions options;
  std::string error;  // empty when the arguments are usable
};

// The arguments after the program name.
ParsedHostOptions ParseHostOptions(std::span<const std::string_view> args);
std::string HostHelpText();
// "pipe", "replay", "socketcan:can0", ... for the start message.
std::string BusSummary(const BusChoice& bus);

// The simulated DUT the options describe; null for --dut none.
std::unique_ptr<SimDevice> MakeDut(const HostOptions& options, std::int64_t nowMicros);
// The background traffic the options describe, clear of the DUT; null without --traffic.
std::unique_ptr<SimDevice> MakeTraffic(const HostOptions& options, std::int64_t nowMicros);
// The DUT in one line for the start message, e.g. "static 253, NAME ..., (on)".
std::string DutSummary(const HostOptions& options);

}  // namespace vlt::host
