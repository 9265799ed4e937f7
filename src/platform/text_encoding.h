// The core keeps Windows-1252 text, as its files are written; people see UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vlt::platform {

std::string Cp1252ToUtf8(std::string_view text);
// Characters outside Windows-1252 become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace vlt::platform
