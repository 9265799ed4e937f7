// How a simulated DUT's own frames reach the bus: in the order they fell due, no
// two less than 50 ms apart, except the first answer to a request or command and
// the frames of address claiming, which keep at least 5 ms. The traffic faults
// each break one rule of every frame here, so the models stay as they are.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "host/devices/dut_common.h"

namespace vlt::host {

inline constexpr std::int64_t kOwnFrameGapMs = 50;
inline constexpr std::int64_t kAnswerGapMs = 5;
// What the traffic faults send or change.
inline constexpr std::uint32_t kUndocumentedDgn = 0x1FF00;
inline constexpr std::uint32_t kDgnProprietary = 0xEF00;
inline constexpr std::uint32_t kDgnProprietaryB = 0x0FF00;
// prop-acts toggles the level its load's status reports.
inline constexpr std::size_t kDimmerLevelByte = 2;
inline constexpr std::int64_t kFaultFramePeriodMs = 5000;
inline constexpr std::uint8_t kHighPriority = 3;
inline constexpr std::size_t kShortDlcBytes = 7;
inline constexpr std::int64_t kBurstGapMs = 1;
inline constexpr std::int64_t kSilenceCycleMs = 30000;  // silent-6s: from 10 s to 16 s of each
inline constexpr std::int64_t kSilenceStartMs = 10000;
inline constexpr std::int64_t kSilenceMs = 6000;

class OwnFrames {
 public:
  explicit OwnFrames(const DutCommon& common) : common_(common) {}

  // A frame of another node while the device holds `address`: a request or a
  // command to it lets its next frame follow its last one sooner.
  void Heard(const BusFrame& frame, std::uint8_t address, std::int64_t nowMicros);
  // The frames the device has due now, in order; those that may go now go to
  // `out`, the rest wait. `address`: the one it holds, if any.
  void Send(std::vector<BusFrame>& due, std::optional<std::uint8_t> address, std::int64_t nowMicros,
            std::vector<BusFrame>& out);
  std::optional<std::int64_t> NextDeadlineMicros(std::optional<std::uint8_t> address) const;
  // Power: nothing waits, nothing was sent.
  void Restart();
  // Nothing owed waits for its turn.
  bool Idle() const { return waiting_.empty(); }

 private:
  bool Has(DutFault fault) const { return common_.faults.Has(fault); }
  // The frame as the device's faults send it; nothing while it is silent.
  std::optional<BusFrame> AsSent(BusFrame frame, std::int64_t nowMicros) const;
  // Frames that go as soon as 5 ms after the last: address claiming and what
  // falls due with it, and the packets product-id-fast-bam hurries.
  struct Waiting {
    BusFrame frame;
    bool quick = false;
  };
  std::int64_t GapMicros(const Waiting& waiting) const;
  void AddFaultFrames(std::uint8_t address, std::int64_t nowMicros);

  const DutCommon& common_;
  std::deque<Waiting> waiting_;
  std::optional<std::int64_t> lastSentMicros_;
  std::optional<std::int64_t> poweredMicros_;
  bool answerOwed_ = false;
  bool loadToggled_ = false;  // prop-acts: a proprietary frame to another node was heard
  std::optional<std::int64_t> nextFaultFrameMicros_;
  std::vector<BusFrame> bursts_;  // copies due kBurstGapMs after their frame
  std::int64_t burstDueMicros_ = 0;
};

}  // namespace vlt::host
