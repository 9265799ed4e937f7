#include "gui/qt_text.h"

#include <QFile>

#include "platform/text_encoding.h"

namespace vlt::gui {

QString ToQt(std::string_view cp1252) {
  QString text = QString::fromStdString(platform::Cp1252ToUtf8(cp1252));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string FromQt(const QString& text) {
  return platform::Utf8ToCp1252(text.toStdString());
}

QString PathToQt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace vlt::gui
