// Message boxes and questions for the person at the tester: dialogs in the
// window, stderr and the operator policy on the command line.
#pragma once

#include <string>

namespace vlt::platform {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // An OK box; texts are Windows-1252.
  virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
};

}  // namespace vlt::platform
