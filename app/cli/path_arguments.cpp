#include "cli/path_arguments.h"

#include <filesystem>
#include <system_error>

namespace vlt::cli {

namespace fs = std::filesystem;

std::optional<std::string> WhyNotAFolder(const std::string& folder) {
  if (folder.empty()) return "no folder named";
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (status.type() == fs::file_type::not_found) return "no such folder";
  if (ec) return ec.message();
  if (!fs::is_directory(status)) return "it is a file, not a folder";
  return std::nullopt;
}

std::optional<std::string> PrepareFolder(const std::string& folder) {
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  // create_directories names a file in the way only sometimes; the status always does.
  return WhyNotAFolder(folder);
}

std::optional<std::string> PrepareFileTarget(const std::string& path) {
  if (path.empty()) return "no file named";
  const fs::path target(path);
  if (!target.has_filename()) return "it names a folder, not a file";
  const fs::path folder = target.parent_path();
  if (!folder.empty()) {
    if (const auto why = PrepareFolder(folder.string())) return "its folder: " + *why;
  }
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  if (ec && status.type() != fs::file_type::not_found) return ec.message();
  if (fs::is_directory(status)) return "it is a folder, not a file";
  return std::nullopt;
}

std::string NormalAbsolute(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  if (ec) return path;
  return absolute.lexically_normal().string();
}

}  // namespace vlt::cli
