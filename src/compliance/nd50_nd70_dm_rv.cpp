#include "compliance/nd50_nd70_dm_rv.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "engine/bus_watches.h"
#include "engine/data_log.h"
#include "engine/group.h"
#include "engine/network_messages.h"
#include "engine/report_layout.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

constexpr std::uint8_t kOn = 1;
constexpr std::uint8_t kError = 2;
constexpr std::uint8_t kMaxBank = 13;
constexpr std::uint8_t kNullAddress = 0xFE;
constexpr const char* kCommonSpns[] = {
    "unknown",          "microprocessor", "ADC",      "settings",           "RAM",
    "power supply",     "temperature",    "clock",    "date/time",          "RV-C connection",
    "serial number/ID", "watchdog",       "firmware", "internal subnetwork"};

std::string Ms(std::uint32_t ms) {
  return std::to_string(ms) + " ms";
}

std::string Lamp(std::uint8_t state) {
  return state == 0 ? "off" : state == kOn ? "on" : state == kError ? "error" : "n/a";
}

}  // namespace

DmRvContent ReadDmRv(const std::uint8_t* data, std::size_t length) {
  std::array<std::uint8_t, 8> b{};
  b.fill(0xFF);
  std::copy_n(data, std::min(length, b.size()), b.begin());
  DmRvContent c;
  c.operating = b[0] & 0x03;
  c.active = (b[0] >> 2) & 0x03;
  c.yellow = (b[0] >> 4) & 0x03;
  c.red = (b[0] >> 6) & 0x03;
  c.dsa = b[1];
  // Most significant byte first, the reverse of J1939's DM1.
  c.spn = (std::uint32_t{b[2]} << 11) | (std::uint32_t{b[3]} << 3) | (b[4] >> 5);
  c.fmi = b[4] & 0x1F;
  c.count = b[5] & 0x7F;
  c.byte5 = b[5];
  c.extension = b[6];
  c.byte7 = b[7];
  return c;
}

std::string SpnText(std::uint32_t spn) {
  std::string text = std::to_string(spn);
  if (spn < std::size(kCommonSpns)) text += " (" + std::string(kCommonSpns[spn]) + ")";
  return text;
}

DmRvTest::DmRvTest(const engine::TestContext& context, std::uint16_t catalogueIndex)
    : NetworkTest(context, catalogueIndex) {}

void DmRvTest::AppendDmRvPreamble() {
  AppendPreamble([](const engine::DeviceRhythm& rhythm) {
    return rhythm.Count({engine::kDmRvDgn, engine::DeviceRhythm::kAnyInstance}) > 0;
  });
}

void DmRvTest::AppendWait(std::uint32_t ms) {
  // Alone a minimum time holds the list open but lets the next element start.
  Append<engine::EGroup>(engine::EGroup::Mode::kAll, true, true).Add<engine::ETimeLimitMinimum>(ms);
}

engine::EOperatorAction& DmRvTest::AppendAction(engine::OperatorCue cue, std::uint16_t mark) {
  return Append<engine::EOperatorAction>(cue, mark);
}

void DmRvTest::ReadLog() {
  seen_.clear();
  announcements_.clear();
  firstDutMs_.reset();
  endMs_ = NowMs();
  for (std::size_t i = 0; i < log_->Size(); ++i) {
    const int index = static_cast<int>(i);
    if (log_->OwnTransmission(index)) continue;
    const framework::FrameRecord frame = log_->Frame(i);
    if (frame.textFlag != 0 || frame.sourceAddress != dut_) continue;
    if (!firstDutMs_) firstDutMs_ = frame.timeStamp;
    if (const auto a = engine::ReadTransportAnnouncement(frame)) {
      if (a->dgn == engine::kDmRvDgn) announcements_.push_back(index);
      continue;
    }
    if (frame.dgn != engine::kDmRvDgn) continue;
    DmRvSeen seen;
    seen.index = index;
    seen.ms = frame.timeStamp;
    seen.length = frame.length;
    seen.multiPacket = frame.length > engine::kRvcFrameBytes;
    seen.content = ReadDmRv(frame.data, frame.length);
    seen_.push_back(seen);
  }
}

std::vector<const DmRvSeen*> DmRvTest::Seen(std::uint32_t fromMs, std::uint32_t toMs,
                                            std::optional<bool> fault) const {
  std::vector<const DmRvSeen*> out;
  for (const DmRvSeen& seen : seen_) {
    if (seen.ms < fromMs || seen.ms > toMs) continue;
    if (fault && seen.content.Fault() != *fault) continue;
    out.push_back(&seen);
  }
  return out;
}

std::uint32_t DmRvTest::DelayAfter(const DmRvSeen& seen, std::uint32_t doneMs) {
  return seen.ms > doneMs ? seen.ms - doneMs : 0;
}

std::string DmRvTest::FaultText(const DmRvContent& c) {
  return "yellow lamp " + Lamp(c.yellow) + ", red lamp " + Lamp(c.red) + ", SPN " + SpnText(c.spn) +
         ", FMI " + std::to_string(c.fmi) + ", count " + std::to_string(c.count);
}

// --- ND-50 ---

Test_ND50::Test_ND50(const engine::TestContext& context) : DmRvTest(context, kCatalogueIndex) {
  AppendDmRvPreamble();
  Append<engine::ECall>([this] { listenFromMs_ = NowMs(); });
  AppendWait(kListenMs);
  Append<engine::ECall>([this] { listenToMs_ = NowMs(); });
  AppendRequest(
      [this] {
        engine::RequestPlan plan;
        plan.dgn = engine::kDmRvDgn;
        plan.destination = dut_;
        return std::optional(plan);
      },
      [this](const RequestOutcome& o, engine::DataLog& log) { JudgeAnswer(o, log); });
  AddCriterion(kNoHeartbeat, "No DM_RV heartbeat heard.");
  AddCriterion(kHeartbeatGap, "DM_RV heartbeats more than 5000ms + 20% apart.");
  AddCriterion(kNotEightBytes, "DM_RV is not 8 bytes long.");
  AddCriterion(kFaultContent, "DM_RV without a fault has a lamp or SPN/FMI set.");
  AddCriterion(kByteSixSeven, "DM_RV byte 6 or 7 is not FFh or a bank.");
  AddCriterion(kOperatingStatus, "DM_RV operating status is not a defined value.");
  AddCriterion(kDsa, "DM_RV byte 1 is not a DSA.");
  AddCriterion(kNoAnswer, "No DM_RV in response to targeted request.");
  AddCriterion(kLate, "More than 250ms elapsed before request and response.");
}

void Test_ND50::JudgeAnswer(const RequestOutcome& outcome, engine::DataLog& log) {
  const RequestReply* answer = outcome.First(RequestReply::Kind::kData);
  if (answer == nullptr) {
    FailCriterionAdding(kNoAnswer, "targeted: no DM_RV", &log, outcome.requestIndex);
    return;
  }
  answerIndex_ = answer->index;
  PassCriterionAdding(kNoAnswer, "targeted", &log, answer->index);
  engine::JudgeDelay(*this, kLate, "targeted", *answer, outcome.windowMs, log);
}

void Test_ND50::JudgeContent(const DmRvSeen& seen) {
  const DmRvContent& c = seen.content;
  const std::string at = "at " + Ms(seen.ms);
  if (seen.length != engine::kRvcFrameBytes) {
    FailCriterionAdding(kNotEightBytes, at + ": " + std::to_string(seen.length) + " bytes", log_,
                        seen.index);
  }
  const bool bytesTwoToFive = c.spn == kNoFaultSpn && c.fmi == kNoFaultFmi && c.byte5 == 0xFF;
  if (c.LampOn() || !bytesTwoToFive) {
    FailCriterionAdding(kFaultContent, at + ": " + FaultText(c), log_, seen.index);
  }
  const std::uint8_t bank = c.byte7 & 0x0F;
  if (c.extension != 0xFF || (c.byte7 & 0xF0) != 0xF0 || (bank > kMaxBank && bank != 0x0F)) {
    char bytes[16];
    std::snprintf(bytes, sizeof(bytes), "%02Xh %02Xh", c.extension, c.byte7);
    FailCriterionAdding(kByteSixSeven, at + ": " + bytes, log_, seen.index);
  }
  if (c.operating == kError || c.active == kError) {
    FailCriterionAdding(kOperatingStatus,
                        at + ": on/off " + std::to_string(c.operating) + ", active/standby " +
                            std::to_string(c.active),
                        log_, seen.index);
  }
  if (c.dsa >= kNullAddress) {
    FailCriterionAdding(kDsa, at + ": " + std::to_string(c.dsa), log_, seen.index);
  }
}

void Test_ND50::Finish() {
  if (!Aborted() && listenToMs_ != 0) {
    ReadLog();
    const auto beats = Seen(0, listenToMs_);
    if (beats.empty()) {
      FailCriterionAdding(kNoHeartbeat, "none in " + Ms(listenToMs_ - listenFromMs_), log_, -1);
    } else {
      PassCriterionAdding(kNoHeartbeat, std::to_string(beats.size()) + " heard", log_,
                          beats.front()->index);
      // From the DUT's first frame of the run (the common start found it) to the
      // end of listening, no gap longer than the period allows.
      std::uint32_t last = firstDutMs_.value_or(listenFromMs_);
      std::uint32_t longest = 0;
      int where = beats.front()->index;
      for (const DmRvSeen* beat : beats) {
        if (beat->ms - last > longest) {
          longest = beat->ms - last;
          where = beat->index;
        }
        last = beat->ms;
      }
      longest = std::max(longest, listenToMs_ - last);
      const std::string note = "longest gap " + Ms(longest);
      if (longest > MaxGap(kHeartbeatMs)) {
        FailCriterionAdding(kHeartbeatGap, note, log_, where);
      } else {
        PassCriterionAdding(kHeartbeatGap, note, log_, where);
      }
    }
    for (const DmRvSeen& seen : seen_) JudgeContent(seen);
    const std::string all = std::to_string(seen_.size()) + " DM_RV";
    for (const std::uint16_t id :
         {kNotEightBytes, kFaultContent, kByteSixSeven, kOperatingStatus}) {
      if (!seen_.empty()) PassIfUndecided(id, all);
    }
    if (!seen_.empty() && Criterion(kDsa)->GetState() != engine::Failure::State::kDidNotPass) {
      // The standard asks for the lowest DSA of the device type; a static device's is
      // the address it claims.
      const std::uint8_t dsa = seen_.front().content.dsa;
      const std::string claimed = AppSettings().GetValue(engine::kDsaForClaimingSetting);
      char* end = nullptr;
      const long profile = std::strtol(claimed.c_str(), &end, 10);
      const std::string note = "DSA " + std::to_string(dsa);
      if (end != claimed.c_str() && *end == '\0' && profile != dsa) {
        QuestionCriterion(kDsa,
                          note + ", \"DSA For Address Claiming\" " + claimed +
                              ": the standard says the lowest DSA of the device type",
                          log_, seen_.front().index);
      } else {
        PassCriterionAdding(kDsa, note, log_, seen_.front().index);
      }
    }
  }
  Test::Finish();
}

// --- ND-60 ---

Test_ND60::Test_ND60(const engine::TestContext& context) : DmRvTest(context, kCatalogueIndex) {
  AppendDmRvPreamble();
  cause_ = &AppendAction(engine::OperatorCue::kCauseFault, kFaultCausedMark);
  AppendWait(kWatchMs);
  // The DUT is left as it was found.
  remove_ = &AppendAction(engine::OperatorCue::kRemoveFault, kCauseRemovedMark);
  AddCriterion(kNoFault, "No DM_RV with a fault after the fault was caused.");
  AddCriterion(kLate, "More than 250ms elapsed before fault and DM_RV.");
  AddCriterion(kNotRepeated, "Fault DM_RV not repeated within 1000ms + 20%.");
  AddCriterion(kNotEightBytes, "Fault DM_RV is not 8 bytes long.");
  AddCriterion(kMultiPacket, "DM_RV sent as a multi-packet message.");
  AddCriterion(kLampsOff, "Fault DM_RV with both lamps off.");
  AddCriterion(kFmi, "Fault DM_RV FMI is not 0 to 22.");
  AddCriterion(kDsa, "Fault DM_RV DSA differs from the heartbeat's.");
}

void Test_ND60::Finish() {
  if (!Aborted() && remove_->PromptMs() != 0) {
    ReadLog();
    const std::uint32_t from = cause_->PromptMs();
    const std::uint32_t to = remove_->PromptMs();
    const auto faults = Seen(from, to, true);
    for (const int index : announcements_) {
      const std::uint32_t ms = log_->Frame(static_cast<std::size_t>(index)).timeStamp;
      if (ms >= from && ms <= to) {
        FailCriterionAdding(kMultiPacket, "TP.CM at " + Ms(ms), log_, index);
      }
    }
    if (faults.empty()) {
      FailCriterionAdding(kNoFault, "none in " + Ms(to - from), log_, -1);
    } else {
      const DmRvSeen& first = *faults.front();
      fault_ = first.content;
      PassCriterionAdding(kNoFault, FaultText(first.content), log_, first.index);
      const std::uint32_t delay = DelayAfter(first, cause_->DoneMs());
      const std::string note = "Delay = " + std::to_string(delay);
      if (cause_->ByPerson()) {
        // A person's OK tells only that the action came between the prompt and it.
        QuestionCriterion(kLate, note + " after the operator's OK", log_, first.index);
      } else if (delay <= Window()) {
        PassCriterionAdding(kLate, note, log_, first.index);
      } else {
        FailCriterionAdding(kLate, note, log_, first.index);
      }
      std::uint32_t longest = 0;
      int where = first.index;
      std::uint32_t last = first.ms;
      for (const DmRvSeen* f : faults) {
        if (f->ms - last > longest) {
          longest = f->ms - last;
          where = f->index;
        }
        last = f->ms;
      }
      if (to - last > longest) longest = to - last;
      const std::string gaps = std::to_string(faults.size()) + " in " + Ms(to - first.ms) +
                               ", longest gap " + Ms(longest);
      if (longest > MaxGap(kRepeatMs)) {
        FailCriterionAdding(kNotRepeated, gaps, log_, where);
      } else {
        PassCriterionAdding(kNotRepeated, gaps, log_, where);
      }
      const auto beats = Seen(0, from, false);
      for (const DmRvSeen* f : faults) {
        const std::string at = "at " + Ms(f->ms);
        if (f->length != engine::kRvcFrameBytes && !f->multiPacket) {
          FailCriterionAdding(kNotEightBytes, at + ": " + std::to_string(f->length) + " bytes",
                              log_, f->index);
        }
        if (f->multiPacket) {
          FailCriterionAdding(kMultiPacket, at + ": " + std::to_string(f->length) + " bytes", log_,
                              f->index);
        }
        if (!f->content.LampOn()) FailCriterionAdding(kLampsOff, at, log_, f->index);
        if (f->content.fmi > kMaxFmi) {
          FailCriterionAdding(kFmi, at + ": FMI " + std::to_string(f->content.fmi), log_, f->index);
        }
        if (!beats.empty() && f->content.dsa != beats.back()->content.dsa) {
          FailCriterionAdding(kDsa,
                              at + ": DSA " + std::to_string(f->content.dsa) + ", heartbeat's " +
                                  std::to_string(beats.back()->content.dsa),
                              log_, f->index);
        }
      }
      const std::string all = std::to_string(faults.size()) + " DM_RV with the fault";
      for (const std::uint16_t id : {kNotEightBytes, kMultiPacket, kLampsOff, kFmi}) {
        PassIfUndecided(id, all);
      }
      if (beats.empty()) {
        QuestionCriterion(kDsa, "no heartbeat heard before the fault", log_, first.index);
      } else {
        PassIfUndecided(kDsa, "DSA " + std::to_string(beats.back()->content.dsa));
      }
    }
  }
  Test::Finish();
}

void Test_ND60::WriteReport() {
  engine::Test::WriteReport();
  if (fault_) {
    Write(engine::Label("Yellow Lamp") + Lamp(fault_->yellow));
    Write(engine::Label("Red Lamp") + Lamp(fault_->red));
    Write(engine::Label("SPN") + SpnText(fault_->spn));
    Write(engine::Label("FMI") + std::to_string(fault_->fmi));
    Write(engine::Label("Occurrence Count") + std::to_string(fault_->count));
  }
  Write(engine::Rule('-'));
  DumpDataLog(0, &data::SharedSpecifier());
  Write(engine::Rule('-'));
}

// --- ND-70 ---

Test_ND70::Test_ND70(const engine::TestContext& context) : DmRvTest(context, kCatalogueIndex) {
  AppendDmRvPreamble();
  cause_ = &AppendAction(engine::OperatorCue::kCauseFault, kFaultCausedMark);
  AppendWait(kFaultWatchMs);
  remove_ = &AppendAction(engine::OperatorCue::kRemoveFault, kCauseRemovedMark);
  AppendWait(kWatchMs);
  AddCriterion(kNoFault, "No DM_RV with a fault before its cause was removed.");
  AddCriterion(kNotCleared, "No DM_RV without the fault within 1000ms.");
  AddCriterion(kFaultAgain, "Fault DM_RV after the fault was reported gone.");
  AddCriterion(kHeartbeat, "DM_RV heartbeat not back at 5000ms + 20%.");
}

void Test_ND70::Finish() {
  if (!Aborted() && remove_->DoneMs() != 0) {
    ReadLog();
    const std::uint32_t removed = remove_->PromptMs();
    const std::uint32_t done = remove_->DoneMs();
    const auto faults = Seen(cause_->PromptMs(), removed, true);
    if (faults.empty()) {
      // Without a fault there is no clearing to judge.
      FailCriterionAdding(kNoFault, "none", log_, -1);
      Test::Finish();
      return;
    }
    PassCriterionAdding(kNoFault, FaultText(faults.front()->content), log_, faults.front()->index);
    const auto after = Seen(removed, endMs_);
    const auto clear = std::find_if(after.begin(), after.end(),
                                    [](const DmRvSeen* s) { return !s->content.Fault(); });
    const bool latched = std::any_of(after.begin(), clear, [&](const DmRvSeen* s) {
      return s->content.Fault() && s->ms >= done + kLatchedMs;
    });
    if (latched) {
      const std::string note = "latched: clear it with GENERAL_RESET (ND-120)";
      for (const std::uint16_t id : {kNotCleared, kFaultAgain, kHeartbeat}) {
        QuestionCriterion(id, note, log_, (*std::prev(clear))->index);
      }
    } else if (clear == after.end()) {
      FailCriterionAdding(kNotCleared, "none in " + Ms(endMs_ - done), log_, -1);
    } else {
      const DmRvSeen& cleared = **clear;
      const std::uint32_t delay = DelayAfter(cleared, done);
      const std::string note = "Delay = " + std::to_string(delay);
      if (delay <= Window()) {
        PassCriterionAdding(kNotCleared, note, log_, cleared.index);
      } else if (delay <= kClearMs + kStampAllowanceMs) {
        QuestionCriterion(kNotCleared, note + ": later than the 250 ms of the conformance test",
                          log_, cleared.index);
      } else {
        FailCriterionAdding(kNotCleared, note, log_, cleared.index);
      }
      const auto rest = std::vector<const DmRvSeen*>(clear, after.end());
      const auto again = std::find_if(rest.begin(), rest.end(),
                                      [](const DmRvSeen* s) { return s->content.Fault(); });
      if (again != rest.end()) {
        FailCriterionAdding(kFaultAgain, "at " + Ms((*again)->ms), log_, (*again)->index);
      } else {
        PassCriterionAdding(kFaultAgain, "none", log_, cleared.index);
      }
      // Each gap between heartbeats after the clearing, and no longer one to the end.
      std::vector<const DmRvSeen*> beats;
      std::copy_if(rest.begin(), rest.end(), std::back_inserter(beats),
                   [](const DmRvSeen* s) { return !s->content.Fault(); });
      bool ok = true;
      std::string note2;
      int where = cleared.index;
      for (std::size_t i = 1; i < beats.size() && ok; ++i) {
        const std::uint32_t gap = beats[i]->ms - beats[i - 1]->ms;
        ok = gap + kStampAllowanceMs >= kHeartbeatMs - kHeartbeatMs * kGapPercent / 100 &&
             gap <= MaxGap(kHeartbeatMs);
        note2 = "gap " + Ms(gap);
        where = beats[i]->index;
      }
      const std::uint32_t tail = endMs_ - beats.back()->ms;
      if (ok && tail > MaxGap(kHeartbeatMs)) {
        ok = false;
        note2 = "none in the last " + Ms(tail);
      }
      if (ok) {
        PassCriterionAdding(kHeartbeat, note2.empty() ? "none due" : note2, log_, where);
      } else {
        FailCriterionAdding(kHeartbeat, note2, log_, where);
      }
    }
  }
  Test::Finish();
}

}  // namespace vlt::compliance
