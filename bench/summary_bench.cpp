// The summary report and the superseded-results listing over a folder of 10,000
// saved test logs (about 2 KB each, 25 tests of 400 runs), read from disk.
// The figure to hold: the summary of the whole folder in under 2 s.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

#include "compliance/compliance_tests.h"
#include "compliance/test_table.h"
#include "platform/log_pane.h"
#include "reports/summary_report.h"
#include "reports/superseded_results.h"

namespace {

namespace fs = std::filesystem;
using namespace vlt;

constexpr int kLogs = 10'000;
constexpr int kCodes = 25;

// Built by append: GCC 12 at -O3 warns falsely (-Wrestrict) on joined literals.
std::string Log(const std::string& code, int run) {
  const std::string eq(80, '='), dash(80, '-');
  std::string padded = code;
  padded.resize(8, ' ');
  std::string text;
  const auto line = [&](std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) text.append(part);
    text.append("\r\n");
  };
  line({eq});
  line({"Starting Test : ", code, "  10-2025   Bench Test"});
  line({"Test ", code, " complete."});
  line({eq});
  line({"External testing cannot detect all possible bugs and failures."});
  line({eq});
  line({"Test                 : ", padded, " [10-2025]  Bench Test"});
  line({"Code Version         : Revised 10-31-2025              Compiled Jan 21 2026"});
  line({"Test Date/Time       : Saturday, November 01, 2025  12:00:00"});
  line({"Test Profile         : /home/lab/widget.zcf"});
  line({"Company              : Acme Controls"});
  line({"Product Name         : Widget"});
  line({"Product Version      : 2.1"});
  line({"Tested By            : Lab 3"});
  line({"Testing Notes        : "});
  line({"DSA For Address Claiming       = 253"});
  line({dash});
  const std::string blanks(48, ' ');
  for (int i = 0; i < 8; ++i) {
    const std::string number = std::to_string(i);
    line({i == run % 8 ? "DNP  : " : "PASS : ", "Criterion ", number, blanks,
          "Claim seen at 120 ms"});
  }
  line({"____ : Logs have been examined for other possible failure modes."});
  line({dash});
  line({"Log size : 10 msgs"});
  for (int i = 0; i < 10; ++i) line({"    000120  18EEFF80  01 02 03 04 05 06 07 08"});
  return text;
}

struct Folder {
  fs::path path;
  Folder() {
    path = fs::temp_directory_path() / ("vlt_summary_bench_" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
    for (int i = 0; i < kLogs; ++i) {
      char code[16];
      std::snprintf(code, sizeof(code), "A%d", 10 * (i % kCodes + 1));
      char name[64];
      std::snprintf(name, sizeof(name), "Widget_%s_25%08d.txt", code, i);
      std::ofstream(path / name, std::ios::binary) << Log(code, i);
    }
  }
  ~Folder() { fs::remove_all(path); }
};

Folder& Logs() {
  static Folder folder;
  return folder;
}

void BM_SummaryOf10000Logs(benchmark::State& state) {
  const std::string folder = Logs().path.string();
  const reports::SummaryInputs inputs{
      {{"Widget", "2.1"}, compliance::SummaryCatalogue(), compliance::ProgramCriterionCounts()},
      {},
      "Jan 21 2026"};
  for (auto _ : state) {
    platform::MemoryLogPane pane;
    framework::LogOutput log;
    log.Attach(&pane);
    if (!reports::BuildSummaryReport(folder, inputs, log)) state.SkipWithError("not listed");
    benchmark::DoNotOptimize(pane.Text());
    log.Detach();
  }
  state.counters["logs"] = kLogs;
}
BENCHMARK(BM_SummaryOf10000Logs)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SupersedeListingOf10000Logs(benchmark::State& state) {
  const std::string folder = Logs().path.string();
  for (auto _ : state) {
    platform::MemoryLogPane pane;
    framework::LogOutput log;
    log.Attach(&pane);
    const auto result = reports::DeleteSupersededResults(
        folder,
        {{"Widget", "2.1"}, compliance::SummaryCatalogue(), compliance::ProgramCriterionCounts()},
        reports::SupersedeMode::kListOnly, log);
    if (result.superseded.size() != kLogs - kCodes) state.SkipWithError("wrong selection");
    log.Detach();
  }
}
BENCHMARK(BM_SupersedeListingOf10000Logs)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
