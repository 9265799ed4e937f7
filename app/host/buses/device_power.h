// What the control socket's "dut ..." commands switch: a simulated device, or an
// external device whose power is its process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlt::host {

// What a person does to the device besides switching its power.
enum class DeviceAction : std::uint8_t {
  kFaultOn,   // "dut fault on": the device meets a condition it reports as a fault
  kFaultOff,  // "dut fault off": the condition goes
  kSwitch,    // "dut switch": its own control (a wall switch, a panel button) is worked
};

// The control command of each action, as the control socket takes it.
std::string_view ActionCommand(DeviceAction action);
std::optional<DeviceAction> ActionOfCommand(std::string_view command);

class DevicePower {
 public:
  virtual ~DevicePower() = default;
  virtual void SetPower(bool on, std::int64_t nowMicros) = 0;
  virtual bool Powered() const = 0;
  // False when the device could not be told (it has no such control, or it is
  // an external program that is not running).
  virtual bool Act(DeviceAction /*action*/, std::int64_t /*nowMicros*/) { return false; }
  // Model and address for people, e.g. "static 253".
  virtual std::string Describe() const = 0;
};

inline std::string_view ActionCommand(DeviceAction action) {
  switch (action) {
    case DeviceAction::kFaultOn:
      return "dut fault on";
    case DeviceAction::kFaultOff:
      return "dut fault off";
    case DeviceAction::kSwitch:
      return "dut switch";
  }
  return {};
}

inline std::optional<DeviceAction> ActionOfCommand(std::string_view command) {
  for (const DeviceAction action :
       {DeviceAction::kFaultOn, DeviceAction::kFaultOff, DeviceAction::kSwitch}) {
    if (command == ActionCommand(action)) return action;
  }
  return std::nullopt;
}

}  // namespace vlt::host
