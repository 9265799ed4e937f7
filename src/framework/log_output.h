// AppendLogLine and ClearLogPane: writes to whichever log pane the main window
// has attached, from either thread; without a pane the text goes nowhere.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/log_pane.h"

namespace vlt::framework {

class LogOutput {
 public:
  void Attach(platform::LogPane* pane);
  void Detach() { Attach(nullptr); }

  void AppendLogLine(std::string_view text);
  void ClearLogPane();
  void SetReadOnly(bool readOnly);
  std::string Text() const;
  bool HasPane() const;

 private:
  mutable std::mutex mutex_;  // keeps the pane alive while a write is in it
  platform::LogPane* pane_ = nullptr;
};

// Pads or cuts text to a column width: shorter text is padded with spaces (on the
// left when right-aligned), longer text keeps width - 2 characters and "..".
std::string FitText(std::string_view text, std::size_t width, bool rightAlign);

// The log pane's text as "Save &Log" writes it: its non-empty lines, each ended
// with CR LF; both front ends save through it.
std::string SavedLogText(std::string_view paneText);

}  // namespace vlt::framework
