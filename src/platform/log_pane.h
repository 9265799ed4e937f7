// The log pane seen from the core: the tick thread and the window thread both
// write through it, so every implementation must be thread-safe and must not
// block its caller for long.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace vlt::platform {

class LogPane {
 public:
  virtual ~LogPane() = default;
  // Appends the text and a line end ("\r\n"); text is Windows-1252.
  virtual void AppendLine(std::string_view text) = 0;
  virtual void Clear() = 0;
  virtual void SetReadOnly(bool readOnly) = 0;
  // The whole text, lines ending in "\r\n".
  virtual std::string Text() const = 0;
};

// A log pane that only keeps its text; for tests and as the base of the command
// line's pane.
class MemoryLogPane : public LogPane {
 public:
  void AppendLine(std::string_view text) override {
    std::lock_guard lock(mutex_);
    text_.append(text);
    text_.append("\r\n");
  }
  void Clear() override {
    std::lock_guard lock(mutex_);
    text_.clear();
  }
  void SetReadOnly(bool readOnly) override {
    std::lock_guard lock(mutex_);
    readOnly_ = readOnly;
  }
  std::string Text() const override {
    std::lock_guard lock(mutex_);
    return text_;
  }
  bool ReadOnly() const {
    std::lock_guard lock(mutex_);
    return readOnly_;
  }

 protected:
  mutable std::mutex mutex_;
  std::string text_;
  bool readOnly_ = false;
};

}  // namespace vlt::platform
