// The element strip: the test base writes it as a small rich-text document (one
// coloured marker per element); the window shows it as HTML.
#pragma once

#include <QString>
#include <string_view>

namespace vlt::gui {

// Colour table entries, "\cfN" runs, "\'hh" bytes and text; other control words
// are dropped. Malformed input gives what could be read, never more.
QString StripRtfToHtml(std::string_view rtf);

}  // namespace vlt::gui
