#include "gui/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace vlt::gui {

QFont MonospaceFont(int pointSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Courier New where it is installed; otherwise the system's fixed font.
  QStringList families;
  families << QStringLiteral("Courier New") << QStringLiteral("DejaVu Sans Mono") << font.family();
  font.setFamilies(families);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace vlt::gui
