#include "results/markup.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace vlt::results {
namespace {

// XML 1.0 allows tab, LF and CR among the control characters; nothing else below 20h.
bool XmlAllows(unsigned char c) {
  return c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

std::string Escape(std::string_view utf8, bool attribute) {
  std::string out;
  out.reserve(utf8.size() + 16);
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (!XmlAllows(c)) continue;
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\r':
        // A bare CR would reach the reader as LF.
        out += "&#13;";
        break;
      case '\n':
        out += attribute ? "&#10;" : "\n";
        break;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

}  // namespace

std::string XmlContent(std::string_view cp1252) {
  return Escape(platform::Cp1252ToUtf8(cp1252), false);
}

std::string XmlAttribute(std::string_view cp1252) {
  return Escape(platform::Cp1252ToUtf8(cp1252), true);
}

std::string XmlAttributeUtf8(std::string_view utf8) {
  return Escape(utf8, true);
}

std::string XmlContentUtf8(std::string_view utf8) {
  return Escape(utf8, false);
}

std::string JsonStringUtf8(std::string_view utf8) {
  std::string out = "\"";
  out.reserve(utf8.size() + 8);
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
      out += escaped;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string JsonString(std::string_view cp1252) {
  return JsonStringUtf8(platform::Cp1252ToUtf8(cp1252));
}

std::string IsoLocalTime(const std::tm& when) {
  char text[64];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02d", when.tm_year + 1900,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  return text;
}

std::tm MillisecondsBefore(const std::tm& when, std::uint32_t ms) {
  // Calendar arithmetic only: the fields are read as if they were UTC, so no
  // zone or daylight-saving rule of this machine enters.
  std::tm fields = when;
  const std::time_t seconds = ::timegm(&fields) - static_cast<std::time_t>((ms + 999) / 1000);
  std::tm earlier{};
  ::gmtime_r(&seconds, &earlier);
  return earlier;
}

std::string Seconds(std::uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof(text), "%u.%03u", ms / 1000, ms % 1000);
  return text;
}

}  // namespace vlt::results
