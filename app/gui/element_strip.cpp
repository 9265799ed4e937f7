#include "gui/element_strip.h"

#include <QColor>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/qt_text.h"

namespace vlt::gui {

namespace {

struct Reader {
  std::string_view text;
  std::size_t pos = 0;
  bool AtEnd() const { return pos >= text.size(); }
  char Peek() const { return text[pos]; }
};

// "\word123 " after the backslash: the word, its number (or -1) and the one
// blank that ends it.
void ReadControlWord(Reader& r, std::string& word, int& number) {
  word.clear();
  number = -1;
  while (!r.AtEnd() && std::isalpha(static_cast<unsigned char>(r.Peek()))) word += r.text[r.pos++];
  if (!r.AtEnd() && std::isdigit(static_cast<unsigned char>(r.Peek()))) {
    number = 0;
    while (!r.AtEnd() && std::isdigit(static_cast<unsigned char>(r.Peek())) && number < 100000) {
      number = number * 10 + (r.text[r.pos++] - '0');
    }
  }
  if (!r.AtEnd() && r.Peek() == ' ') ++r.pos;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "{\colortbl;\red10\green10\blue10;...}" with the reader after "\colortbl".
std::vector<QColor> ReadColourTable(Reader& r) {
  std::vector<QColor> colours;
  int red = 0, green = 0, blue = 0;
  bool any = false;
  while (!r.AtEnd() && r.Peek() != '}') {
    const char c = r.text[r.pos++];
    if (c == ';') {
      colours.push_back(any ? QColor(red, green, blue) : QColor());
      red = green = blue = 0;
      any = false;
    } else if (c == '\\') {
      std::string word;
      int number = 0;
      ReadControlWord(r, word, number);
      const int value = std::clamp(number, 0, 255);
      if (word == "red") red = value, any = true;
      if (word == "green") green = value, any = true;
      if (word == "blue") blue = value, any = true;
    }
  }
  if (!r.AtEnd()) ++r.pos;  // the closing brace
  return colours;
}

}  // namespace

QColor ReadableOn(const QColor& colour, const QColor& background) {
  constexpr int kLeastLightnessGap = 100;
  const int lightness = colour.lightness();
  if (std::abs(lightness - background.lightness()) >= kLeastLightnessGap) return colour;
  return QColor::fromHsl(colour.hslHue(), colour.hslSaturation(), 255 - lightness);
}

QString StripRtfToHtml(std::string_view rtf, const QColor& background) {
  Reader r{rtf};
  std::vector<QColor> colours;
  std::vector<int> colourStack{0};
  QString html;
  int openColour = -1;
  auto put = [&](const std::string& bytes) {
    const int colour = colourStack.back();
    if (colour != openColour) {
      if (openColour >= 0) html += QStringLiteral("</span>");
      const bool known = colour > 0 && colour < static_cast<int>(colours.size()) &&
                         colours[static_cast<std::size_t>(colour)].isValid();
      const QColor shown =
          known ? colours[static_cast<std::size_t>(colour)] : QColor(QStringLiteral("#202020"));
      const QString name = ReadableOn(shown, background).name();
      html += QStringLiteral("<span style=\"color:%1\">").arg(name);
      openColour = colour;
    }
    html += ToQt(bytes).toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
  };
  while (!r.AtEnd()) {
    const char c = r.text[r.pos++];
    if (c == '{') {
      colourStack.push_back(colourStack.back());
    } else if (c == '}') {
      if (colourStack.size() > 1) colourStack.pop_back();
    } else if (c == '\\') {
      if (r.AtEnd()) break;
      if (r.Peek() == '\'') {
        ++r.pos;
        if (r.pos + 2 <= r.text.size()) {
          const int high = HexValue(r.text[r.pos]);
          const int low = HexValue(r.text[r.pos + 1]);
          r.pos += 2;
          if (high >= 0 && low >= 0) put(std::string(1, static_cast<char>(high * 16 + low)));
        }
        continue;
      }
      std::string word;
      int number = 0;
      ReadControlWord(r, word, number);
      if (word == "colortbl") {
        colours = ReadColourTable(r);
        if (colourStack.size() > 1) colourStack.pop_back();
      } else if (word == "cf") {
        colourStack.back() = std::max(number, 0);
      }
    } else if (c != '\r' && c != '\n') {
      put(std::string(1, c));
    }
  }
  if (openColour >= 0) html += QStringLiteral("</span>");
  return html;
}

}  // namespace vlt::gui
