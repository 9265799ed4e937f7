// The element strip: the test base writes it as a small rich-text document (one
// coloured marker per element); the window shows it as HTML.
#pragma once

#include <QColor>
#include <QString>
#include <string_view>

namespace vlt::gui {

// Colour table entries, "\cfN" runs, "\'hh" bytes and text; other control words
// are dropped. Malformed input gives what could be read, never more.
// Colours are kept readable on `background` (the theme's text background): one
// too close to it in lightness is shown with its lightness turned over.
QString StripRtfToHtml(std::string_view rtf, const QColor& background = QColor(Qt::white));
// The colour, or its lightness turned over when it would not read on the background.
QColor ReadableOn(const QColor& colour, const QColor& background);

}  // namespace vlt::gui
