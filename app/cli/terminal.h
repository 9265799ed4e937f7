// The command line's stand-ins for the window: message boxes on stderr and a log
// pane that prints each line to stdout as UTF-8 and keeps the text for saving.
#pragma once

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>

#include "platform/log_pane.h"
#include "platform/prompter.h"

namespace vlt::cli {

// Exit codes of the vlt command (sysexits where one fits).
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitDataError = 65;
inline constexpr int kExitNoHost = 69;
// A log or a profile could not be written; the file already there is unchanged.
inline constexpr int kExitCannotSave = 73;
inline constexpr int kExitTesterRunning = 75;

class TerminalPrompter final : public platform::Prompter {
 public:
  void MessageBox(const std::string& caption, const std::string& text) override;
  // Without an operator policy the command line answers Yes.
  bool AskDecision(const std::string& statement, const std::string& question) override;
};

// Lines written from the tick thread and the main thread come out whole.
class TerminalLogPane final : public platform::MemoryLogPane {
 public:
  using LineObserver = std::function<void(std::string_view line)>;

  explicit TerminalLogPane(std::FILE* out = stdout, LineObserver observer = {})
      : out_(out), observer_(std::move(observer)) {}
  void AppendLine(std::string_view text) override;
  // Prints a line without keeping it in the pane's text.
  void Print(std::string_view text);
  // The reader of the output went away (a closed pipe): nothing printed arrives.
  bool OutputClosed() const { return outputClosed_.load(); }

 private:
  std::FILE* out_;
  std::atomic<bool> outputClosed_{false};
  LineObserver observer_;  // the operator policy reads what the tests ask of the operator
  std::mutex printMutex_;
};

}  // namespace vlt::cli
