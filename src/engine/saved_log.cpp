#include "engine/saved_log.h"

#include "platform/registry_file.h"

namespace vlt::engine {

std::string SavedLogText(const std::string& paneText) {
  std::string out;
  std::size_t start = 0;
  while (start < paneText.size()) {
    std::size_t end = paneText.find('\n', start);
    if (end == std::string::npos) end = paneText.size();
    std::string line = paneText.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) out += line + "\r\n";
    start = end + 1;
  }
  return out;
}

bool SaveLog(const std::string& path, const std::string& paneText, std::string* error) {
  return platform::WriteFileAtomically(path, SavedLogText(paneText), error);
}

bool SaveLog(const std::string& path, const std::string& paneText, platform::Prompter& prompter) {
  std::string error;
  if (SaveLog(path, paneText, &error)) return true;
  prompter.MessageBox("Save Log", "The log was not saved: " + error +
                                      ".\r\nA file already there is unchanged. Free some space "
                                      "or choose another folder, then save again.");
  return false;
}

}  // namespace vlt::engine
