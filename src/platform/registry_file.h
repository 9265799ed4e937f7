// The per-user settings that outlive a profile (starting profile, window sizes):
// a key=value text file under $XDG_CONFIG_HOME/Fenwright, written atomically so
// that a crash mid-write leaves the previous file.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace vlt::platform {

class RegistryFile {
 public:
  // Default path: $XDG_CONFIG_HOME/Fenwright/<application>.conf, else ~/.config/...
  static std::string DefaultPath(const std::string& application);

  explicit RegistryFile(std::string path);

  // Values live in sections, as registry values live under keys.
  std::optional<std::string> GetString(const std::string& section, const std::string& name) const;
  int GetInt(const std::string& section, const std::string& name, int fallback) const;
  // Each write goes to disk at once; false (with Error()) when it could not.
  bool SetString(const std::string& section, const std::string& name, const std::string& value);
  bool SetInt(const std::string& section, const std::string& name, int value);

  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  void Load();
  bool Save();

  std::string path_;
  std::map<std::string, std::string> values_;  // "section/name" -> value
  std::string error_;
};

// Writes the bytes to a temporary file beside the target and renames it over the
// target, so readers see the old file or the new one, never a part. False with a
// message when any step fails, and the error number in `errorNumber` when given;
// the target is then untouched.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                         int* errorNumber = nullptr);

// The same for a file that must not exist yet: it appears whole or not at all,
// and a file already at `path` is never replaced (false with `taken` set).
bool CreateFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                          bool* taken, int* errorNumber = nullptr);

}  // namespace vlt::platform
