#include "results/run_result.h"

#include <algorithm>
#include <set>

#include "dictionary/frame_text.h"
#include "engine/test.h"
#include "engine/watch.h"
#include "framework/host_protocol.h"
#include "results/markup.h"
#include "settings/setting_manager.h"

namespace vlt::results {
namespace {

constexpr std::uint32_t kDgnBlockMask = 0x1FF00;

// The run's length from its journal: from its start to its finish (or the last note).
std::uint32_t RunLengthMs(const engine::RunJournal& journal) {
  std::optional<std::uint32_t> start;
  std::uint32_t end = 0;
  for (const engine::RunNote& note : journal.Notes()) {
    if (note.kind == engine::RunNote::Kind::kStarted && !start) start = note.atMs;
    end = std::max(end, note.atMs);
  }
  return start && end > *start ? end - *start : 0;
}

EvidenceFrame EvidenceOf(const engine::DataLog& log, std::size_t index) {
  const framework::FrameRecord frame = log.Frame(index);
  EvidenceFrame evidence;
  evidence.timeMs = frame.timeStamp;
  evidence.relativeMs = frame.relativeTime;
  evidence.identifier = dictionary::FrameIdentifier(frame);
  evidence.dgn = frame.dgn;
  evidence.source = frame.sourceAddress;
  const std::size_t length = std::min<std::size_t>(frame.length, framework::kMaxFrameDataBytes);
  evidence.data.assign(frame.data, frame.data + length);
  evidence.line = engine::DumpLine(frame, log.OwnTransmission(static_cast<int>(index)));
  return evidence;
}

// The DUT's last claim: a claim the tester did not send, nor one under a NAME
// the tester claimed with.
std::optional<DutIdentity> LastDutClaim(const engine::DataLog& log) {
  std::set<std::array<std::uint8_t, kNameBytes>> testersNames;
  std::vector<std::pair<std::array<std::uint8_t, kNameBytes>, std::uint8_t>> claims;
  for (std::size_t i = 0; i < log.Size(); ++i) {
    const framework::FrameRecord frame = log.Frame(i);
    if (frame.textFlag != 0 || !IsAddressClaim(frame.dgn) || frame.length < kNameBytes) continue;
    std::array<std::uint8_t, kNameBytes> name{};
    std::copy(frame.data, frame.data + kNameBytes, name.begin());
    if (log.OwnTransmission(static_cast<int>(i))) {
      testersNames.insert(name);
    } else {
      claims.emplace_back(name, frame.sourceAddress);
    }
  }
  for (auto it = claims.rbegin(); it != claims.rend(); ++it) {
    if (!testersNames.contains(it->first)) return DutIdentity{it->first, it->second};
  }
  return std::nullopt;
}

}  // namespace

bool IsAddressClaim(std::uint32_t dgn) {
  return (dgn & kDgnBlockMask) == engine::kAddressClaimDgn;
}

bool IsRequest(std::uint32_t dgn) {
  return (dgn & kDgnBlockMask) == engine::kRequestDgn;
}

void Tally::Add(engine::Failure::State state) {
  switch (state) {
    case engine::Failure::State::kPassed:
      ++passed;
      return;
    case engine::Failure::State::kDidNotPass:
      ++failed;
      return;
    case engine::Failure::State::kUndecided:
      ++undecided;
      return;
  }
}

Tally RunResult::ReportTally() const {
  Tally tally;
  for (const CriterionResult& c : criteria) tally.Add(c.state);
  ++tally.undecided;  // "____ : Logs have been examined for other possible failure modes."
  return tally;
}

bool RunResult::AnyFailed() const {
  return std::any_of(criteria.begin(), criteria.end(), [](const CriterionResult& c) {
    return c.state == engine::Failure::State::kDidNotPass;
  });
}

RunResult BuildRunResult(const engine::Test& test, const std::tm& endedAt, std::string logPath) {
  RunResult result;
  result.identity = test.Identity();
  result.durationMs = RunLengthMs(test.Journal());
  result.endedAt = endedAt;
  result.startedAt = MillisecondsBefore(endedAt, result.durationMs);
  result.aborted = test.Aborted();
  if (result.aborted) {
    result.abortLine = "Test " + test.Code() + " aborted.";
    for (const engine::RunNote& note : test.Journal().Notes()) {
      if (note.kind == engine::RunNote::Kind::kAborted) result.abortReason = note.text;
    }
  }
  settings::SettingManager& appSettings = test.AppSettings();
  const engine::TestContext& context = test.Context();
  // Read without marking: the report's own reads are not settings the test used.
  result.header.when = endedAt;
  result.header.profile = context.startingProfile ? context.startingProfile() : std::string();
  result.header.company = appSettings.GetValue("Company", true);
  result.header.productName = appSettings.GetValue("Product Name", true);
  result.header.productVersion = appSettings.GetValue("Product Version", true);
  result.header.testedBy = appSettings.GetValue("Tested By", true);
  for (const settings::SettingData* setting : appSettings.Settings()) {
    if (setting->Used()) {
      result.settings.push_back({setting->Item().Title(), setting->Item().ValueText()});
    }
  }
  result.toolAddress = test.App().ToolSourceAddress();
  const engine::DataLog* log = test.DataLogAt(0);
  if (log != nullptr) result.dut = LastDutClaim(*log);

  const std::uint32_t now = test.NowMs();
  for (const auto& [id, failure] : test.Criteria()) {
    CriterionResult criterion;
    criterion.id = id;
    criterion.text = failure->Text();
    criterion.state = failure->GetState();
    criterion.note = failure->Note();
    criterion.reportLines = failure->Print(now);
    const engine::DataLog* evidenceLog = failure->EvidenceLog();
    const int index = failure->EvidenceIndex();
    if (evidenceLog != nullptr && index >= 0 &&
        static_cast<std::size_t>(index) < evidenceLog->Size()) {
      criterion.evidence = EvidenceOf(*evidenceLog, static_cast<std::size_t>(index));
    }
    result.criteria.push_back(std::move(criterion));
  }
  result.logPath = std::move(logPath);
  return result;
}

}  // namespace vlt::results
