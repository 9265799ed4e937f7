// The framework's own parser: counts frames (silence detection compares two
// samples), drives the data items' periodic work and keeps the two activity rings
// the data list views read.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/parser.h"

namespace vlt::framework {

// A data item that wants its periodic operation about every 0.9 s.
class PeriodicItem {
 public:
  virtual ~PeriodicItem() = default;
  virtual void Periodic() = 0;
};

class BRMasterParser : public BRParser {
 public:
  static constexpr std::size_t kRingSlots = 6;

  void OnTick40() override;
  void OnFrame(const FrameMessage& message) override;
  void DumpStatus() {}

  void AddPeriodicItem(PeriodicItem* item);
  void RemovePeriodicItem(PeriodicItem* item);

  // Data items count their work in the current slot of one ring or the other.
  void CountRing1() { ++ring1_[ringIndex_.load()]; }
  void CountRing2() { ++ring2_[ringIndex_.load()]; }
  // The count over the five completed ring steps before the current one.
  std::uint32_t Ring1Sum() const { return SumWithoutCurrent(ring1_); }
  std::uint32_t Ring2Sum() const { return SumWithoutCurrent(ring2_); }
  std::uint32_t RingIndex() const { return ringIndex_.load(); }

  std::uint32_t FrameCount() const { return frameCount_.load(); }
  std::uint32_t ChangeListSize() const { return changeListSize_.load(); }
  void SetChangeListSize(std::uint32_t size) { changeListSize_.store(size); }

 private:
  using Ring = std::array<std::atomic<std::uint32_t>, kRingSlots>;
  std::uint32_t SumWithoutCurrent(const Ring& ring) const;

  std::mutex periodicMutex_;
  std::vector<PeriodicItem*> periodicItems_;
  Ring ring1_{};
  Ring ring2_{};
  std::atomic<std::uint32_t> ringIndex_{0};
  std::atomic<std::uint32_t> changeListSize_{0};
  std::atomic<std::uint32_t> frameCount_{0};
};

}  // namespace vlt::framework
