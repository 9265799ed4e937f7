// Message boxes and questions for the person at the tester: dialogs in the
// window, stderr and the operator policy on the command line.
#pragma once

#include <cstdint>
#include <string>

namespace vlt::platform {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // An OK box; texts are Windows-1252.
  virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
  // The decision window: a statement and a yes/no question; true for Yes.
  virtual bool AskDecision(const std::string& statement, const std::string& question) = 0;
};

// Whether a key (Windows virtual-key code, 32 for the space bar) is held down now.
// The window tracks its own key presses; the command line answers for the operator.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool IsKeyDown(std::uint8_t virtualKey) const = 0;
};

inline constexpr std::uint8_t kSpaceBarKey = 32;

}  // namespace vlt::platform
