// RunResult: the facts of one finished test run that CI systems and scripts
// read (the JUnit and JSON files): the test, when it ran, how it ended, the
// settings it used, the DUT it met and every criterion with its evidence frame.
// Built once from the finished test; the saved text report stays the evidence.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/failure.h"
#include "engine/report_layout.h"
#include "framework/frame_record.h"

namespace vlt::engine {
class Test;
}

namespace vlt::results {

inline constexpr std::size_t kNameBytes = 8;

// The frame that decided a criterion, as its data log holds it.
struct EvidenceFrame {
  std::uint32_t timeMs = 0;      // stamp on the test's clock (ms since the test was made)
  std::uint32_t relativeMs = 0;  // since its data log's start
  std::string identifier;        // as on the bus, "18EEFFFD"
  std::uint32_t dgn = 0;
  std::uint8_t source = 0;
  std::vector<std::uint8_t> data;
  std::string line;  // the report's evidence line, without its indent
};

struct CriterionResult {
  std::uint16_t id = 0;
  std::string text;
  engine::Failure::State state = engine::Failure::State::kUndecided;
  std::string note;
  std::optional<EvidenceFrame> evidence;  // none: decided without a frame, or undecided
  std::vector<std::string> reportLines;   // the criterion's lines in the report
};

// The NAME and address of the DUT's last claim in the run.
struct DutIdentity {
  std::array<std::uint8_t, kNameBytes> name{};
  std::uint8_t address = 0;
};

struct SettingUsed {
  std::string name;
  std::string value;
};

// The report's state tags per count: the tally the summary report reads back
// from the saved log, the closing "____" line included.
struct Tally {
  int passed = 0;
  int failed = 0;
  int undecided = 0;

  // Counts one criterion in its state.
  void Add(engine::Failure::State state);
};

struct RunResult {
  engine::TestIdentity identity;
  std::tm startedAt{};  // local time
  std::tm endedAt{};
  std::uint32_t durationMs = 0;
  bool aborted = false;
  std::string abortLine;    // "Test A10 aborted."
  std::string abortReason;  // the line the test wrote before aborting; empty for an outside abort
  engine::ReportHeaderValues header;  // `when`: the end of the run
  std::vector<SettingUsed> settings;  // application settings read during the run, in name order
  std::optional<DutIdentity> dut;     // none: the DUT claimed nothing the data log kept
  std::uint8_t toolAddress = 0;
  std::vector<CriterionResult> criteria;  // in id order
  std::string logPath;                    // UTF-8; empty when the log was not saved

  Tally ReportTally() const;
  bool AnyFailed() const;
};

// From a test whose run has finished (not stepped any more); `endedAt` is the
// local time of its end and `logPath` where its log was saved.
RunResult BuildRunResult(const engine::Test& test, const std::tm& endedAt, std::string logPath);

// ADDRESS_CLAIMED (EE00h to any destination) and requests (EA00h block).
bool IsAddressClaim(std::uint32_t dgn);
bool IsRequest(std::uint32_t dgn);

}  // namespace vlt::results
