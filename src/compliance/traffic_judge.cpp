#include "compliance/traffic_judge.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/dgn_names.h"
#include "engine/network_messages.h"
#include "framework/tool_dgn.h"

namespace vlt::compliance {
namespace {

constexpr std::uint32_t kFullLength = 8;
constexpr std::uint8_t kRequestPf = 0xEA;
constexpr std::uint8_t kAckPf = 0xE8;
constexpr std::uint8_t kTpDataPf = 0xEB;
constexpr std::uint8_t kTpControlPf = 0xEC;
constexpr std::uint8_t kClaimPf = 0xEE;

std::uint8_t PduFormat(std::uint32_t dgn) {
  return static_cast<std::uint8_t>(dgn >> 8);
}

std::string Hex2(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", value & 0xFF);
  return text;
}

std::string Dgn(std::uint32_t dgn) {
  return "DGN " + engine::DgnText(dgn);
}

std::uint32_t Median(std::vector<std::uint32_t> values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

std::string TrafficDgnName(std::uint32_t dgn) {
  return dictionary::DgnName(dgn);
}

TrafficJudge::TrafficJudge(const TrafficRules& rules, std::uint32_t beginMs)
    : rules_(rules), lastHeardMs_(beginMs), lastDmRvMs_(beginMs) {}

TrafficJudge::DgnTrack& TrafficJudge::Track(std::uint32_t dgn) {
  if (lastTrack_ != nullptr && lastTrack_->row.dgn == dgn) return *lastTrack_;
  auto [it, added] = tracks_.try_emplace(dgn);
  DgnTrack& track = it->second;
  if (added) {
    track.row.dgn = dgn;
    track.layout = dictionary::LayoutOf(dgn);
    track.published = dictionary::IsPublishedDgn(dgn);
  }
  lastTrack_ = &track;
  return track;
}

void TrafficJudge::Find(TrafficRule rule, int index, const std::string& note) {
  TrafficFinding& finding = findings_[static_cast<std::size_t>(rule)];
  if (finding.count++ == 0) finding.firstIndex = index;
  if (finding.notes.size() < kNotesKept) finding.notes.push_back(note);
}

void TrafficJudge::FindOnce(DgnTrack& track, TrafficRule rule, int index, const std::string& note) {
  const std::uint32_t bit = 1u << static_cast<unsigned>(rule);
  if ((track.noted & bit) != 0) {
    ++findings_[static_cast<std::size_t>(rule)].count;
    return;
  }
  track.noted |= bit;
  Find(rule, index, note);
}

bool TrafficJudge::IsAsked(const framework::FrameRecord& frame) const {
  const std::uint8_t pf = PduFormat(frame.dgn);
  if (pf < framework::kFirstBroadcastPduFormat) {
    const std::uint8_t to = static_cast<std::uint8_t>(frame.dgn);
    if (pf == kRequestPf) return to == rules_.dut || to == framework::kGlobalAddress;
    // Acknowledgements and transport frames ask for nothing; a claim is answered
    // only when it takes the DUT's address, which addressing judges.
    if (pf == kAckPf || pf == kTpDataPf || pf == kTpControlPf || pf == kClaimPf) return false;
    return to == rules_.dut;
  }
  return dictionary::IsCommandDgn(frame.dgn);
}

void TrafficJudge::OnFrame(const framework::FrameRecord& frame, int index) {
  if (frame.textFlag != 0) return;
  if (frame.sourceAddress == rules_.dut) {
    OnDutFrame(frame, index);
  } else if (IsAsked(frame)) {
    if (!askedAtMs_) askedAtMs_ = frame.timeStamp;
  }
}

void TrafficJudge::OnDutFrame(const framework::FrameRecord& frame, int index) {
  ++dutFrames_;
  const std::uint32_t at = frame.timeStamp;
  DgnTrack& track = Track(frame.dgn);
  TrafficRow& row = track.row;
  const auto dgn = [&frame] { return Dgn(frame.dgn); };

  if (row.count++ == 0) {
    row.minLength = row.maxLength = frame.length;
  } else {
    row.minLength = std::min(row.minLength, frame.length);
    row.maxLength = std::max(row.maxLength, frame.length);
    track.gaps.push_back(at - track.lastMs);
  }
  track.lastMs = at;

  if (frame.length != kFullLength) {
    FindOnce(track, TrafficRule::kLength, index,
             dgn() + ": " + std::to_string(frame.length) + " bytes");
  }
  if (frame.messageType == framework::kMsgStampedFrame) {
    row.minPriority = std::min<std::uint8_t>(row.minPriority.value_or(7), frame.priority);
    row.maxPriority = std::max<std::uint8_t>(row.maxPriority.value_or(0), frame.priority);
    if (frame.reservedBit != 0) FindOnce(track, TrafficRule::kReservedBit, index, dgn());
    if (frame.priority < rules_.defaultPriority) {
      FindOnce(track, TrafficRule::kPriority, index,
               dgn() + ": priority " + std::to_string(frame.priority));
    }
  } else {
    ++unstampedFrames_;
  }
  if (!track.published) FindOnce(track, TrafficRule::kUndocumented, index, dgn());
  if (track.layout.described) {
    for (std::size_t i = 0; i < frame.length && i < kFullLength; ++i) {
      if ((frame.data[i] | track.layout.used[i]) == 0xFF) continue;
      FindOnce(track,
               track.layout.complete ? TrafficRule::kUnusedBits : TrafficRule::kPartlyDescribedBits,
               index, dgn() + ": byte " + std::to_string(i) + " = " + Hex2(frame.data[i]) + "h");
      break;
    }
  }
  if (PduFormat(frame.dgn) == kClaimPf) heardClaim_ = true;

  // Gaps to the DUT's own frame before.
  const bool firstAnswer = askedAtMs_ && at - *askedAtMs_ <= rules_.answerWindowMs;
  askedAtMs_.reset();
  if (lastDutMs_) {
    const std::uint32_t gap = at - *lastDutMs_;
    const auto close = [&] {
      return dgn() + " " + std::to_string(gap) + " ms after the one before";
    };
    if (gap < rules_.minGapMs) Find(TrafficRule::kTooClose, index, close());
    if (gap < rules_.answerGapMs) {
      if (firstAnswer) {
        if (closeAnswers_.size() < kNotesKept) {
          closeAnswers_.push_back(dgn() + " " + std::to_string(gap) + " ms");
        }
        ++closeAnswerCount_;
      } else {
        Find(TrafficRule::kHasty, index, close());
      }
    }
  }
  if (at - lastHeardMs_ > rules_.maxSilenceMs) {
    Find(TrafficRule::kSilence, index,
         std::to_string(at - lastHeardMs_) + " ms silent before " + dgn());
  }
  if (engine::DgnWithoutDestination(frame.dgn) == kDmRvDgn) {
    if (at - lastDmRvMs_ > rules_.dmRvMs) {
      Find(TrafficRule::kDmRv, index, std::to_string(at - lastDmRvMs_) + " ms without DM_RV");
    }
    lastDmRvMs_ = at;
  }
  lastDutMs_ = at;
  lastHeardMs_ = at;
  lastDutIndex_ = index;
}

void TrafficJudge::End(std::uint32_t endMs) {
  if (static_cast<std::int32_t>(endMs - lastHeardMs_) >
      static_cast<std::int32_t>(rules_.maxSilenceMs)) {
    Find(TrafficRule::kSilence, lastDutIndex_,
         std::to_string(endMs - lastHeardMs_) + " ms silent at the end");
  }
  if (static_cast<std::int32_t>(endMs - lastDmRvMs_) > static_cast<std::int32_t>(rules_.dmRvMs)) {
    Find(TrafficRule::kDmRv, lastDutIndex_,
         std::to_string(endMs - lastDmRvMs_) + " ms without DM_RV at the end");
  }
  for (auto& [dgn, track] : tracks_) {
    TrafficRow& row = track.row;
    if (track.gaps.empty()) continue;
    const auto [low, high] = std::minmax_element(track.gaps.begin(), track.gaps.end());
    row.minGapMs = *low;
    row.maxGapMs = *high;
    row.medianGapMs = Median(track.gaps);
    // Periodic: sent at least three times. A gap beyond the spread strays.
    const std::uint32_t median = *row.medianGapMs;
    const std::uint32_t spread = median * rules_.strayPercent / 100;
    if (track.gaps.size() >= 2 && (*low + spread < median || *high > median + spread)) {
      Find(TrafficRule::kStray, -1,
           Dgn(dgn) + ": " + std::to_string(*low) + " to " + std::to_string(*high) +
               " ms, median " + std::to_string(median));
    }
  }
}

std::vector<TrafficRow> TrafficJudge::Rows() const {
  std::vector<TrafficRow> rows;
  rows.reserve(tracks_.size());
  for (const auto& [dgn, track] : tracks_) rows.push_back(track.row);
  std::sort(rows.begin(), rows.end(),
            [](const TrafficRow& a, const TrafficRow& b) { return a.dgn < b.dgn; });
  return rows;
}

}  // namespace vlt::compliance
