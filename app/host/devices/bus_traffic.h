// Background traffic on the simulated bus: other RV-C nodes that broadcast their
// status DGNs at a steady total rate, so that a test can run on a busy bus. The
// nodes never claim, never use the DUT's address or status DGN, and stay off
// the null, global and tester addresses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/buses/sim_bus.h"

namespace vlt::host {

// A 250 kbit/s bus carries about 1,800 extended frames of 8 data bytes a second.
inline constexpr std::uint32_t kFullBusFramesPerSecond = 1800;
inline constexpr std::uint32_t kMaxTrafficFramesPerSecond = 10'000;

struct TrafficConfig {
  std::uint32_t framesPerSecond = kFullBusFramesPerSecond;
  std::vector<std::uint8_t> avoidAddresses;  // the DUT's address or range
  std::uint32_t avoidDgn = 0;                // the DUT's status DGN
  bool onAtStart = true;
};

class BusTraffic final : public SimDevice {
 public:
  BusTraffic(const TrafficConfig& config, std::int64_t nowMicros);

  // "traffic on" / "traffic off": on starts the rate afresh from now.
  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override { return on_; }
  void OnBusFrame(const BusFrame& /*frame*/, std::int64_t /*nowMicros*/) override {}
  void Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) override;
  std::optional<std::int64_t> NextDeadlineMicros() const override;
  std::string Describe() const override;

  const std::vector<std::uint8_t>& Sources() const { return sources_; }
  const std::vector<std::uint32_t>& Dgns() const { return dgns_; }

 private:
  std::int64_t DueMicros(std::uint64_t frameNumber) const;

  std::uint32_t rate_;
  std::vector<std::uint8_t> sources_;
  std::vector<std::uint32_t> dgns_;
  bool on_ = false;
  std::int64_t startMicros_ = 0;
  std::uint64_t sent_ = 0;  // since startMicros_
  std::uint8_t counter_ = 0;
};

}  // namespace vlt::host
