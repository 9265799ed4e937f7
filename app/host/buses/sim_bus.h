// The simulated bus: devices that live on virtual time and a wire that carries each
// frame from its sender to every other node. The host's adapter is one node; it
// hears every device frame and puts the tools' frames on the wire.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/buses/bus_frame.h"
#include "host/buses/device_power.h"

namespace vlt::host {

// A simulated node. Devices only change state when they hear a frame and only
// send from Poll, so a frame never starts another delivery in the middle of one.
class SimDevice : public DevicePower {
 public:
  virtual void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) = 0;
  // Called once NextDeadlineMicros() has come; appends the frames the device sends
  // and moves its deadline past `nowMicros`.
  virtual void Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) = 0;
  // Nullopt while the device waits for nothing but frames or power.
  virtual std::optional<std::int64_t> NextDeadlineMicros() const = 0;
};

class SimBus {
 public:
  using HostListener = std::function<void(const BusFrame&)>;

  explicit SimBus(HostListener host) : host_(std::move(host)) {}

  SimDevice& Attach(std::unique_ptr<SimDevice> device);

  // A frame from the host's adapter: every device hears it.
  void TransmitFromHost(const BusFrame& frame, std::int64_t nowMicros);
  // Lets every device whose deadline has come send; its frames reach the other
  // devices and the host.
  void RunDue(std::int64_t nowMicros);
  std::optional<std::int64_t> NextDeadlineMicros() const;

  std::uint64_t DeviceFrames() const { return deviceFrames_; }

 private:
  HostListener host_;
  std::vector<std::unique_ptr<SimDevice>> devices_;
  std::vector<BusFrame> sent_;
  std::uint64_t deviceFrames_ = 0;
};

}  // namespace vlt::host
