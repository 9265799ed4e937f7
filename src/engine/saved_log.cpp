#include "engine/saved_log.h"

#include "framework/log_output.h"
#include "platform/registry_file.h"

namespace vlt::engine {

bool SaveLog(const std::string& path, const std::string& paneText, std::string* error) {
  return platform::WriteFileAtomically(path, framework::SavedLogText(paneText), error);
}

std::string SaveLogFailureText(const std::string& error) {
  return "The log was not saved: " + error +
         ".\r\nA file already there is unchanged. Free some space or choose another folder, "
         "then save again.";
}

bool SaveLog(const std::string& path, const std::string& paneText, platform::Prompter& prompter) {
  std::string error;
  if (SaveLog(path, paneText, &error)) return true;
  prompter.MessageBox("Save Log", SaveLogFailureText(error));
  return false;
}

}  // namespace vlt::engine
