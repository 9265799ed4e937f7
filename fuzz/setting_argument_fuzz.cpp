// Feeds any command-line arguments to the reading of --set "NAME=VALUE" that
// `vlt run`, `vlt summary`, `vlt supersede` and `vlt profile set` share: the split
// at '=', the UTF-8 to Windows-1252 conversion, the setting's lookup and its own
// parsing, and the settling of the settings list. Input: arguments separated by
// NUL bytes, applied in order to one store reset to the defaults. Besides the
// sanitizers, it checks that a refusal always says why, and that an accepted
// value, shown and typed back, is accepted again and shows the same.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/profile_command.h"
#include "platform/text_encoding.h"
#include "settings/profile.h"

namespace {

using namespace vlt;

cli::CommandSettings& Command() {
  static cli::CommandSettings command;
  return command;
}

void Apply(const std::string& argument) {
  cli::CommandSettings& command = Command();
  std::ostringstream err;
  if (!cli::ApplySettingArgument(*command.settings, argument, err)) {
    if (!err.str().starts_with("vlt: ")) std::abort();  // a refusal without a reason
    return;
  }
  const std::string name = argument.substr(0, argument.find('='));
  settings::SettingData* setting = command.settings->Store().Find(platform::Utf8ToCp1252(name));
  if (setting == nullptr) std::abort();
  const std::string shown = setting->Item().ValueText();
  std::ostringstream again;
  if (!cli::ApplySettingArgument(*command.settings, name + "=" + platform::Cp1252ToUtf8(shown),
                                 again)) {
    return;  // some shown forms ("N/D") are not typed values; refusing them is fine
  }
  if (setting->Item().ValueText() != shown) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cli::CommandSettings& command = Command();
  settings::ResetProfile(*command.settings);
  command.pane.Clear();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= input.size()) {
    std::size_t end = input.find('\0', start);
    if (end == std::string_view::npos) end = input.size();
    Apply(std::string(input.substr(start, end - start)));
    start = end + 1;
  }
  return 0;
}
