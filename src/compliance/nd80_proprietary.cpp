#include "compliance/nd80_proprietary.h"

#include <algorithm>
#include <random>

#include "compliance/nd30_random_target.h"
#include "compliance/nd90_traffic_sample.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "settings/setting_text.h"
#include "values/value_maker_bytes.h"

namespace vlt::compliance {
namespace {

constexpr std::uint32_t kProprietaryDgn = 0x0EF00;
constexpr std::uint32_t kFirstPropB = 0x0FF00;
constexpr std::uint32_t kLastPropB = 0x0FFFF;
constexpr std::uint32_t kDefaultStatusDgn = 0x1FEDA;
constexpr std::size_t kDefaultStateByte = 2;
constexpr std::size_t kFrameBytes = 8;

std::string Hex2(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", value & 0xFF);
  return text;
}

std::string StateText(const std::vector<std::size_t>& bytes, const std::vector<std::uint8_t>& v) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && i < v.size(); ++i) {
    text +=
        (text.empty() ? "byte " : ", byte ") + std::to_string(bytes[i]) + " " + Hex2(v[i]) + "h";
  }
  return text;
}

}  // namespace

void EHoldUntil::Start() {
  active_ = true;
  startMs_ = test_->NowMs();
  limitMs_ = limitOf_ ? limitOf_() : 0;
}

void EHoldUntil::OnEvent(std::uint32_t /*code*/) {
  if (!active_) return;
  if ((done_ && done_()) || test_->NowMs() - startMs_ >= limitMs_) active_ = false;
}

void EWatchProprietary::Start() {
  active_ = true;
  parsing_ = true;
}

void EWatchProprietary::OnMatch(engine::DataLog& log, int index,
                                const framework::FrameRecord& frame) {
  if (frame.textFlag != 0) return;
  const std::uint32_t dgn = engine::DgnWithoutDestination(frame.dgn);
  if (log.OwnTransmission(index)) {
    if (dgn == kProprietaryDgn && seen_->reacting) seen_->proprietarySentMs = frame.timeStamp;
    return;
  }
  if (frame.sourceAddress != *dut_) return;
  if (dgn == kProprietaryDgn) {
    (engine::DestinationOf(frame.dgn) == framework::kGlobalAddress ? seen_->toAll : seen_->toNode)
        .push_back(index);
  } else if (dgn >= kFirstPropB && dgn <= kLastPropB) {
    seen_->propB.push_back(index);
  } else if (dgn == seen_->statusDgn && frame.length > 0 &&
             (seen_->instance == 0xFF || frame.data[0] == seen_->instance)) {
    std::vector<std::uint8_t> state;
    for (const std::size_t b : seen_->stateBytes) {
      state.push_back(b < frame.length ? frame.data[b] : 0xFF);
    }
    seen_->state = state;
    seen_->stateIndex = index;
    ++seen_->statusCount;
  }
  const std::uint32_t key = frame.dgn << 8 | (frame.length > 0 ? frame.data[0] : 0xFF);
  const auto it = seen_->beats.find(key);
  if (seen_->reacting && seen_->proprietarySentMs) {
    const bool unknown = it == seen_->beats.end() || !it->second.minGapMs;
    const bool early =
        !unknown && (frame.timeStamp - it->second.lastMs) * 5 < *it->second.minGapMs * 4;
    if (unknown || early) {
      seen_->reactions.push_back(
          {index, DgnLabel(frame.dgn) + " " +
                      std::to_string(frame.timeStamp - *seen_->proprietarySentMs) +
                      " ms after a proprietary frame"});
    }
  }
  ProprietaryWatch::Beat& beat = seen_->beats[key];
  if (!seen_->reacting && beat.lastMs != 0) {
    const std::uint32_t gap = frame.timeStamp - beat.lastMs;
    beat.minGapMs = std::min(beat.minGapMs.value_or(gap), gap);
  }
  beat.lastMs = frame.timeStamp;
}

Test_ND80::Test_ND80(const engine::TestContext& context) : NetworkTest(context, kCatalogueIndex) {
  Append<EWatchAddressesInUse>(log_, &inUse_);
  Append<engine::ECall>([this] { Prepare(); });
  Append<EWatchProprietary>(log_, &dut_, &seen_);
  AppendPreamble(
      [this](const engine::DeviceRhythm& rhythm) { return HeardTwice(rhythm, {seen_.statusDgn}); });
  Append<EHoldUntil>([this] { return TrafficSampleMs(*this); }, nullptr,
                     "Listening to the DUT in normal operation.");
  Append<engine::ECall>([this] { ChooseTargets(); });
  for (std::size_t t = 0; t < kTargets; ++t) {
    AppendRequest([this, t] { return PlanFor(t); }, nullptr);
  }
  Append<engine::ECall>([this] { statusesBefore_ = seen_.statusCount; });
  Append<EHoldUntil>([] { return kStatusWaitMs; },
                     [this] { return seen_.statusCount > statusesBefore_; },
                     "The DUT's status after the proprietary frames.");
  AddCriterion(kToAll, "Proprietary frame (EF00) sent to all nodes.");
  AddCriterion(kPropB, "J1939 proprietary-B frame (FF00-FFFF) sent.");
  AddCriterion(kInService, "Proprietary frame sent in normal operation.");
  AddCriterion(kReacts, "DUT reacted to proprietary frames to other nodes.");
  AddCriterion(kStateChanged, "DUT state changed after proprietary frames.");
}

void Test_ND80::Prepare() {
  seen_ = ProprietaryWatch{};
  const std::string dgnText = AppSettings().GetValue(kStatusDgnSetting);
  char* end = nullptr;
  const unsigned long dgn = std::strtoul(dgnText.c_str(), &end, 16);
  seen_.statusDgn = end != dgnText.c_str() && dgn >= 0x10000 && dgn <= framework::kDgnMask
                        ? static_cast<std::uint32_t>(dgn)
                        : kDefaultStatusDgn;
  const std::string instance = AppSettings().GetValue(kCommandInstanceSetting);
  seen_.instance = static_cast<std::uint8_t>(
      instance.empty() || instance == "N/A" ? 0xFF : settings::SettingNumber(instance));
  const auto positions = values::ReadBytePositions(AppSettings().GetValue(kStateBytesSetting));
  seen_.stateBytes.assign({kDefaultStateByte});
  if (positions && !positions->empty())
    seen_.stateBytes.assign(positions->begin(), positions->end());
  targets_.clear();
  stateBefore_.reset();
  sent_ = false;
}

void Test_ND80::ChooseTargets() {
  const std::tm when = Context().localTime ? Context().localTime() : engine::SystemLocalTime();
  targets_ = FreeAddresses(inUse_, dut_, when, kTargets);
  std::string text;
  for (const std::uint8_t t : targets_) text += (text.empty() ? "" : ", ") + std::to_string(t);
  Write("Proprietary frames go to addresses no device holds: " + text + ".");
  stateBefore_ = seen_.state;
  stateBeforeIndex_ = seen_.stateIndex;
  seen_.reacting = true;
}

std::optional<engine::RequestPlan> Test_ND80::PlanFor(std::size_t target) {
  if (target >= targets_.size()) return std::nullopt;
  engine::RequestPlan plan;
  plan.dgn = kProprietaryDgn;
  plan.destination = targets_[target];
  plan.answerDgn = seen_.statusDgn;
  // Random bytes, the same for the same target and start time.
  std::mt19937 random(static_cast<std::uint32_t>(targets_[target]) * 2654435761u ^ dut_);
  std::vector<std::uint8_t> data(kFrameBytes);
  for (auto& b : data) b = static_cast<std::uint8_t>(random());
  plan.command = data;
  sent_ = true;
  return plan;
}

void Test_ND80::Finish() {
  if (!Aborted()) {
    const auto evidence = [](const std::vector<int>& frames) {
      return frames.empty() ? -1 : frames.front();
    };
    if (!seen_.toAll.empty()) {
      FailCriterion(kToAll, std::to_string(seen_.toAll.size()) + " to all", log_,
                    evidence(seen_.toAll));
    } else {
      PassCriterion(kToAll, "none");
    }
    if (!seen_.propB.empty()) {
      FailCriterion(kPropB, std::to_string(seen_.propB.size()) + " frames", log_,
                    evidence(seen_.propB));
    } else {
      PassCriterion(kPropB, "none");
    }
    const std::size_t proprietary = seen_.toAll.size() + seen_.toNode.size();
    if (proprietary > 0) {
      QuestionCriterion(kInService,
                        std::to_string(proprietary) +
                            " sent: only service use (configuration, diagnostics, test) allows it",
                        log_, evidence(seen_.toAll.empty() ? seen_.toNode : seen_.toAll));
    } else {
      PassCriterion(kInService, "none");
    }
    if (!seen_.reactions.empty()) {
      std::string notes;
      for (std::size_t i = 0; i < seen_.reactions.size() && i < 3; ++i) {
        notes += (notes.empty() ? "" : "; ") + seen_.reactions[i].second;
      }
      FailCriterion(kReacts, notes, log_, seen_.reactions.front().first);
    } else if (sent_) {
      std::string used;
      for (const std::uint8_t t : targets_) used += (used.empty() ? "" : ", ") + std::to_string(t);
      PassCriterion(kReacts, "Addresses used: " + used);
    }
    const std::string status = DgnLabel(seen_.statusDgn);
    if (!stateBefore_) {
      QuestionCriterion(kStateChanged, "no " + status + " from the DUT before the frames");
    } else if (seen_.statusCount <= statusesBefore_ || !seen_.state) {
      QuestionCriterion(kStateChanged, "no " + status + " from the DUT after the frames");
    } else if (*seen_.state != *stateBefore_) {
      FailCriterion(kStateChanged,
                    status + " " + StateText(seen_.stateBytes, *stateBefore_) + ", then " +
                        StateText(seen_.stateBytes, *seen_.state),
                    log_, seen_.stateIndex);
    } else {
      PassCriterion(kStateChanged, status + " " + StateText(seen_.stateBytes, *seen_.state));
    }
  }
  Test::Finish();
}

}  // namespace vlt::compliance
