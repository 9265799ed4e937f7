#include "host/core/host_options.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace vlt::host {

namespace {

constexpr unsigned kMaxBootDelayMs = 600'000;

std::optional<unsigned> ParseNumber(std::string_view text, unsigned max, int base = 10) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || ptr != end || value > max) return std::nullopt;
  return value;
}

std::string RangeText(const AddressRange& range) {
  return std::to_string(range.low) + "-" + std::to_string(range.high);
}

std::string ParseDut(std::string_view value, HostOptions& options) {
  if (value == "none") {
    options.dutModel = HostOptions::DutModel::kNone;
    return {};
  }
  const std::string_view model = value.substr(0, value.find(':'));
  const bool hasArgument = model.size() != value.size();
  const std::string_view argument = hasArgument ? value.substr(model.size() + 1) : "";
  if (model == "static") {
    options.dutModel = HostOptions::DutModel::kStatic;
    options.dutAddress = kDefaultDutAddress;
    if (!hasArgument) return {};
    const auto address = ParseNumber(argument, kMaxStaticAddress);
    if (!address) {
      return "bad DUT address in '" + std::string(value) + "' (decimal 0 to " +
             std::to_string(kMaxStaticAddress) + ")";
    }
    options.dutAddress = static_cast<std::uint8_t>(*address);
    return {};
  }
  if (model == "dynamic") {
    options.dutModel = HostOptions::DutModel::kDynamic;
    options.dutCategory = kDefaultDsaCategory;
    if (!hasArgument) return {};
    const auto category = ParseNumber(argument, kMaxDsaCategory);
    if (!category) {
      return "bad DSA category in '" + std::string(value) + "' (0 to " +
             std::to_string(kMaxDsaCategory) + ")";
    }
    options.dutCategory = static_cast<std::uint8_t>(*category);
    return {};
  }
  return "unknown DUT model '" + std::string(value) +
         "' (use static[:ADDRESS], dynamic[:CATEGORY] or none)";
}

std::string ParseStatusDgn(std::string_view value, HostOptions& options) {
  if (value.starts_with("0x") || value.starts_with("0X")) value.remove_prefix(2);
  const auto dgn = ParseNumber(value, kMaxStatusDgn, 16);
  if (!dgn || *dgn < kMinStatusDgn) {
    return "bad status DGN '" + std::string(value) + "' (hexadecimal 10000 to 1FFFF)";
  }
  options.dutStatusDgn = *dgn;
  return {};
}

std::string ParseBus(std::string_view value, BusChoice& bus) {
  bus = BusChoice{};
  if (value == "sim") return {};
  const std::size_t colon = value.find(':');
  const std::string_view kind = value.substr(0, colon);
  const std::string_view argument =
      colon == std::string_view::npos ? std::string_view() : value.substr(colon + 1);
  if (colon == std::string_view::npos || argument.empty() || kind.empty()) {
    return "bad bus '" + std::string(value) +
           "' (use sim, pipe:COMMAND, replay:FILE or PLUGIN:INTERFACE such as socketcan:can0)";
  }
  bus.argument = std::string(argument);
  if (kind == "pipe") {
    bus.kind = BusChoice::Kind::kPipe;
  } else if (kind == "replay") {
    bus.kind = BusChoice::Kind::kReplay;
  } else {
    for (const char c : kind) {
      if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
        return "bad CAN plugin name '" + std::string(kind) + "' (e.g. socketcan, virtualcan)";
      }
    }
    bus.kind = BusChoice::Kind::kCan;
    bus.plugin = std::string(kind);
  }
  return {};
}

// What only makes sense once every option is known.
std::string CheckDut(const HostOptions& options) {
  using Model = HostOptions::DutModel;
  if (options.bus.kind != BusChoice::Kind::kSim) {
    if (options.dutOptionGiven) {
      return "--dut options are for the simulated bus; on --bus " + BusSummary(options.bus) +
             " the DUT is the device on that bus";
    }
    if (options.trafficRate > 0) {
      return "--traffic is for the simulated bus; on --bus " + BusSummary(options.bus) +
             " the traffic is what that bus carries";
    }
    return {};
  }
  if (options.dutModel == Model::kNone) {
    if (!options.dutFaults.None() || options.dutDsa || options.dutBootDelayMs) {
      return "--dut-fault, --dut-variant, --dut-dsa and --dut-boot-delay need a DUT (--dut "
             "static or --dut dynamic)";
    }
    return {};
  }
  const DutKind kind = options.dutModel == Model::kStatic ? DutKind::kStatic : DutKind::kDynamic;
  for (const DutFaultInfo& info : kDutFaults) {
    if (options.dutFaults.Has(info.fault) && !FaultApplies(info.fault, kind)) {
      return (info.variant ? "variant " : "fault ") + std::string(info.name) +
             " does not apply to the " + (kind == DutKind::kStatic ? "static" : "dynamic") + " DUT";
    }
  }
  if (!options.dutDsa) return {};
  if (kind == DutKind::kStatic) {
    return "--dut-dsa is for the dynamic DUT; the static DUT's address is static:ADDRESS";
  }
  const AddressRange range = kDsaCategoryRanges[options.dutCategory];
  if (!range.Contains(*options.dutDsa)) {
    return "DSA " + std::to_string(*options.dutDsa) + " lies outside " + RangeText(range) +
           ", the dynamic range of category " + std::to_string(options.dutCategory);
  }
  return {};
}

}  // namespace

ParsedHostOptions ParseHostOptions(std::span<const std::string_view> args) {
  ParsedHostOptions parsed;
  HostOptions& options = parsed.options;
  std::optional<unsigned> manufacturer;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const bool takesValue = arg == "--dut" || arg == "--dut-name" || arg == "--dut-mfg" ||
                            arg == "--dut-dsa" || arg == "--dut-fault" || arg == "--dut-variant" ||
                            arg == "--dut-boot-delay" || arg == "--dut-status-dgn" ||
                            arg == "--dut-instance" || arg == "--control" || arg == "--bus" ||
                            arg == "--record" || arg == "--traffic";
    if (inlineValue && !takesValue) {
      parsed.error = "option " + std::string(arg) + " takes no value";
      return parsed;
    }
    std::string_view value;
    if (takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        parsed.error = "option " + std::string(arg) + " needs a value";
        return parsed;
      }
    }
    if (arg.starts_with("--dut")) options.dutOptionGiven = true;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--stamped") {
      options.stamped = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--control") {
      options.control = std::string(value);
    } else if (arg == "--bus") {
      parsed.error = ParseBus(value, options.bus);
    } else if (arg == "--record") {
      if (value.empty()) {
        parsed.error = "--record needs a file name";
      } else {
        options.record = std::string(value);
      }
    } else if (arg == "--traffic") {
      if (const auto rate = ParseNumber(value, kMaxTrafficFramesPerSecond); rate && *rate > 0) {
        options.trafficRate = *rate;
      } else {
        parsed.error = "bad traffic rate '" + std::string(value) + "' (frames a second, 1 to " +
                       std::to_string(kMaxTrafficFramesPerSecond) + "; a full 250 kbit/s bus " +
                       std::to_string(kFullBusFramesPerSecond) + ")";
      }
    } else if (arg == "--dut-off") {
      options.dutOff = true;
    } else if (arg == "--dut") {
      parsed.error = ParseDut(value, options);
    } else if (arg == "--dut-name") {
      if (const auto name = ParseDeviceName(value)) {
        options.dutName = *name;
      } else {
        parsed.error = "bad DUT NAME '" + std::string(value) + "' (16 hexadecimal digits)";
      }
    } else if (arg == "--dut-mfg") {
      manufacturer = ParseNumber(value, kMaxManufacturerCode);
      if (!manufacturer) {
        parsed.error = "bad manufacturer code '" + std::string(value) + "' (decimal 0 to " +
                       std::to_string(kMaxManufacturerCode) + ")";
      }
    } else if (arg == "--dut-dsa") {
      if (const auto dsa = ParseNumber(value, kMaxStaticAddress)) {
        options.dutDsa = static_cast<std::uint8_t>(*dsa);
      } else {
        parsed.error = "bad DSA '" + std::string(value) + "' (decimal 0 to " +
                       std::to_string(kMaxStaticAddress) + ")";
      }
    } else if (arg == "--dut-fault") {
      if (const auto fault = FaultByName(value)) {
        options.dutFaults.Add(*fault);
      } else {
        parsed.error = "unknown DUT fault '" + std::string(value) + "' (see --help)";
      }
    } else if (arg == "--dut-variant") {
      if (const auto variant = FaultByName(value, true)) {
        options.dutFaults.Add(*variant);
      } else {
        parsed.error = "unknown DUT variant '" + std::string(value) + "' (see --help)";
      }
    } else if (arg == "--dut-boot-delay") {
      if (const auto delay = ParseNumber(value, kMaxBootDelayMs)) {
        options.dutBootDelayMs = *delay;
      } else {
        parsed.error = "bad boot delay '" + std::string(value) + "' (milliseconds, 0 to " +
                       std::to_string(kMaxBootDelayMs) + ")";
      }
    } else if (arg == "--dut-status-dgn") {
      parsed.error = ParseStatusDgn(value, options);
    } else if (arg == "--dut-instance") {
      if (const auto instance = ParseNumber(value, 0xFF)) {
        options.dutInstance = static_cast<std::uint8_t>(*instance);
      } else {
        parsed.error = "bad instance '" + std::string(value) + "' (decimal 0 to 255)";
      }
    } else {
      parsed.error = "unknown argument '" + std::string(arg) + "'";
    }
    if (!parsed.error.empty()) return parsed;
  }
  // The code goes into whatever NAME is in use, whichever option came first.
  if (manufacturer) {
    SetManufacturerCode(options.dutName, static_cast<std::uint16_t>(*manufacturer));
  }
  parsed.error = CheckDut(options);
  // The simulated DUT belongs to the simulated bus alone.
  if (parsed.error.empty() && options.bus.kind != BusChoice::Kind::kSim) {
    options.dutModel = HostOptions::DutModel::kNone;
  }
  return parsed;
}

std::string BusSummary(const BusChoice& bus) {
  switch (bus.kind) {
    case BusChoice::Kind::kSim:
      return "sim";
    case BusChoice::Kind::kPipe:
      return "pipe";
    case BusChoice::Kind::kReplay:
      return "replay";
    case BusChoice::Kind::kCan:
      return bus.plugin + ":" + bus.argument;
  }
  return "sim";
}

std::string HostHelpText() {
  std::string categories;
  for (std::size_t i = 0; i < kDsaCategoryRanges.size(); ++i) {
    categories += "  " + std::to_string(i) + "  " + std::string(kDsaCategoryNames[i]) +
                  std::string(24 - kDsaCategoryNames[i].size(), ' ') +
                  RangeText(kDsaCategoryRanges[i]) + "\n";
  }
  char statusDgn[8];
  std::snprintf(statusDgn, sizeof(statusDgn), "%05X", static_cast<unsigned>(kDefaultStatusDgn));
  return "Usage: vlt-host [OPTION]...\n"
         "The host stand-in of the Valmora Tester: owns an RV-C bus (simulated unless --bus\n"
         "names another) and speaks the host protocol to tools over sockets in the run\n"
         "folder ($VLT_RUN_DIR, else $XDG_RUNTIME_DIR/vlt, else /tmp/vlt-<uid>):\n"
         "RVC/Corvane for tool messages, RVC/Corvane.ctl for control commands. One\n"
         "vlt-host per run folder.\n"
         "\n"
         "Options:\n"
         "  --bus BUS           where the bus is (default sim, the simulated bus):\n"
         "                        pipe:COMMAND     run COMMAND with /bin/sh -c and exchange\n"
         "                                         frames with it as candump -L lines on its\n"
         "                                         stdin/stdout; its process is the DUT's\n"
         "                                         power (\"dut power off\": SIGTERM, SIGKILL\n"
         "                                         after 1 s; \"dut power on\": start again)\n"
         "                        replay:FILE      play a candump -L recording with its\n"
         "                                         timing, starting 1 s after the first\n"
         "                                         tool registers, then stay idle\n"
         "                        PLUGIN:IFACE     a Qt SerialBus CAN device: socketcan:can0,\n"
         "                                         virtualcan:can0, peakcan:usb0, ...\n"
         "                      Only 29-bit frames are the host's; 11-bit, remote and CAN FD\n"
         "                      frames and bad lines are skipped and counted (\"stats\").\n"
         "                      The --dut options are for the simulated bus only.\n"
         "  --record FILE       write every bus frame to FILE as candump -L lines, host\n"
         "                      time as the stamp\n"
         "  --stamped           deliver frames as time-stamped 03h messages (host time in\n"
         "                      microseconds, priority and reserved bit) instead of 00h\n"
         "  --dut MODEL         the simulated device under test:\n"
         "                        static[:ADDRESS]    fixed source address, decimal 0-253\n"
         "                                            (default static:253)\n"
         "                        dynamic[:CATEGORY]  dynamic addressing in the range of DSA\n"
         "                                            category 0-8 (default 0)\n"
         "                        none                no DUT: an empty bus\n"
         "  --dut-dsa ADDRESS   the dynamic DUT's DSA, the first address it asks for; inside\n"
         "                      its category's range (default the range's first address)\n"
         "  --dut-name HEX16    the DUT's 8-byte NAME, 16 hex digits, byte 0 first\n"
         "                      (default " +
         DeviceNameText(kDefaultDutName) +
         "); the model sets its arbitrary-\n"
         "                      address-capable bit (byte 7, bit 7): 0 static, 1 dynamic\n"
         "  --dut-mfg N         manufacturer code 0-2047, written into the NAME\n"
         "  --dut-status-dgn H  the DGN of its periodic status, hexadecimal 10000-1FFFF\n"
         "                      (default " +
         statusDgn +
         ")\n"
         "  --dut-instance N    data byte 0 of its status, 0-255 (default " +
         std::to_string(kDefaultStatusInstance) +
         ")\n"
         "  --dut-fault NAME    make the DUT break one rule (repeatable; list below)\n"
         "  --dut-variant NAME  a correct J1939 behaviour the plain models lack\n"
         "                      (repeatable; list below)\n"
         "  --dut-boot-delay MS from power-on to the DUT's first frame (default " +
         std::to_string(kDutBootDelayMs) +
         "; 0: in\n"
         "                      the millisecond of power-on)\n"
         "  --dut-off           start with the DUT powered off (default: on)\n"
         "  --traffic RATE      background traffic: RATE frames a second in all (1-" +
         std::to_string(kMaxTrafficFramesPerSecond) + "; " +
         std::to_string(kFullBusFramesPerSecond) +
         " fills a 250 kbit/s bus), status DGNs of\n"
         "                      other nodes (never the DUT's address or status DGN, never\n"
         "                      claims); \"traffic off\" and \"traffic on\" switch it\n"
         "  --verbose           log tool registrations and removals on stderr\n"
         "  --control LINE      do not start a host: send LINE to the vlt-host that runs on\n"
         "                      the run folder, print its reply (exit 0 when it is ok)\n"
         "  --help              show this text\n"
         "  --version           show the program's version\n"
         "\n"
         "Both DUTs, once their claim stands, send the status DGN every 500 ms from 300 ms\n"
         "after the claim: data byte 0 the instance, the rest FFh (TANK_STS, 1FFB7, carries a\n"
         "half-full tank). They answer a request for ADDRESS_CLAIM (DGN EA00 to their address\n"
         "or FF, data 00 EE 00) with their claim 5 ms later. In arbitration the lower 64-bit\n"
         "NAME (bytes little-endian) wins. Powered off a DUT sends nothing and hears nothing.\n"
         "\n"
         "Both DUTs carry a DC dimmer load, instance 1, off at power-on. DC_DIMMER_COMMAND_2\n"
         "(1FEDB) from any node at any priority sets its level (byte 2, 0-200 in 0.5 % steps),\n"
         "switches it off or toggles it (byte 3: 0, 3, 5), and DC_DIMMER_STATUS_3 (1FEDA)\n"
         "answers 5 ms later; a command whose fields are all FFh changes nothing and is\n"
         "answered, a level above 200 gets NAK 5 (to the commander), a command for another\n"
         "instance is ignored. The status also comes every 5000 ms, 250 ms after a status\n"
         "frame, and on request.\n"
         "\n"
         "The static DUT: 100 ms after power-on it claims its address (18EEFFxx, data =\n"
         "NAME). It cannot move, so it answers another node's claim of its address with its\n"
         "own claim 5 ms later, whichever NAME wins.\n"
         "\n"
         "The dynamic DUT: 100 ms after power-on it sends a request for ADDRESS_CLAIM from FEh\n"
         "to its DSA (8 bytes, 00 EE 00 FF FF FF FF FF) and claims that address 260 ms later\n"
         "unless a node with a higher-priority NAME claims it meanwhile; then it asks for the\n"
         "next address of its range the same way. Running, it defends its address against a\n"
         "lower-priority claim and gives it up to a higher-priority one, asking for the next\n"
         "free address 5 ms later. When its range is taken it tries F0h-FDh (not F9h, the\n"
         "tester's own); when those are taken too it sends cannot-claim (a claim from FEh).\n"
         "DSA categories and their dynamic ranges:\n" +
         categories +
         "\n"
         "The tester's default settings find a default DUT: \"DSA For Address Claiming\" 253\n"
         "is the static DUT's address, \"DSA Category\" Multifunction the dynamic DUT's\n"
         "category, \"Identifying DGN\" 1FFFF and \"Identifying Instance\" 255 its status. Set\n"
         "\"Manufacturer ID\" to the NAME's code (291 by default) and read \"Full\n"
         "ADDRESS_CLAIM Value\" from the DUT before the other tests.\n"
         "\n"
         "Faults (--dut-fault NAME): what the DUT then does, and the criteria it trips\n"
         "(test and criterion id as the reports show them) against a profile that holds\n"
         "the NAME read from it, DSA 253 (static) or 112 (dynamic) and manufacturer code\n"
         "291; \"aborted\": by the test's own limit; \"run until stopped\": by the operator\n"
         "or vlt run --timeout:\n" +
         FaultHelpText() +
         "\n"
         "Variants (--dut-variant NAME): what the DUT then does, and what the tests make of\n"
         "it (the same profile):\n" +
         FaultHelpText(true) +
         "\n"
         "A tool's transmit of up to 8 data bytes goes out as one frame; of 9 to 1785 bytes\n"
         "as a J1939 multi-packet message, by BAM (one packet every 50 ms) when it is for\n"
         "all, by RTS/CTS when it is for one node; a longer one is counted (long_transmits\n"
         "in \"stats\") and not sent.\n"
         "\n"
         "The host keeps one mode and echo flag for all tools (start: host mode 3, echo 0).\n"
         "Echo rule: with echo 1 the sending tool gets each of its frames back once, as the\n"
         "bus carried it (from the source address it went out from); the tester knows its\n"
         "own transmissions and marks them in its reports.\n"
         "\n"
         "Control commands (one line each on RVC/Corvane.ctl, one reply line):\n"
         "  dut power on        power the DUT (it boots and claims again)\n"
         "  dut power off       cut the DUT's power\n"
         "  dut status          reply e.g. \"ok on static 253\" or \"ok off dynamic 112\"\n"
         "                      (the address it holds or asks for; 254 once it cannot claim)\n"
         "  dut fault on        cause a fault the DUT reports (its fault condition)\n"
         "  dut fault off       remove the cause of the fault\n"
         "  dut switch          work the DUT's own control, as a person at the device would\n"
         "                      (a pipe program reads these three as comment lines on its\n"
         "                      stdin: \"# dut fault on\", \"# dut fault off\", \"# dut switch\")\n"
         "  traffic on|off      switch the background traffic of --traffic\n"
         "  stats               counters: \"ok tools=1 received=... dropped=...\"\n"
         "  other lines         \"error unknown command\"\n"
         "\n"
         "Exit status: 0 after SIGINT or SIGTERM (every tool is told goodbye first),\n"
         "1 when the run folder, the sockets, the bus or the record file cannot be used,\n"
         "another vlt-host runs, or the CAN adapter is lost,\n"
         "64 for bad arguments, 69 when --control finds no host.\n";
}

namespace {

DutCommon CommonOf(const HostOptions& options) {
  DutCommon common;
  common.name = options.dutName;
  common.statusDgn = options.dutStatusDgn;
  common.instance = options.dutInstance;
  common.faults = options.dutFaults;
  common.poweredAtStart = !options.dutOff;
  if (options.dutBootDelayMs) common.timing.bootDelayMs = *options.dutBootDelayMs;
  return common;
}

}  // namespace

std::unique_ptr<SimDevice> MakeDut(const HostOptions& options, std::int64_t nowMicros) {
  switch (options.dutModel) {
    case HostOptions::DutModel::kNone:
      return nullptr;
    case HostOptions::DutModel::kStatic:
      return std::make_unique<StaticDut>(
          StaticDutConfig{.address = options.dutAddress, .common = CommonOf(options)}, nowMicros);
    case HostOptions::DutModel::kDynamic:
      return std::make_unique<DynamicDut>(
          DynamicDutConfig{
              .category = options.dutCategory, .dsa = options.dutDsa, .common = CommonOf(options)},
          nowMicros);
  }
  return nullptr;
}

std::unique_ptr<SimDevice> MakeTraffic(const HostOptions& options, std::int64_t nowMicros) {
  if (options.trafficRate == 0) return nullptr;
  TrafficConfig config;
  config.framesPerSecond = options.trafficRate;
  config.avoidDgn = options.dutStatusDgn;
  switch (options.dutModel) {
    case HostOptions::DutModel::kNone:
      break;
    case HostOptions::DutModel::kStatic:
      config.avoidAddresses = {options.dutAddress, NeighbourAddress(options.dutAddress)};
      break;
    case HostOptions::DutModel::kDynamic: {
      // Its range and the addresses it falls back to.
      const AddressRange range = kDsaCategoryRanges[options.dutCategory];
      for (unsigned a = range.low; a <= range.high; ++a) {
        config.avoidAddresses.push_back(static_cast<std::uint8_t>(a));
      }
      for (unsigned a = 0xF0; a <= 0xFD; ++a) {
        config.avoidAddresses.push_back(static_cast<std::uint8_t>(a));
      }
      break;
    }
  }
  return std::make_unique<BusTraffic>(config, nowMicros);
}

std::string DutSummary(const HostOptions& options) {
  std::string text;
  switch (options.dutModel) {
    case HostOptions::DutModel::kNone:
      return "none";
    case HostOptions::DutModel::kStatic:
      text = "static " + std::to_string(options.dutAddress);
      break;
    case HostOptions::DutModel::kDynamic: {
      const AddressRange range = kDsaCategoryRanges[options.dutCategory];
      text = "dynamic, category " + std::to_string(options.dutCategory) + " (" + RangeText(range) +
             "), DSA " + std::to_string(options.dutDsa.value_or(range.low));
      break;
    }
  }
  char status[48];
  std::snprintf(status, sizeof(status), ", status %05X instance %u",
                static_cast<unsigned>(options.dutStatusDgn),
                static_cast<unsigned>(options.dutInstance));
  // The NAME as it goes on the bus, which is what the tester reads from the DUT.
  const DutKind kind =
      options.dutModel == HostOptions::DutModel::kStatic ? DutKind::kStatic : DutKind::kDynamic;
  text += ", NAME " + DeviceNameText(ClaimName(CommonOf(options), kind, false)) + status;
  if (!options.dutFaults.None()) text += ", faults " + options.dutFaults.Names();
  return text + (options.dutOff ? " (off)" : " (on)");
}

}  // namespace vlt::host
