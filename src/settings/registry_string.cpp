#include "settings/registry_string.h"

namespace vlt::settings {

RegistryString::RegistryString(platform::RegistryFile& file, std::string subkey,
                               std::string valueName, std::string defaultValue)
    : file_(file),
      subkey_(std::move(subkey)),
      valueName_(std::move(valueName)),
      value_(file_.GetString(subkey_, valueName_).value_or(std::move(defaultValue))) {}

bool RegistryString::Store(const std::string& text) {
  const bool written = file_.SetString(subkey_, valueName_, text);
  value_ = text;
  return written;
}

}  // namespace vlt::settings
