#include "host/host_options.h"

#include <charconv>
#include <optional>

namespace vlt::host {

namespace {

std::optional<unsigned> ParseDecimal(std::string_view text, unsigned max) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value > max) return std::nullopt;
  return value;
}

std::string ParseDut(std::string_view value, HostOptions& options) {
  if (value == "none") {
    options.dutModel = HostOptions::DutModel::kNone;
    return {};
  }
  const std::string_view model = value.substr(0, value.find(':'));
  if (model != "static") {
    return "unknown DUT model '" + std::string(value) + "' (use static[:ADDRESS] or none)";
  }
  options.dutModel = HostOptions::DutModel::kStatic;
  options.dutAddress = kDefaultDutAddress;
  if (model.size() == value.size()) return {};
  const auto address = ParseDecimal(value.substr(model.size() + 1), kMaxStaticAddress);
  if (!address) {
    return "bad DUT address in '" + std::string(value) + "' (decimal 0 to " +
           std::to_string(kMaxStaticAddress) + ")";
  }
  options.dutAddress = static_cast<std::uint8_t>(*address);
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
    const bool takesValue =
        arg == "--dut" || arg == "--dut-name" || arg == "--dut-mfg" || arg == "--control";
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
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--stamped") {
      options.stamped = true;
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--control") {
      options.control = std::string(value);
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
      manufacturer = ParseDecimal(value, kMaxManufacturerCode);
      if (!manufacturer) {
        parsed.error = "bad manufacturer code '" + std::string(value) + "' (decimal 0 to " +
                       std::to_string(kMaxManufacturerCode) + ")";
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
  return parsed;
}

std::string HostHelpText() {
  return "Usage: vlt-host [OPTION]...\n"
         "The host stand-in of the Valmora Tester: owns a simulated RV-C bus and speaks the\n"
         "host protocol to tools over sockets in the run folder ($VLT_RUN_DIR, else\n"
         "$XDG_RUNTIME_DIR/vlt, else /tmp/vlt-<uid>): RVC/Corvane for tool messages,\n"
         "RVC/Corvane.ctl for control commands. One vlt-host per run folder.\n"
         "\n"
         "Options:\n"
         "  --stamped           deliver frames as time-stamped 03h messages (host time in\n"
         "                      microseconds, priority and reserved bit) instead of 00h\n"
         "  --dut MODEL         the simulated device under test:\n"
         "                        static[:ADDRESS]  fixed source address, decimal 0-253\n"
         "                                          (default static:253)\n"
         "                        none              no DUT: an empty bus\n"
         "  --dut-name HEX16    the DUT's 8-byte NAME, 16 hex digits, byte 0 first\n"
         "                      (default " +
         DeviceNameText(kDefaultDutName) +
         ")\n"
         "  --dut-mfg N         manufacturer code 0-2047, written into the NAME\n"
         "  --dut-off           start with the DUT powered off (default: on)\n"
         "  --verbose           log tool registrations and removals on stderr\n"
         "  --control LINE      do not start a host: send LINE to the vlt-host that runs on\n"
         "                      the run folder, print its reply (exit 0 when it is ok)\n"
         "  --help              show this text\n"
         "\n"
         "The static DUT: 100 ms after power-on it sends its ADDRESS_CLAIM (18EEFFxx, data =\n"
         "NAME); from 300 ms after the claim it sends TANK_STS (DGN 1FFB7, instance 0) every\n"
         "500 ms. It answers a request for ADDRESS_CLAIM (DGN EA00 to its address or FF,\n"
         "data 00 EE 00) and another node's claim of its address with its own claim.\n"
         "Powered off it sends nothing and hears nothing.\n"
         "\n"
         "Tools transmit single frames of up to 8 data bytes; longer transmits are counted\n"
         "and dropped. The host keeps one mode and echo flag for all tools (start: host\n"
         "mode 3, echo 0); with echo 1 a tool also receives its own frames.\n"
         "\n"
         "Control commands (one line each on RVC/Corvane.ctl, one reply line):\n"
         "  dut power on        power the DUT (it boots and claims again)\n"
         "  dut power off       cut the DUT's power\n"
         "  dut status          reply e.g. \"ok on static 253\"\n"
         "  stats               counters: \"ok tools=1 received=... dropped=...\"\n"
         "  other lines         \"error unknown command\"\n"
         "\n"
         "Exit status: 0 after SIGINT or SIGTERM (every tool is told goodbye first),\n"
         "1 when the run folder or the sockets cannot be used or another vlt-host runs,\n"
         "64 for bad arguments, 69 when --control finds no host.\n";
}

std::unique_ptr<SimDevice> MakeDut(const HostOptions& options, std::int64_t nowMicros) {
  if (options.dutModel == HostOptions::DutModel::kNone) return nullptr;
  StaticDutConfig config;
  config.address = options.dutAddress;
  config.name = options.dutName;
  config.poweredAtStart = !options.dutOff;
  return std::make_unique<StaticDut>(config, nowMicros);
}

std::string DutSummary(const HostOptions& options) {
  if (options.dutModel == HostOptions::DutModel::kNone) return "none";
  return "static " + std::to_string(options.dutAddress) + " NAME " +
         DeviceNameText(options.dutName) + (options.dutOff ? " (off)" : " (on)");
}

}  // namespace vlt::host
