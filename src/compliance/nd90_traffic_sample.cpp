#include "compliance/nd90_traffic_sample.h"

#include <cstdio>

#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "engine/report_layout.h"
#include "settings/setting_text.h"

namespace vlt::compliance {
namespace {

constexpr std::uint32_t kMsPerSecond = 1000;

// "6" or "6-7"; "-" when unknown.
std::string Span(std::optional<std::uint32_t> low, std::optional<std::uint32_t> high) {
  if (!low || !high) return "-";
  if (*low == *high) return std::to_string(*low);
  return std::to_string(*low) + "-" + std::to_string(*high);
}

std::string Optional(std::optional<std::uint32_t> value) {
  return value ? std::to_string(*value) : "-";
}

std::optional<std::uint32_t> Widen(std::optional<std::uint8_t> value) {
  if (!value) return std::nullopt;
  return *value;
}

// The notes of a finding, with how many there were in all when more.
std::string Notes(const TrafficFinding& finding) {
  std::string text;
  for (const std::string& note : finding.notes) text += (text.empty() ? "" : "; ") + note;
  if (finding.count > finding.notes.size()) {
    text += " (" + std::to_string(finding.count) + " in all)";
  }
  return text;
}

}  // namespace

EWatchTraffic::EWatchTraffic(engine::Test* test, engine::DataLog* log, const std::uint8_t* dut,
                             std::optional<TrafficJudge>* judge,
                             std::function<std::uint32_t()> sampleMs)
    : EWatch(test, log), dut_(dut), judge_(judge), sampleMsOf_(std::move(sampleMs)) {}

void EWatchTraffic::Start() {
  active_ = true;
  parsing_ = true;
  judge_->reset();
  sampleMs_ = sampleMsOf_();
  rules_ = TrafficRules{};
  rules_.dut = *dut_;
  rules_.answerWindowMs = engine::AnswerWindowMs(*test_);
  startNowMs_ = test_->NowMs();
  frameOffsetMs_ = 0;
  // Its claim shows which address the DUT holds; the answer is the sample's first.
  const auto request =
      engine::RequestData(engine::kAddressClaimDgn, engine::kNoInstance, engine::kNoInstance);
  test_->App().Link().Transmit(engine::kTesterAddress, engine::kRequestDgn | *dut_, request,
                               engine::kRequestPriority);
  Write("Request for DGN " + engine::DgnText(engine::kAddressClaimDgn) + " to address " +
        std::to_string(*dut_) + ", then listening " + std::to_string(sampleMs_) + " ms.");
}

void EWatchTraffic::OnEvent(std::uint32_t /*code*/) {
  Step();
}

void EWatchTraffic::OnLoopStep() {
  Step();
}

void EWatchTraffic::Step() {
  if (!active_ || test_->NowMs() - startNowMs_ < sampleMs_) return;
  if (!*judge_) judge_->emplace(rules_, startNowMs_);
  (*judge_)->End(static_cast<std::uint32_t>(test_->NowMs() - frameOffsetMs_));
  active_ = false;
  parsing_ = false;
}

void EWatchTraffic::OnMatch(engine::DataLog& /*log*/, int index,
                            const framework::FrameRecord& frame) {
  if (!active_ || frame.textFlag != 0) return;
  const std::uint32_t now = test_->NowMs();
  frameOffsetMs_ = static_cast<std::int64_t>(now) - frame.timeStamp;
  // The sample begins on the frames' clock when its first frame comes.
  if (!*judge_) judge_->emplace(rules_, frame.timeStamp - (now - startNowMs_));
  (*judge_)->OnFrame(frame, index);
}

std::string EWatchTraffic::WaitingFor() const {
  return "Listening to the traffic on the bus for " + std::to_string(sampleMs_) + " ms.";
}

Test_ND90::Test_ND90(const engine::TestContext& context) : NetworkTest(context, kCatalogueIndex) {
  // Only 03h messages carry the priority and the reserved bit.
  log_->AcceptStampedFrames(true);
  AppendPreamble([](const engine::DeviceRhythm&) { return true; });
  Append<EWatchTraffic>(log_, &dut_, &judge_, [this] { return TrafficSampleMs(*this); });
  AddCriterion(kLength, "DUT frame is not 8 bytes long.");
  AddCriterion(kReservedBit, "DUT frame has identifier bit 25 set.");
  AddCriterion(kPriority, "DUT frame priority is above its DGN's default.");
  AddCriterion(kUnclaimed, "DUT sends from an address it has not claimed.");
  AddCriterion(kUndocumented, "DUT sent an undocumented DGN.");
  AddCriterion(kTooClose, "DUT frames less than 5ms apart.");
  AddCriterion(kHasty, "DUT frames less than 50ms apart, not a first answer.");
  AddCriterion(kSilence, "More than 5000ms + 20% without a frame from the DUT.");
  AddCriterion(kDmRv, "DM_RV not sent at least every 6 s.");
  AddCriterion(kUnusedBits, "Bits no signal uses are not sent as 1.");
  AddCriterion(kStray, "Periodic DGN gaps stray over 20% from their median.");
}

std::uint32_t TrafficSampleMs(engine::Test& test) {
  std::uint32_t seconds =
      settings::SettingNumber(test.AppSettings().GetValue(kTrafficSampleSetting));
  if (seconds == 0) seconds = kDefaultTrafficSampleSeconds;
  return seconds * kMsPerSecond;
}

void Test_ND90::Finish() {
  if (!Aborted() && judge_) Decide();
  Test::Finish();
}

void Test_ND90::Decide() {
  const TrafficJudge& judge = *judge_;
  const std::string frames = std::to_string(judge.DutFrames()) + " frames from the DUT";
  const auto decide = [&](std::uint16_t id, TrafficRule rule, std::string passNote) {
    const TrafficFinding& finding = judge.Finding(rule);
    if (finding.count > 0) {
      FailCriterion(id, Notes(finding), log_, finding.firstIndex);
    } else {
      PassCriterion(id, std::move(passNote));
    }
  };
  decide(kLength, TrafficRule::kLength, frames);
  // 00h messages carry neither priority nor the reserved bit.
  const bool stamped = judge.UnstampedFrames() == 0;
  const std::string unstamped =
      std::to_string(judge.UnstampedFrames()) + " frames came as 00h messages, which carry neither";
  for (const auto& [id, rule] : {std::pair{kReservedBit, TrafficRule::kReservedBit},
                                 std::pair{kPriority, TrafficRule::kPriority}}) {
    if (judge.Finding(rule).count > 0 || stamped) {
      decide(id, rule, frames);
    } else {
      QuestionCriterion(id, unstamped);
    }
  }
  if (judge.HeardClaim()) {
    PassCriterion(kUnclaimed, "ADDRESS_CLAIM from address " + std::to_string(dut_));
  } else {
    FailCriterion(kUnclaimed,
                  "No ADDRESS_CLAIM from address " + std::to_string(dut_) + " answered the request",
                  log_);
  }
  decide(kUndocumented, TrafficRule::kUndocumented, "every DGN published");
  decide(kTooClose, TrafficRule::kTooClose, frames);
  std::string answers = "first answers closer: " + std::to_string(judge.CloseAnswerCount());
  for (const std::string& answer : judge.CloseAnswers()) answers += "; " + answer;
  decide(kHasty, TrafficRule::kHasty, answers);
  decide(kSilence, TrafficRule::kSilence, frames);
  decide(kDmRv, TrafficRule::kDmRv, frames);
  const TrafficFinding& unused = judge.Finding(TrafficRule::kUnusedBits);
  const TrafficFinding& partly = judge.Finding(TrafficRule::kPartlyDescribedBits);
  if (unused.count > 0) {
    FailCriterion(kUnusedBits, Notes(unused), log_, unused.firstIndex);
  } else if (partly.count > 0) {
    QuestionCriterion(kUnusedBits, "not completely described: " + Notes(partly), log_,
                      partly.firstIndex);
  } else {
    PassCriterion(kUnusedBits, frames);
  }
  const TrafficFinding& stray = judge.Finding(TrafficRule::kStray);
  if (stray.count > 0) {
    QuestionCriterion(kStray, Notes(stray));
  } else {
    PassCriterion(kStray, frames);
  }
}

void Test_ND90::WriteReport() {
  engine::Test::WriteReport();
  WriteTable();
  Write(engine::Rule('-'));
  DumpDutFrames();
  Write(engine::Rule('-'));
}

void Test_ND90::WriteTable() {
  if (!judge_) return;
  Write("Frames from the DUT at address " + std::to_string(dut_) + ", DGN by DGN:");
  char line[160];
  std::snprintf(line, sizeof(line), "%-5s  %-26s %6s %4s %4s %7s %7s %7s", "DGN", "Name", "Count",
                "DLC", "Prio", "Gap min", "median", "max");
  Write(line);
  for (const TrafficRow& row : judge_->Rows()) {
    std::snprintf(line, sizeof(line), "%-5s  %-26s %6u %4s %4s %7s %7s %7s",
                  engine::DgnText(row.dgn).c_str(), TrafficDgnName(row.dgn).c_str(),
                  static_cast<unsigned>(row.count), Span(row.minLength, row.maxLength).c_str(),
                  Span(Widen(row.minPriority), Widen(row.maxPriority)).c_str(),
                  Optional(row.minGapMs).c_str(), Optional(row.medianGapMs).c_str(),
                  Optional(row.maxGapMs).c_str());
    Write(line);
  }
}

void Test_ND90::DumpDutFrames() {
  // A full bus holds tens of thousands of other nodes' frames: only the DUT's
  // and the tester's are listed.
  const engine::DataLog& log = Log();
  char size[48];
  std::snprintf(size, sizeof(size), "Log size : %d msgs", static_cast<int>(log.Size()));
  Write(size);
  std::size_t others = 0;
  framework::FrameRecord frame;
  for (std::size_t i = 0; i < log.Size(); ++i) {
    frame = log.Frame(i);
    const bool own = log.OwnTransmission(static_cast<int>(i));
    if (frame.textFlag != 0 || own || frame.sourceAddress == dut_) {
      Write(engine::DumpLine(frame, own));
      if (frame.textFlag == 0 && Context().decodeFrame) Write(Context().decodeFrame(frame));
    } else {
      ++others;
    }
  }
  Write(std::to_string(others) + " frames of other nodes are not listed.");
}

}  // namespace vlt::compliance
