#include "cli/result_files.h"

#include <cstdio>
#include <filesystem>

#include "engine/test.h"
#include "platform/registry_file.h"
#include "platform/text_encoding.h"
#include "results/junit_writer.h"
#include "results/run_json.h"
#include "results/run_trace.h"
#include "results/timeline_svg.h"

namespace vlt::cli {
namespace {

// "DIR/name.txt" -> "DIR/name.svg".
std::string TimelinePath(const std::string& logPath) {
  return std::filesystem::path(logPath).replace_extension(".svg").string();
}

}  // namespace

ResultOption ReadResultOption(const std::vector<std::string>& args, std::size_t& i,
                              ResultFileOptions& options) {
  const std::string& arg = args[i];
  if (arg == "--timeline") {
    options.timeline = true;
    return ResultOption::kTaken;
  }
  if (arg != "--junit" && arg != "--json") return ResultOption::kNotOurs;
  if (i + 1 >= args.size() || args[i + 1].empty()) return ResultOption::kMissingValue;
  (arg == "--junit" ? options.junit : options.json) = args[++i];
  return ResultOption::kTaken;
}

void ResultFiles::OnRunFinished(const engine::Test& test, const std::string& logPath,
                                bool logSaved) {
  if (options_.junit || options_.json) {
    const std::tm endedAt =
        test.Context().localTime ? test.Context().localTime() : engine::SystemLocalTime();
    runs_.push_back(results::BuildRunResult(test, endedAt, logSaved ? logPath : std::string()));
  }
  if (!options_.timeline) return;
  if (!logSaved) {
    // Its name would be another run's: "<name>.svg" beside that run's "<name>.txt".
    std::fprintf(stderr,
                 "vlt: the timeline of %s was not written: it goes beside the test's log, which "
                 "was not saved\n",
                 test.Code().c_str());
    notWritten_ = true;
    return;
  }
  // The picture belongs to this log only: a file already under its name is someone
  // else's. It names its log, so that the two are kept together.
  const std::string path = TimelinePath(logPath);
  const std::string logName = std::filesystem::path(logPath).filename().string();
  const std::string svg =
      results::TimelineSvg(results::CaptureRunTrace(test, platform::Utf8ToCp1252(logName)));
  std::string error;
  bool taken = false;
  if (platform::CreateFileAtomically(path, svg, &error, &taken)) {
    std::fprintf(stderr, "vlt: saved %s\n", path.c_str());
    return;
  }
  std::fprintf(stderr,
               "vlt: the timeline %s was not written: %s; the file already there is unchanged "
               "and the log %s is kept\n",
               path.c_str(), taken ? "another file has that name" : error.c_str(), logPath.c_str());
  notWritten_ = true;
}

void ResultFiles::Finish() {
  if (options_.junit) Write(*options_.junit, results::WriteJUnit(runs_), "JUnit file");
  if (options_.json) Write(*options_.json, results::WriteResultsJson(runs_), "JSON file");
}

void ResultFiles::Write(const std::string& path, const std::string& bytes, const char* what) {
  std::string error;
  if (platform::WriteFileAtomically(path, bytes, &error)) {
    std::fprintf(stderr, "vlt: saved %s\n", path.c_str());
    return;
  }
  std::fprintf(stderr,
               "vlt: the %s %s was not written: %s; a file already there is unchanged and the "
               "saved logs are kept. Choose another path, then run again\n",
               what, path.c_str(), error.c_str());
  notWritten_ = true;
}

}  // namespace vlt::cli
