#include "cli/path_arguments.h"

#include <filesystem>
#include <system_error>

namespace vlt::cli {

namespace fs = std::filesystem;

std::optional<std::string> WhyNotAFolder(const std::string& folder) {
  if (folder.empty()) return "no folder named";
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (ec) return ec.message();
  if (!fs::is_directory(status)) return "it is a file, not a folder";
  return std::nullopt;
}

std::optional<std::string> PrepareFolder(const std::string& folder) {
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  // A file in the way does not always fail create_directories; the status says what is there.
  return WhyNotAFolder(folder);
}

std::string NormalAbsolute(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  if (ec) return path;
  return absolute.lexically_normal().string();
}

}  // namespace vlt::cli
