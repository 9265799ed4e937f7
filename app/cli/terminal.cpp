#include "cli/terminal.h"

#include <cerrno>

#include "platform/text_encoding.h"

namespace vlt::cli {

void TerminalPrompter::MessageBox(const std::string& /*caption*/, const std::string& text) {
  std::fprintf(stderr, "%s\n", platform::Cp1252ToUtf8(text).c_str());
}

bool TerminalPrompter::AskDecision(const std::string& statement, const std::string& question) {
  std::fprintf(stderr, "%s\n%s Yes\n", platform::Cp1252ToUtf8(statement).c_str(),
               platform::Cp1252ToUtf8(question).c_str());
  return true;
}

void TerminalLogPane::AppendLine(std::string_view text) {
  MemoryLogPane::AppendLine(text);
  Print(text);
  if (observer_) observer_(text);
}

void TerminalLogPane::Print(std::string_view text) {
  const std::string line = platform::Cp1252ToUtf8(text) + "\n";
  std::lock_guard lock(printMutex_);
  // With SIGPIPE ignored a closed pipe only fails the write; the text is still kept.
  if (std::fwrite(line.data(), 1, line.size(), out_) != line.size() || std::fflush(out_) != 0) {
    if (errno == EPIPE) outputClosed_ = true;
    std::clearerr(out_);
  }
}

}  // namespace vlt::cli
