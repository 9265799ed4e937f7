// The judging of a sample of bus traffic: every frame of the DUT's address held
// to the rules of every frame (length, reserved bit, priority, a published DGN,
// bits no signal uses sent as 1s), the gaps between its frames (at least 5 ms,
// and 50 ms unless the frame is the first answer to a request or command), how
// long it stays silent, how often it sends DM_RV, and a table of what it sent,
// DGN by DGN. Frames of other nodes only matter as requests and commands the DUT
// may answer. Fed frame by frame, in bus order; nothing is kept of a frame but
// its gap, so a full bus costs little.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dictionary/dgn_layouts.h"
#include "framework/frame_record.h"

namespace vlt::compliance {

struct TrafficRules {
  std::uint8_t dut = 0;
  std::uint32_t answerWindowMs = 255;  // a first answer comes this soon after its request
  std::uint32_t minGapMs = 5;
  std::uint32_t answerGapMs = 50;  // less only for a first answer
  std::uint32_t maxSilenceMs = 6000;
  std::uint32_t dmRvMs = 6000;
  std::uint8_t defaultPriority = 6;
  std::uint32_t strayPercent = 20;
};

// What the sample broke; kPartlyDescribedBits and kStray are for the operator.
enum class TrafficRule : std::uint8_t {
  kLength,
  kReservedBit,
  kPriority,
  kUndocumented,
  kTooClose,  // under the minimum gap
  kHasty,     // under the answer gap and no first answer
  kSilence,
  kDmRv,
  kUnusedBits,           // a 0 where a completely described DGN has no signal
  kPartlyDescribedBits,  // a 0 where a partly described DGN names no signal
  kStray,                // a periodic DGN's gap far from its median
  kCount,
};

struct TrafficFinding {
  std::uint32_t count = 0;
  int firstIndex = -1;             // in the data log
  std::vector<std::string> notes;  // the first few
};

// One row of the report's table.
struct TrafficRow {
  std::uint32_t dgn = 0;
  std::uint32_t count = 0;
  std::uint16_t minLength = 0, maxLength = 0;
  std::optional<std::uint8_t> minPriority, maxPriority;  // none from 00h messages
  std::optional<std::uint32_t> minGapMs, medianGapMs, maxGapMs;
};

class TrafficJudge {
 public:
  static constexpr std::size_t kNotesKept = 3;
  static constexpr std::uint32_t kDmRvDgn = 0x1FECA;

  TrafficJudge(const TrafficRules& rules, std::uint32_t beginMs);

  // Any frame of the sample, with its index in the data log.
  void OnFrame(const framework::FrameRecord& frame, int index);
  // The sample is over; decides what only the end shows.
  void End(std::uint32_t endMs);

  const TrafficFinding& Finding(TrafficRule rule) const {
    return findings_[static_cast<std::size_t>(rule)];
  }
  // Frames closer than the answer gap that were first answers: "DGN 1FEDA 12 ms".
  const std::vector<std::string>& CloseAnswers() const { return closeAnswers_; }
  std::uint32_t CloseAnswerCount() const { return closeAnswerCount_; }
  std::uint32_t DutFrames() const { return dutFrames_; }
  // DUT frames that came without priority and reserved bit (00h messages).
  std::uint32_t UnstampedFrames() const { return unstampedFrames_; }
  bool HeardClaim() const { return heardClaim_; }
  // Every DGN the DUT sent, in DGN order.
  std::vector<TrafficRow> Rows() const;

 private:
  struct DgnTrack {
    TrafficRow row;
    dictionary::DgnLayout layout;
    bool published = false;
    std::uint32_t lastMs = 0;
    std::vector<std::uint32_t> gaps;
    std::uint32_t noted = 0;  // the rules already noted for this DGN, one bit each
  };

  DgnTrack& Track(std::uint32_t dgn);
  void Find(TrafficRule rule, int index, const std::string& note);
  // Once per DGN and rule.
  void FindOnce(DgnTrack& track, TrafficRule rule, int index, const std::string& note);
  void OnDutFrame(const framework::FrameRecord& frame, int index);
  bool IsAsked(const framework::FrameRecord& frame) const;

  TrafficRules rules_;
  std::optional<std::uint32_t> lastDutMs_;
  std::uint32_t lastHeardMs_;  // the DUT's last frame, or the sample's start
  std::uint32_t lastDmRvMs_;
  int lastDutIndex_ = -1;
  std::optional<std::uint32_t> askedAtMs_;  // a request or command the DUT has not answered
  std::unordered_map<std::uint32_t, DgnTrack> tracks_;
  DgnTrack* lastTrack_ = nullptr;
  std::array<TrafficFinding, static_cast<std::size_t>(TrafficRule::kCount)> findings_;
  std::vector<std::string> closeAnswers_;
  std::uint32_t closeAnswerCount_ = 0;
  std::uint32_t dutFrames_ = 0;
  std::uint32_t unstampedFrames_ = 0;
  bool heardClaim_ = false;
};

// "TANK_STS" or the DGN's name as frame lines print it.
std::string TrafficDgnName(std::uint32_t dgn);

}  // namespace vlt::compliance
