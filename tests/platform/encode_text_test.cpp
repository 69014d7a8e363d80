#include <gtest/gtest.h>

#include <string>

#include "platform/encoding.h"

namespace ordwell {
namespace {

TEST(EncodeText, CharactersTheSetLacksBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string ansi;
    std::string expected;
  } cases[] = {
      {"a\xC3\xA4\xF0\x9F\x98\x80" "b", "UTF-8", "a\xC3\xA4\xF0\x9F\x98\x80" "b"},
      {"a\xC3\xA4\xF0\x9F\x98\x80" "b", "ANSI_X3.4-1968", "a??b"},
      {"a\xC3\xA4\xF0\x9F\x98\x80" "b", "ISO-8859-1", "a\xE4?b"},
      {"\xE6\x97\xA5" "1", "ISO-8859-1", "?1"},
      {"plain,1.0\r\n", "ISO-8859-1", "plain,1.0\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeText(c.utf8, Charset(c.ansi)), c.expected) << c.ansi;
}

TEST(EncodeText, RoundTripsThroughDecodeInTheSameSet) {
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e, caf\xC3\xA9";
  for (const char* ansi : {"UTF-8", "ISO-8859-1"})
    EXPECT_EQ(DecodeText(EncodeText(text, Charset(ansi)), Charset(ansi)), text) << ansi;
}

}  // namespace
}  // namespace ordwell
