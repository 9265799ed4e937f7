#include "engine/device_rhythm.h"

#include <algorithm>
#include <set>

#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "engine/test.h"

namespace vlt::engine {

void DeviceRhythm::Clear() {
  tracks_.clear();
}

const DeviceRhythm::Track* DeviceRhythm::Find(Key key) const {
  const auto it = tracks_.find(key);
  return it == tracks_.end() ? nullptr : &it->second;
}

std::optional<std::uint32_t> DeviceRhythm::Median(const Track& track) {
  if (track.gaps.empty()) return std::nullopt;
  std::vector<std::uint32_t> gaps(track.gaps.begin(), track.gaps.end());
  std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
  return gaps[gaps.size() / 2];
}

namespace {
// A DM_RV without a fault comes every 5000 ms by rule: known from its first frame,
// so that a learning shorter than two heartbeats still tells one from an answer.
constexpr std::uint32_t kHeartbeatMs = 5000;
}  // namespace

std::optional<std::uint32_t> DeviceRhythm::PeriodOf(const Track& track, std::uint32_t dgn) {
  if (const auto median = Median(track)) return median;
  if (track.count > 0 && dgn == kDmRvDgn) return kHeartbeatMs;
  return std::nullopt;
}

bool DeviceRhythm::Brings(const Track& track, std::uint32_t dgn, std::uint32_t atMs) const {
  const auto period = PeriodOf(track, dgn);
  if (!period) return false;
  return atMs - track.lastMs >= *period - *period * kEarlyPercent / 100;
}

const DeviceRhythm::Track* DeviceRhythm::Judge(std::uint32_t dgn, std::uint8_t byte0) const {
  const Track* instance = Find({dgn, byte0});
  if (instance != nullptr && !instance->gaps.empty()) return instance;
  return Find({dgn, kAnyInstance});
}

bool DeviceRhythm::Heard(std::uint32_t dgn, std::uint8_t byte0, std::uint32_t atMs, bool learning) {
  const Track* judge = Judge(dgn, byte0);
  const bool brought = judge != nullptr && Brings(*judge, dgn, atMs);
  if (learning || brought) {
    for (const Key key : {Key{dgn, byte0}, Key{dgn, kAnyInstance}}) {
      Track& track = tracks_[key];
      if (track.count > 0) {
        track.gaps.push_back(atMs - track.lastMs);
        if (track.gaps.size() > kGapsKept) track.gaps.pop_front();
      }
      ++track.count;
      track.lastMs = atMs;
    }
  }
  return !brought;
}

std::optional<std::uint32_t> DeviceRhythm::PeriodMs(Key key) const {
  const Track* track = Find(key);
  return track != nullptr ? Median(*track) : std::nullopt;
}

std::optional<std::uint32_t> DeviceRhythm::LastMs(Key key) const {
  const Track* track = Find(key);
  if (track == nullptr || track->count == 0) return std::nullopt;
  return track->lastMs;
}

std::uint32_t DeviceRhythm::Count(Key key) const {
  const Track* track = Find(key);
  return track != nullptr ? track->count : 0;
}

std::optional<std::uint32_t> DeviceRhythm::NextDueMs(std::uint32_t dgn) const {
  std::optional<std::uint32_t> earliest;
  for (auto it = tracks_.lower_bound({dgn, 0}); it != tracks_.end() && it->first.dgn == dgn; ++it) {
    const auto period = PeriodOf(it->second, dgn);
    if (!period) continue;
    const std::uint32_t due = it->second.lastMs + *period - *period * kEarlyPercent / 100;
    if (!earliest || due < *earliest) earliest = due;
  }
  return earliest;
}

std::optional<std::uint32_t> DeviceRhythm::ShortestPeriodMs(std::uint32_t dgn) const {
  std::optional<std::uint32_t> shortest;
  for (auto it = tracks_.lower_bound({dgn, 0}); it != tracks_.end() && it->first.dgn == dgn; ++it) {
    const auto period = Median(it->second);
    if (period && (!shortest || *period < *shortest)) shortest = period;
  }
  return shortest;
}

std::vector<std::uint32_t> DeviceRhythm::Dgns() const {
  std::set<std::uint32_t> dgns;
  for (const auto& [key, track] : tracks_) dgns.insert(key.dgn);
  return {dgns.begin(), dgns.end()};
}

EWatchDeviceRhythm::EWatchDeviceRhythm(Test* test, DataLog* log, DeviceRhythm* rhythm,
                                       const std::uint8_t* dut, std::uint32_t learnMs,
                                       std::function<bool(const DeviceRhythm&)> learnt)
    : EWatch(test, log),
      rhythm_(rhythm),
      dut_(dut),
      learnMs_(learnMs),
      learnt_(std::move(learnt)) {}

void EWatchDeviceRhythm::Start() {
  active_ = true;
  parsing_ = true;
  learning_ = true;
  rhythm_->Clear();
  judgedLog_ = nullptr;
  judgedIndex_ = -1;
  startMs_ = test_->NowMs();
  Write("Listening to the DUT at address " + std::to_string(*dut_) + ".");
}

void EWatchDeviceRhythm::OnEvent(std::uint32_t /*code*/) {
  if (!learning_) return;
  if (test_->NowMs() - startMs_ >= learnMs_ || (learnt_ && learnt_(*rhythm_))) {
    learning_ = false;
    active_ = false;
  }
}

std::string EWatchDeviceRhythm::WaitingFor() const {
  return "Listening to the DUT at address " + std::to_string(*dut_) + " for up to " +
         std::to_string(learnMs_) + " ms to learn what it sends by itself.";
}

void EWatchDeviceRhythm::OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) {
  if (frame.textFlag != 0 || log.OwnTransmission(index) || frame.sourceAddress != *dut_) return;
  judgedLog_ = &log;
  judgedGeneration_ = log.Generation();
  judgedIndex_ = index;
  const std::uint8_t byte0 = frame.length > 0 ? frame.data[0] : 0xFF;
  judgedUnscheduled_ =
      rhythm_->Heard(DgnWithoutDestination(frame.dgn), byte0, frame.timeStamp, learning_);
}

bool EWatchDeviceRhythm::Unscheduled(const DataLog& log, int index) const {
  return &log == judgedLog_ && log.Generation() == judgedGeneration_ && index == judgedIndex_ &&
         judgedUnscheduled_;
}

}  // namespace vlt::engine
