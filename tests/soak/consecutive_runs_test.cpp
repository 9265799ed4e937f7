// A thousand runs of A-10 and of A-110 in one session on virtual time, against a
// DUT whose timing is drawn anew before every run inside what the tests accept:
// every verdict must stay the same, every timing note must show the drawn time,
// and neither memory in use nor open files may grow. Too slow under ASan for the
// debug build's ctest: `make soak` runs it from the release build.
#include <gtest/gtest.h>
#include <malloc.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "compliance/compliance_tests.h"
#include "engine/failure.h"
#include "engine/saved_log.h"
#include "host/devices/own_frames.h"
#include "host/devices/static_dut.h"
#include "platform/registry_file.h"
#include "support/compliance_bench.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// From the sanitizer runtime; its header does not ship with every compiler.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define VLT_SANITIZER_ALLOCATOR 1
#endif

namespace vlt {
namespace {

constexpr std::uint8_t kDsa = 253;
constexpr const char* kDutName = "A5 A5 60 24 00 80 00 00";
constexpr const char* kPostClaimQuiet =
    "Less than 250ms elapses after claim before further messages are broadcast.";
constexpr const char* kResponseTime = "More than 250ms elapsed before request and response.";
constexpr int kWarmUpRuns = 20;
// Bytes in use may move by what one run leaves in reused buffers, not by a
// leak of a few hundred bytes a run.
constexpr long kMaxGrowthBytes = 128 * 1024;

int RunsFromEnvironment() {
  const char* text = std::getenv("VLT_SOAK_RUNS");
  const int runs = text != nullptr ? std::atoi(text) : 0;
  return runs > kWarmUpRuns ? runs : 1000;
}

unsigned SeedFromEnvironment() {
  const char* text = std::getenv("VLT_SOAK_SEED");
  return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 20261209u;
}

long BytesInUse() {
#ifdef VLT_SANITIZER_ALLOCATOR
  // A sanitizer's allocator keeps no mallinfo, but counts what is allocated.
  return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<long>(mallinfo2().uordblks);
#endif
}

std::size_t OpenFiles() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// The limits each knob is drawn in, with the test's default tolerance of 10 ms:
// A-10 wants the claim within 5 s of power-up and 240 ms of quiet after it;
// A-110 wants the answer within 260 ms. The auto operator powers the DUT only
// once A-10's watches listen, so even a claim in the millisecond of power-on
// counts: the boot delay starts at 0.
struct TimingDraw {
  std::mt19937 random;
  host::DutTiming Next() {
    auto in = [this](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    return {.bootDelayMs = in(0, 3000),
            .firstStatusAfterClaimMs = in(241, 1500),
            .statusPeriodMs = in(50, 1000),
            .reactionMs = in(1, 240)};
  }
};

// The fastest chatter and the latest claim: the run that fills the data log
// most, so that buffers reach their size during the warm-up.
constexpr host::DutTiming kBusiestTiming{
    .bootDelayMs = 3000, .firstStatusAfterClaimMs = 241, .statusPeriodMs = 50, .reactionMs = 1};

struct RunResult {
  std::vector<std::string> verdicts;  // state tag + " : " + criterion, in id order
  std::string timingNote;             // the note of the criterion that measures time
  bool aborted = false;
};

// One session as `vlt run` keeps it: one application, one dictionary, one
// settings store, a new test object per run, each log saved.
class Session {
 public:
  Session() {
    host::StaticDutConfig config;
    config.address = kDsa;
    auto dut = std::make_unique<host::StaticDut>(config, 0);
    dut_ = dut.get();
    bench_ = std::make_unique<testing::ComplianceBench>(std::move(dut));
    bench_->Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
    bench_->Settings().SetValue("Manufacturer ID", "291");
    bench_->Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
    context_ = std::make_unique<engine::TestContext>(
        engine::TestContext{*bench_->app, bench_->Settings(), *bench_->dataContext, bench_->op,
                            bench_->op, bench_->verbose});
    compliance::AttachDictionary(*context_, *bench_->dictionary);
    context_->operatorCues = &bench_->op;
    context_->localTime = [] { return testing::LocalTime(2026, 1, 22, 4, 14, 5, 9); };
    char pattern[] = "/tmp/vlt-soak.XXXXXX";
    if (::mkdtemp(pattern) != nullptr) logDir_ = pattern;
  }
  ~Session() {
    std::error_code ec;
    if (!logDir_.empty()) std::filesystem::remove_all(logDir_, ec);
  }

  RunResult Run(const std::string& code, const host::DutTiming& timing,
                const std::string& timedCriterion) {
    dut_->SetTiming(timing);
    RunResult result;
    auto test = compliance::MakeTest(code, *context_);
    if (!test || !bench_->Run(*test, 60'000)) return result;
    result.aborted = test->Aborted();
    for (const auto& [id, criterion] : test->Criteria()) {
      result.verdicts.push_back(std::string(engine::StateTag(criterion->GetState())) + " : " +
                                criterion->Text());
      if (criterion->Text() == timedCriterion) result.timingNote = criterion->Note();
    }
    if (!engine::SaveLog(logDir_ + "/" + test->DefaultLogName() + ".txt", bench_->Text(),
                         nullptr)) {
      result.verdicts.push_back("log not saved");
    }
    return result;
  }

 private:
  host::StaticDut* dut_ = nullptr;
  std::unique_ptr<testing::ComplianceBench> bench_;
  std::unique_ptr<engine::TestContext> context_;
  std::string logDir_;
};

struct SoakCase {
  const char* code;
  const char* timedCriterion;
  const char* notePrefix;  // before the measured milliseconds
  std::int64_t host::DutTiming::*measured;
};

void Soak(const SoakCase& c) {
  const int runs = RunsFromEnvironment();
  const unsigned seed = SeedFromEnvironment();
  SCOPED_TRACE(std::string(c.code) + ", seed " + std::to_string(seed));
  TimingDraw draw{std::mt19937(seed)};
  Session session;

  const RunResult first = session.Run(c.code, kBusiestTiming, c.timedCriterion);
  ASSERT_FALSE(first.verdicts.empty());
  ASSERT_FALSE(first.aborted);
  for (const std::string& verdict : first.verdicts) {
    ASSERT_FALSE(verdict.starts_with("DNP ")) << verdict;
  }
  long bytesAfterWarmUp = 0;
  std::size_t filesAfterWarmUp = 0;
  int mismatches = 0;
  for (int run = 1; run < runs; ++run) {
    const host::DutTiming timing = run < kWarmUpRuns / 2 ? kBusiestTiming : draw.Next();
    const RunResult result = session.Run(c.code, timing, c.timedCriterion);
    // Virtual time is exact, but the tester stamps a frame on the step it reads
    // it: one millisecond either way (A-110's request mark is its echo, read on
    // the step after it was sent). An answer also keeps its gap to the DUT's
    // frame before it, so it may come that much later.
    bool noteShowsTheDrawnTime = false;
    for (std::int64_t ms = timing.*c.measured - 1;
         ms <= timing.*c.measured + 1 + host::kAnswerGapMs; ++ms) {
      const std::string note = c.notePrefix + std::to_string(ms);
      noteShowsTheDrawnTime = noteShowsTheDrawnTime || result.timingNote == note ||
                              result.timingNote.starts_with(note + " ");
    }
    if (result.verdicts != first.verdicts || result.aborted || !noteShowsTheDrawnTime) {
      if (++mismatches <= 5) {
        ADD_FAILURE() << "run " << run << ": boot " << timing.bootDelayMs << " ms, quiet "
                      << timing.firstStatusAfterClaimMs << " ms, period " << timing.statusPeriodMs
                      << " ms, reaction " << timing.reactionMs << " ms; note '" << result.timingNote
                      << "', verdicts " << ::testing::PrintToString(result.verdicts);
      }
    }
    if (run == kWarmUpRuns) {
      bytesAfterWarmUp = BytesInUse();
      filesAfterWarmUp = OpenFiles();
    }
  }
  const long bytesAtEnd = BytesInUse();
  const std::size_t filesAtEnd = OpenFiles();
  std::printf(
      "%s: %d runs, memory in use %ld bytes after %d runs, %ld at the end; %zu open "
      "files after %d runs, %zu at the end\n",
      c.code, runs, bytesAfterWarmUp, kWarmUpRuns, bytesAtEnd, filesAfterWarmUp, kWarmUpRuns,
      filesAtEnd);
  EXPECT_EQ(mismatches, 0);
  EXPECT_LE(bytesAtEnd - bytesAfterWarmUp, kMaxGrowthBytes);
  EXPECT_EQ(filesAtEnd, filesAfterWarmUp);
}

TEST(Soak, A10AThousandTimesInOneSession) {
  Soak({"A10", kPostClaimQuiet, "Post-claim delay = ", &host::DutTiming::firstStatusAfterClaimMs});
}

TEST(Soak, A110AThousandTimesInOneSession) {
  Soak({"A110", kResponseTime, "Delay = ", &host::DutTiming::reactionMs});
}

}  // namespace
}  // namespace vlt
