// A text value that outlives the program, such as the profile to load at start:
// one value of the per-user registry file, its subkey being the file's section.
#pragma once

#include <string>

#include "platform/registry_file.h"

namespace vlt::settings {

class RegistryString {
 public:
  // Reads the value; a missing value leaves `defaultValue`.
  RegistryString(platform::RegistryFile& file, std::string subkey, std::string valueName,
                 std::string defaultValue);

  // Writes the text and makes it the current value. A failed write is not
  // reported to the operator; the result says whether the file took it.
  bool Store(const std::string& text);

  const std::string& Value() const { return value_; }
  const std::string& Subkey() const { return subkey_; }
  const std::string& ValueName() const { return valueName_; }

 private:
  platform::RegistryFile& file_;
  std::string subkey_;
  std::string valueName_;
  std::string value_;
};

// The subkey and value name of the profile loaded at start.
inline constexpr const char* kApplicationSubkey = "Valmora";
inline constexpr const char* kStartingProfileValue = "StartingProfile";

}  // namespace vlt::settings
