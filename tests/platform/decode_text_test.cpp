#include <gtest/gtest.h>

#include <string>

#include "platform/encoding.h"

namespace ordwell {
namespace {

using namespace std::string_literals;

const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kAUmlaut = "\xC3\xA4";           // U+00E4
const std::string kGrin = "\xF0\x9F\x98\x80";      // U+1F600

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string ansi;
  std::string expected;
};

class DecodeTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, GivesUtf8) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(DecodeText(c.bytes, Charset(c.ansi)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ByteOrderMarks, DecodeTextTest,
    ::testing::Values(
        // A mark overrides the ANSI set, and is not part of the text.
        DecodeCase{"utf8_bom", "\xEF\xBB\xBF" "A\xC3\xA4", "ANSI_X3.4-1968", "A" + kAUmlaut},
        DecodeCase{"utf8_bom_invalid_byte", "\xEF\xBB\xBF" "a\xFF" "b", "UTF-8", "a" + kReplacement + "b"},
        DecodeCase{"utf16le", "\xFF\xFE" "A\0\xE4\0"s, "UTF-8", "A" + kAUmlaut},
        DecodeCase{"utf16be", "\xFE\xFF" "\0A\0\xE4"s, "UTF-8", "A" + kAUmlaut},
        DecodeCase{"utf16le_pair", "\xFF\xFE" "a\0\x3D\xD8\x00\xDE" "b\0"s, "UTF-8", "a" + kGrin + "b"},
        DecodeCase{"utf16be_pair", "\xFE\xFF" "\0a\xD8\x3D\xDE\x00\0b"s, "UTF-8", "a" + kGrin + "b"},
        DecodeCase{"utf16le_lone_high", "\xFF\xFE" "\x3D\xD8" "a\0"s, "UTF-8", kReplacement + "a"},
        DecodeCase{"utf16le_lone_low", "\xFF\xFE" "a\0\x00\xDE"s, "UTF-8", "a" + kReplacement},
        DecodeCase{"utf16le_torn_unit", "\xFF\xFE" "a\0b"s, "UTF-8", "a" + kReplacement},
        DecodeCase{"utf16le_crlf", "\xFF\xFE" "a\0\r\0\n\0"s, "UTF-8", "a\r\n"},
        DecodeCase{"bom_only", "\xEF\xBB\xBF", "UTF-8", ""}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    AnsiSets, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"utf8_valid", "A\xC3\xA4" "\xF0\x9F\x98\x80", "UTF-8", "A" + kAUmlaut + kGrin},
        DecodeCase{"utf8_invalid_byte", "a\xFF" "b", "UTF-8", "a" + kReplacement + "b"},
        DecodeCase{"utf8_overlong", "a\xC0\x80" "b", "UTF-8", "a" + kReplacement + kReplacement + "b"},
        DecodeCase{"utf8_encoded_surrogate", "\xED\xA0\x80", "UTF-8", kReplacement + kReplacement + kReplacement},
        DecodeCase{"utf8_truncated_sequence", "ab\xE6\x97", "UTF-8", "ab" + kReplacement + kReplacement},
        DecodeCase{"ascii_plain", "plain text\r\n", "ANSI_X3.4-1968", "plain text\r\n"},
        DecodeCase{"ascii_high_byte", "a\xE4" "b", "ANSI_X3.4-1968", "a" + kReplacement + "b"},
        DecodeCase{"latin1", "a\xE4" "b\xFF", "ISO-8859-1", "a" + kAUmlaut + "b\xC3\xBF"},
        // FF FE in the middle of a text is no mark.
        DecodeCase{"latin1_not_a_mark", "x\xFF\xFE", "ISO-8859-1", "x\xC3\xBF\xC3\xBE"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NulEndsTheText, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"utf8", "ab\0cd"s, "UTF-8", "ab"},
        // Whatever follows the NUL does not matter, not even invalid bytes.
        DecodeCase{"utf8_invalid_after_nul", "ab\0\xFF"s, "UTF-8", "ab"},
        DecodeCase{"ascii", "ab\0cd"s, "ANSI_X3.4-1968", "ab"},
        DecodeCase{"latin1", "\xE4\0cd"s, "ISO-8859-1", kAUmlaut},
        DecodeCase{"utf8_bom", "\xEF\xBB\xBF" "ab\0cd"s, "UTF-8", "ab"},
        DecodeCase{"utf16le", "\xFF\xFE" "a\0\0\0b\0"s, "UTF-8", "a"},
        DecodeCase{"utf16be", "\xFE\xFF" "\0a\0\0\0b"s, "UTF-8", "a"},
        DecodeCase{"at_start", "\0abc"s, "UTF-8", ""}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(CharsetKinds, RecogniseTheSpellingsOfUtf8AndAscii) {
  for (const char* name : {"UTF-8", "utf8", "utf_8"}) EXPECT_TRUE(Charset(name).IsUtf8()) << name;
  for (const char* name : {"ANSI_X3.4-1968", "ASCII", "US-ASCII"}) EXPECT_TRUE(Charset(name).IsAscii()) << name;
  EXPECT_FALSE(Charset("ISO-8859-1").IsUtf8());
  EXPECT_FALSE(Charset("ISO-8859-1").IsAscii());
}

}  // namespace
}  // namespace ordwell

namespace ordwell {
namespace {

TEST(TextGoesOnAfterNul, OnlyPaddingAfterTheFirstNulLosesNothing) {
  struct Case {
    std::string bytes;
    bool goesOn;
  } cases[] = {
      {"a\r\nb\r\n", false},
      {std::string("a\r\nb\r\n\0\0\0", 9), false},
      {std::string("a\r\n\0\r\n\0", 7), false},
      {std::string("a\r\n\0b\r\n", 7), true},
      {std::string("\xFF\xFE" "a\0\r\0\n\0", 8), false},  // UTF-16: the zero bytes are not NULs
      {std::string("\xFF\xFE" "a\0\0\0b\0", 8), true},
      {std::string("\xFE\xFF\0a\0\0\0\0", 8), false},
      {std::string("\xFE\xFF\0a\0\0\0b", 8), true},
  };
  for (const Case& c : cases) EXPECT_EQ(TextGoesOnAfterNul(c.bytes), c.goesOn) << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace ordwell
