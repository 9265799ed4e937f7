// --bus replay:FILE: a candump -L recording played back with its original spacing
// of frames, starting a moment after the first tool's registration (a bus nobody
// hears is no test, and a tool switches its frames on after registering), driven
// by deadlines so that tests run it on virtual time. Afterwards the bus is idle;
// what tools transmit goes nowhere.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/buses/candump_line.h"
#include "host/buses/external_bus.h"

namespace vlt::host {

// Time between the first registration and the first frame.
inline constexpr std::int64_t kReplayLeadMicros = 1'000'000;

class ReplayBus final : public ExternalBus {
 public:
  explicit ReplayBus(BusReceiver receiver) : receiver_(std::move(receiver)) {}

  // Reads the whole recording; empty, or why it cannot be played. Bad lines are
  // skipped and counted (LineCounts).
  std::string Load(const std::string& path);
  // The same from text in memory.
  void LoadText(std::string_view text);

  void Put(const BusFrame& frame) override;
  std::string StatsText() const override;
  void AppendPollFds(std::vector<pollfd>& /*fds*/) override {}
  void Service(std::span<const pollfd> /*fds*/, std::int64_t /*nowMicros*/) override {}
  std::optional<std::int64_t> NextDeadlineMicros() const override;
  void RunDue(std::int64_t nowMicros) override;
  void OnFirstTool(std::int64_t nowMicros) override;
  std::string Name() const override { return "replay"; }

  std::size_t FrameCount() const { return frames_.size(); }
  std::size_t Played() const { return next_; }
  const CandumpCounts& LineCounts() const { return counts_; }

 private:
  struct Timed {
    BusFrame frame;
    std::int64_t offsetMicros = 0;  // from the recording's first frame
  };
  BusReceiver receiver_;
  std::vector<Timed> frames_;
  CandumpCounts counts_;
  std::optional<std::int64_t> startMicros_;  // set once the first tool is there
  std::size_t next_ = 0;
  std::uint64_t unsent_ = 0;
};

}  // namespace vlt::host
