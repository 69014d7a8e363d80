#include "probe/entry_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ordwell {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(CompareEntries, OrderOfTheCharacterClasses) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case kCases[] = {
      {"010", "02", -1},          // digits one at a time, not as numbers
      {"02", "10", -1},
      {"09", "010", 1},
      {"03,1.5,2,3", "030,1,2,3", -1},  // the comma ends label 03 before label 030 goes on
      {"03.5", "030", -1},
      {"03", "03,", -1},          // a text that ends comes first
      {",", "0", -1},
      {".", "a", -1},
      {"9", "a", -1},             // letters after digits
      {"a", "B", -1},             // letters without regard to case
      {"b", "A", 1},
      {"abc", "ABC", 0},
      {"z", "\xC3\xA9", -1},      // beyond ASCII after the letters
      {"\xC3\xA9", "\xC3\xA8", 1},  // ... by code point
      {"-5", "4", 1},             // "-" is passed over
      {"1-3", "12", 1},
      {"0-1", "02", -1},
      {"1-2", "12", -1},          // equal without hyphens: the hyphen comes first
      {"12", "12-", -1},
      {"1-2", "-12", 1},
      {"x-1", "X-1", 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(Sign(CompareEntries(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(Sign(CompareEntries(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
  }
}

// Sorting and the duplicate rule need a consistent order: equal entries must be
// interchangeable and the order transitive, or insertion would depend on file order.
TEST(CompareEntries, IsAConsistentOrderOverMixedEntries) {
  const std::vector<std::string> kTexts = {
      "",   "-",   "0",     "00",    "01",  "0-1", "01-", "-01", "010", "1",    "1,2",  "1.2",
      "1-,", "A",  "a",     "a-",    "-a",  "B",   "b1",  "B1",  "1a",  "1A-",  "1-a",  "\xC3\xA9",
      "+",  "1+", "\xC3\xA9-", "z",  "Z-z", "zz",  "z-Z", ",",   ".",   "0,1,2", "0.1.2",
  };
  for (const auto& a : kTexts) {
    EXPECT_EQ(CompareEntries(a, a), 0) << a;
    for (const auto& b : kTexts) {
      ASSERT_EQ(Sign(CompareEntries(a, b)), -Sign(CompareEntries(b, a))) << a << " vs " << b;
      for (const auto& c : kTexts) {
        if (CompareEntries(a, b) <= 0 && CompareEntries(b, c) <= 0) {
          ASSERT_LE(CompareEntries(a, c), 0) << a << " <= " << b << " <= " << c;
        }
      }
    }
  }
}

std::vector<std::string> Texts(const SortedEntryList& list) {
  std::vector<std::string> texts;
  for (const auto& e : list.entries()) texts.push_back(e.text);
  return texts;
}

TEST(SortedEntryList, TwelveLabelsSortDigitByDigit) {
  SortedEntryList list;
  for (int k = 12; k >= 1; --k) EXPECT_TRUE(list.Insert("0" + std::to_string(k) + ",1,2,3", 13 - k));
  std::vector<std::string> labels;
  for (const auto& text : Texts(list)) labels.push_back(text.substr(0, text.find(',')));
  EXPECT_EQ(labels, (std::vector<std::string>{"01", "010", "011", "012", "02", "03", "04", "05", "06", "07",
                                              "08", "09"}));
}

TEST(SortedEntryList, FirstOfEqualEntriesStays) {
  SortedEntryList list;
  EXPECT_TRUE(list.Insert("03a,1,2,3", 4));
  EXPECT_FALSE(list.Insert("03A,1,2,3", 5));  // the same entry but for letter case
  EXPECT_TRUE(list.Insert("03A,4,5,6", 5));   // another place: another entry
  EXPECT_FALSE(list.Insert("03a,1,2,3", 6));  // repeated word for word
  EXPECT_TRUE(list.Insert("0-3a,1,2,3", 7));  // a hyphen makes another entry
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"0-3a,1,2,3", "03a,1,2,3", "03A,4,5,6"}));
  EXPECT_EQ(list.entries()[1].line, 4);
}

}  // namespace
}  // namespace ordwell
