#include "cli/terminal.h"

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
}

void TerminalLogPane::Print(std::string_view text) {
  const std::string line = platform::Cp1252ToUtf8(text) + "\n";
  std::lock_guard lock(printMutex_);
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}

}  // namespace vlt::cli
