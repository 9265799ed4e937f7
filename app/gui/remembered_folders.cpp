#include "gui/remembered_folders.h"

namespace vlt::gui {

RememberedFolders::RememberedFolders(platform::RegistryFile& registry)
    : logFolder_(registry, settings::kApplicationSubkey, kLogFolderValue, ""),
      profileFolder_(registry, settings::kApplicationSubkey, kProfileFolderValue, "") {}

void RememberedFolders::RememberLog(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (!folder.empty() && folder != logFolder_.Value()) logFolder_.Store(folder);
}

void RememberedFolders::RememberProfile(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (!folder.empty() && folder != profileFolder_.Value()) profileFolder_.Store(folder);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace vlt::gui
