#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace vlt::platform {
namespace {

TEST(TextEncoding, DegreeSignAndEuroRoundTrip) {
  const std::string cp1252 =
      "25\xB0"
      "C \x80";
  const std::string utf8 = Cp1252ToUtf8(cp1252);
  EXPECT_EQ(utf8,
            "25\xC2\xB0"
            "C \xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
}

TEST(TextEncoding, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E"
                         "b"),
            "a?b");                        // infinity sign
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");  // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xFF"
                         "x"),
            "?x");
}

}  // namespace
}  // namespace vlt::platform
