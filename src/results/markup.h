// Text as the result files carry it: the core keeps Windows-1252, XML, SVG and
// JSON files are UTF-8 with their own escapes, and times are ISO 8601.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace vlt::results {

// Windows-1252 text as XML character data or as an attribute value (quotes,
// line ends and tabs escaped). Characters XML 1.0 cannot carry are dropped.
std::string XmlContent(std::string_view cp1252);
std::string XmlAttribute(std::string_view cp1252);
// The same for text that is already UTF-8 (file paths).
std::string XmlAttributeUtf8(std::string_view utf8);
std::string XmlContentUtf8(std::string_view utf8);

// A JSON string literal, quotes included.
std::string JsonString(std::string_view cp1252);
std::string JsonStringUtf8(std::string_view utf8);

// "2026-01-22T14:05:09": the tester's local time, without a zone, as the
// common JUnit schema's timestamp wants it.
std::string IsoLocalTime(const std::tm& when);
// The calendar time `ms` milliseconds earlier (seconds rounded down), zone-free.
std::tm MillisecondsBefore(const std::tm& when, std::uint32_t ms);
// Seconds with three decimals: "12.345".
std::string Seconds(std::uint32_t ms);

}  // namespace vlt::results
