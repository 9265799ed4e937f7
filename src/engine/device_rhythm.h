// What the device under test sends by itself, learnt while listening: for each
// DGN (and each value of its byte 0, the instance of instanced DGNs) the time of
// its last frame and its period, the median of the gaps between its frames. A
// frame that comes no sooner than 80 % of the period after the last one is the
// period's own; only an unscheduled frame can be an answer to a request or a
// reaction to a command, so a periodic status frame is never taken for either.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "engine/watch.h"

namespace vlt::engine {

class DeviceRhythm {
 public:
  // A DGN with the value of byte 0, or a DGN whatever its byte 0 (kAnyInstance).
  struct Key {
    std::uint32_t dgn = 0;
    std::uint16_t instance = kAnyInstance;
    auto operator<=>(const Key&) const = default;
  };
  static constexpr std::uint16_t kAnyInstance = 0x100;
  // A frame brought by the period may come this much sooner than the period.
  static constexpr std::uint32_t kEarlyPercent = 20;

  void Clear();
  // A frame from the device. While learning every frame counts; afterwards only
  // the frames its period brings move the rhythm on. Returns whether it was
  // unscheduled (not brought by the period of its DGN).
  bool Heard(std::uint32_t dgn, std::uint8_t byte0, std::uint32_t atMs, bool learning);

  // The median gap; nothing before two frames.
  std::optional<std::uint32_t> PeriodMs(Key key) const;
  std::optional<std::uint32_t> LastMs(Key key) const;
  std::uint32_t Count(Key key) const;
  // The earliest time the DGN's own period may bring its next frame (for every
  // instance heard); nothing for a DGN without a period.
  std::optional<std::uint32_t> NextDueMs(std::uint32_t dgn) const;
  // The DGN's shortest period over its instances; nothing without one.
  std::optional<std::uint32_t> ShortestPeriodMs(std::uint32_t dgn) const;
  // Every DGN heard, in order.
  std::vector<std::uint32_t> Dgns() const;

 private:
  struct Track {
    std::uint32_t count = 0;
    std::uint32_t lastMs = 0;
    std::deque<std::uint32_t> gaps;  // the latest few
  };
  static constexpr std::size_t kGapsKept = 9;

  bool Brings(const Track& track, std::uint32_t dgn, std::uint32_t atMs) const;
  static std::optional<std::uint32_t> Median(const Track& track);
  // The median gap, or the period a rule gives the DGN once it was heard.
  static std::optional<std::uint32_t> PeriodOf(const Track& track, std::uint32_t dgn);
  const Track* Find(Key key) const;
  // The track whose period judges a frame: its instance's once that has a
  // period, else the DGN's.
  const Track* Judge(std::uint32_t dgn, std::uint8_t byte0) const;

  std::map<Key, Track> tracks_;
};

// Feeds the rhythm with every frame from the device at `dut`: for the first
// `learnMs` (or until `learnt` says enough) it holds and blocks the list, and it
// goes on watching for the rest of the run. Attach it before the watches that
// ask it about a frame, so that it has judged the frame first.
class EWatchDeviceRhythm : public EWatch {
 public:
  EWatchDeviceRhythm(Test* test, DataLog* log, DeviceRhythm* rhythm, const std::uint8_t* dut,
                     std::uint32_t learnMs, std::function<bool(const DeviceRhythm&)> learnt = {});
  std::string GetName() const override { return "EWatchDeviceRhythm"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;

  // Whether the frame at `index` of the log (the last one judged) was
  // unscheduled: from the device and not brought by its DGN's period.
  bool Unscheduled(const DataLog& log, int index) const;

 private:
  DeviceRhythm* rhythm_;
  const std::uint8_t* dut_;
  std::uint32_t learnMs_;
  std::function<bool(const DeviceRhythm&)> learnt_;
  std::uint32_t startMs_ = 0;
  bool learning_ = false;
  const DataLog* judgedLog_ = nullptr;
  std::uint32_t judgedGeneration_ = 0;
  int judgedIndex_ = -1;
  bool judgedUnscheduled_ = false;
};

}  // namespace vlt::engine
