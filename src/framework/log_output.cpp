#include "framework/log_output.h"

namespace vlt::framework {

void LogOutput::Attach(platform::LogPane* pane) {
  std::lock_guard lock(mutex_);
  pane_ = pane;
}

void LogOutput::AppendLogLine(std::string_view text) {
  std::lock_guard lock(mutex_);
  if (pane_ != nullptr) pane_->AppendLine(text);
}

void LogOutput::ClearLogPane() {
  std::lock_guard lock(mutex_);
  if (pane_ != nullptr) pane_->Clear();
}

void LogOutput::SetReadOnly(bool readOnly) {
  std::lock_guard lock(mutex_);
  if (pane_ != nullptr) pane_->SetReadOnly(readOnly);
}

std::string LogOutput::Text() const {
  std::lock_guard lock(mutex_);
  return pane_ != nullptr ? pane_->Text() : std::string();
}

bool LogOutput::HasPane() const {
  std::lock_guard lock(mutex_);
  return pane_ != nullptr;
}

std::string FitText(std::string_view text, std::size_t width, bool rightAlign) {
  if (text.size() == width) return std::string(text);
  if (text.size() < width) {
    const std::string pad(width - text.size(), ' ');
    return rightAlign ? pad + std::string(text) : std::string(text) + pad;
  }
  if (width < 2) return std::string(width, '.');
  return std::string(text.substr(0, width - 2)) + "..";
}

std::string SavedLogText(std::string_view paneText) {
  std::string out;
  std::size_t start = 0;
  while (start < paneText.size()) {
    std::size_t end = paneText.find('\n', start);
    if (end == std::string_view::npos) end = paneText.size();
    std::string_view line = paneText.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) {
      out += line;
      out += "\r\n";
    }
    start = end + 1;
  }
  return out;
}

}  // namespace vlt::framework
