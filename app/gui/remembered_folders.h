// The folders the operator last used for test logs and for profiles, kept in the
// registry file, so that the file dialogs open there again, also after a restart.
#pragma once

#include <string>

#include "platform/registry_file.h"
#include "settings/registry_string.h"

namespace vlt::gui {

inline constexpr const char* kLogFolderValue = "LogFolder";
inline constexpr const char* kProfileFolderValue = "ProfileFolder";

class RememberedFolders {
 public:
  explicit RememberedFolders(platform::RegistryFile& registry);

  // Empty until a file of the kind was read or saved.
  const std::string& LogFolder() const { return logFolder_.Value(); }
  const std::string& ProfileFolder() const { return profileFolder_.Value(); }
  // The folder of a file that was read or saved.
  void RememberLog(const std::string& path);
  void RememberProfile(const std::string& path);

 private:
  settings::RegistryString logFolder_;
  settings::RegistryString profileFolder_;
};

// The folder part of a path, without a closing separator; empty when it has none.
std::string FolderOf(const std::string& path);
// The name in the folder; the name alone when there is no folder.
std::string InFolder(const std::string& folder, const std::string& name);

}  // namespace vlt::gui
