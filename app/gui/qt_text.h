// The core keeps Windows-1252 text; Qt shows UTF-16. Every conversion happens here.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vlt::gui {

// Windows-1252 to a QString; CR LF and lone CR become LF.
QString ToQt(std::string_view cp1252);
// A QString to Windows-1252; characters it lacks become '?'.
std::string FromQt(const QString& text);
// File system paths are bytes in the locale's encoding, not Windows-1252.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

}  // namespace vlt::gui
