#include "util/utf16_units.h"

#include <gtest/gtest.h>

#include <string>

namespace ordwell {
namespace {

const std::string kGrin = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Utf16Units, CountsUnitsNotBytesOrCodePoints) {
  struct Case {
    std::string utf8;
    size_t units;
  } cases[] = {{"", 0}, {"abc", 3}, {"\xC3\xA4", 1}, {"\xE6\x97\xA5\xE6\x9C\xAC", 2}, {kGrin, 2}, {"a" + kGrin + "b", 4}};
  for (const Case& c : cases) {
    std::u16string units = ToUtf16(c.utf8);
    EXPECT_EQ(units.size(), c.units) << c.utf8;
    EXPECT_EQ(FromUtf16(units), c.utf8);
  }
  EXPECT_EQ(ToUtf16(kGrin), (std::u16string{0xD83D, 0xDE00}));
}

TEST(Utf16Units, LoneSurrogateBecomesReplacement) {
  EXPECT_EQ(FromUtf16(std::u16string{u'a', 0xD83D}), "a" + kReplacement);
  EXPECT_EQ(FromUtf16(std::u16string{0xDE00, u'b'}), kReplacement + "b");
}

TEST(CharactersBetween, TakesWhatTheTextHas) {
  struct Case {
    std::string text;
    size_t first, last;
    std::string expected;
  } cases[] = {
      {"abcdef", 2, 4, "bcd"},
      {"abcdef", 5, 10, "ef"},
      {"abcdef", 7, 9, ""},
      {"abcdef", 0, 3, ""},
      {"abcdef", 4, 2, ""},
      {"", 1, 1, ""},
      {"\xC3\x84" "bc\xC3\x96", 1, 2, "\xC3\x84" "b"},
      {"\xC3\x84" "bc\xC3\x96", 4, 9, "\xC3\x96"},
      {"a" + kGrin + "b", 2, 3, kGrin},
      {"a" + kGrin + "b", 4, 4, "b"},
      // Half of a pair cannot stand alone.
      {"a" + kGrin + "b", 2, 2, kReplacement},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CharactersBetween(c.text, c.first, c.last), c.expected)
        << "\"" << c.text << "\" " << c.first << ".." << c.last;
}

}  // namespace
}  // namespace ordwell
