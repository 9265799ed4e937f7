// What the control socket's "dut ..." commands switch: a simulated device, or an
// external device whose power is its process.
#pragma once

#include <cstdint>
#include <string>

namespace vlt::host {

class DevicePower {
 public:
  virtual ~DevicePower() = default;
  virtual void SetPower(bool on, std::int64_t nowMicros) = 0;
  virtual bool Powered() const = 0;
  // Model and address for people, e.g. "static 253".
  virtual std::string Describe() const = 0;
};

}  // namespace vlt::host
