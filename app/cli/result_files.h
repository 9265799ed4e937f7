// The result files of `vlt run` and `vlt demo` besides the saved logs: a JUnit
// XML file and a JSON file over every test of the command, and with
// --timeline a picture of each run beside its log. None of them ever costs a
// saved log: they are written after it, each whole or not at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "results/run_result.h"

namespace vlt::engine {
class Test;
}

namespace vlt::cli {

struct ResultFileOptions {
  std::optional<std::string> junit;
  std::optional<std::string> json;
  bool timeline = false;
};

enum class ResultOption {
  kNotOurs,       // another option: the command reads it
  kTaken,         // read, and `i` moved past its value
  kMissingValue,  // the option needs a value that is not there
};

// Reads the result option at args[i], if it is one.
ResultOption ReadResultOption(const std::vector<std::string>& args, std::size_t& i,
                              ResultFileOptions& options);

class ResultFiles {
 public:
  explicit ResultFiles(ResultFileOptions options) : options_(std::move(options)) {}

  // A test whose run has finished, before it goes; `logPath` is where its log
  // was (or would have been) saved. Writes its timeline when asked for, beside
  // the saved log; with no log saved there is no timeline either.
  void OnRunFinished(const engine::Test& test, const std::string& logPath, bool logSaved);
  // Writes the JUnit and JSON files over every run so far.
  void Finish();
  // Some file could not be written (each said so on stderr).
  bool AnyNotWritten() const { return notWritten_; }

 private:
  void Write(const std::string& path, const std::string& bytes, const char* what);

  ResultFileOptions options_;
  std::vector<results::RunResult> runs_;
  bool notWritten_ = false;
};

}  // namespace vlt::cli
