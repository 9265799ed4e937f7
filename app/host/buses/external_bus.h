// A bus outside the host process (a frame pipe, a recording, a CAN adapter). Frames
// it carries enter the host through one call (HostServer::ReceiveBusFrame); the
// frames tools transmit leave through one exit (BusWire::Put), so whatever the host
// does to frames between the two (multi-packet assembly, splitting) sits in
// HostServer alone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <poll.h>

#include "host/buses/bus_frame.h"
#include "host/buses/device_power.h"

namespace vlt::host {

// Where HostServer puts a frame on the wire.
class BusWire {
 public:
  virtual ~BusWire() = default;
  virtual void Put(const BusFrame& frame) = 0;
  // Name=value pairs for the control socket's "stats"; empty when none.
  virtual std::string StatsText() const { return {}; }
};

// A frame heard on the bus and, when the bus gives one, its time stamp in the
// host clock's microseconds.
using BusReceiver = std::function<void(const BusFrame& frame, std::optional<std::int64_t> stamp)>;

class ExternalBus : public BusWire {
 public:
  // Descriptors to wait on; Service gets the same entries back after ppoll.
  virtual void AppendPollFds(std::vector<pollfd>& fds) = 0;
  virtual void Service(std::span<const pollfd> fds, std::int64_t nowMicros) = 0;
  // Timed work (replay, a kill deadline); nullopt when there is none.
  virtual std::optional<std::int64_t> NextDeadlineMicros() const { return std::nullopt; }
  virtual void RunDue(std::int64_t /*nowMicros*/) {}
  // The first tool registered: a recording starts playing for it.
  virtual void OnFirstTool(std::int64_t /*nowMicros*/) {}
  // The device the control socket powers; null when the bus has none.
  virtual DevicePower* Device() { return nullptr; }
  // The bus is gone for good (adapter lost): the host ends with a failure.
  virtual bool Lost() const { return false; }
  // At the host's end: stop what runs; true once nothing is left to wait for.
  virtual bool Shutdown(std::int64_t /*nowMicros*/) { return true; }
  // Short name for the start message, e.g. "pipe", "replay", "socketcan:can0".
  virtual std::string Name() const = 0;
};

// Maps an adapter's time stamps onto the host clock: anchored at the first frame,
// so tools see the adapter's spacing of frames even when they arrive in a burst;
// anchored again when the two clocks part by more than a second (the adapter's
// clock jumped, restarted or drifted).
class StampMapper {
 public:
  std::int64_t ToHost(std::int64_t adapterMicros, std::int64_t hostNowMicros) {
    const std::int64_t mapped = adapterMicros + offset_;
    if (!anchored_ || mapped > hostNowMicros + kMaxDriftMicros ||
        mapped < hostNowMicros - kMaxDriftMicros) {
      offset_ = hostNowMicros - adapterMicros;
      anchored_ = true;
    }
    return adapterMicros + offset_;
  }

 private:
  static constexpr std::int64_t kMaxDriftMicros = 1'000'000;
  bool anchored_ = false;
  std::int64_t offset_ = 0;
};

}  // namespace vlt::host
