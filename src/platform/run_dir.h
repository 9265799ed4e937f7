// The private folder where the host and its tools meet: $VLT_RUN_DIR, else
// $XDG_RUNTIME_DIR/vlt, else /tmp/vlt-<uid>. It holds sockets that carry bus
// traffic, so it must belong to the user and be closed to everyone else.
#pragma once

#include <optional>
#include <string>

namespace vlt::platform {

struct RunDirResult {
  std::string path;   // the run folder, when usable
  std::string error;  // what is wrong, when not
  bool ok() const { return error.empty(); }
};

// Where the run folder is, from the environment; nothing is created.
std::string RunDirPath();

// Creates the run folder and its RVC subfolder (mode 0700) when missing and
// refuses one that another user owns or that others may enter.
RunDirResult PrepareRunDir();

// Checks an existing folder the same way; used for the RVC subfolder too.
std::optional<std::string> CheckPrivateDir(const std::string& path);

// Paths of the host's sockets and of a tool's mailslot inside the run folder.
std::string HostMailslotPath(const std::string& runDir);
std::string HostControlPath(const std::string& runDir);
std::string ToolMailslotPath(const std::string& runDir, const std::string& name);

}  // namespace vlt::platform
