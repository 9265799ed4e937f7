// Text as the result files carry it: escapes, Windows-1252 to UTF-8, times.
#include "results/markup.h"

#include <gtest/gtest.h>

#include "results/json_writer.h"
#include "support/virtual_time.h"

namespace vlt::results {
namespace {

TEST(Markup, XmlKeepsTheTextAndDropsWhatXmlCannotCarry) {
  // A prompt of the tests, a degree sign (B0h in Windows-1252), a control byte.
  EXPECT_EQ(XmlContent("Press <space> & \"go\"\t\xB0\x01!"),
            "Press &lt;space&gt; &amp; \"go\"\t\xC2\xB0!");
  EXPECT_EQ(XmlAttribute("a\"b\r\nc\td<"), "a&quot;b&#13;&#10;c&#9;d&lt;");
  EXPECT_EQ(XmlContent("line\r\nnext"), "line&#13;\nnext");
  // Paths are UTF-8 already and stay as they are.
  EXPECT_EQ(XmlAttributeUtf8("/tmp/\xC3\xA9t\xC3\xA9 & co"), "/tmp/\xC3\xA9t\xC3\xA9 &amp; co");
}

TEST(Markup, JsonStringsAndTheWriterNesting) {
  EXPECT_EQ(JsonString("a\"b\\c\r\n\x01\xB0"), "\"a\\\"b\\\\c\\r\\n\\u0001\xC2\xB0\"");
  JsonWriter json;
  json.BeginObject().Field("n", -3).Key("list").BeginArray().Text("x").Null().EndArray();
  json.Key("empty").BeginObject().EndObject().Key("none").BeginArray().EndArray();
  json.Key("yes").Bool(true).EndObject();
  EXPECT_EQ(json.Finish(),
            "{\n  \"n\": -3,\n  \"list\": [\n    \"x\",\n    null\n  ],\n  \"empty\": {},\n"
            "  \"none\": [],\n  \"yes\": true\n}\n");
}

TEST(Markup, TimesAcrossDayMonthAndYearEnds) {
  const std::tm newYear = vlt::testing::LocalTime(2026, 1, 1, 4, 0, 0, 3);
  EXPECT_EQ(IsoLocalTime(newYear), "2026-01-01T00:00:03");
  EXPECT_EQ(IsoLocalTime(MillisecondsBefore(newYear, 4000)), "2025-12-31T23:59:59");
  // A part of a second counts whole: the run began before the end's second.
  EXPECT_EQ(IsoLocalTime(MillisecondsBefore(newYear, 1)), "2026-01-01T00:00:02");
  EXPECT_EQ(IsoLocalTime(MillisecondsBefore(newYear, 0)), "2026-01-01T00:00:03");
  const std::tm leap = vlt::testing::LocalTime(2028, 3, 1, 3, 0, 0, 10);
  EXPECT_EQ(IsoLocalTime(MillisecondsBefore(leap, 20'000)), "2028-02-29T23:59:50");
  EXPECT_EQ(Seconds(12'345), "12.345");
  EXPECT_EQ(Seconds(7), "0.007");
}

}  // namespace
}  // namespace vlt::results
