#include "util/part_of_str.h"

#include <gtest/gtest.h>

#include <string>

namespace ordwell {
namespace {

struct FieldCase {
  char separator;
  std::string text;
  int n;
  std::string expected;
};

class GetPartOfStrTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(GetPartOfStrTest, GivesTheNthFieldUntouched) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(GetPartOfStr(c.separator, c.text, c.n), c.expected)
      << "separator '" << c.separator << "', text \"" << c.text << "\", n = " << c.n;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GetPartOfStrTest,
    ::testing::Values(
        // Empty fields in the middle are fields of their own.
        FieldCase{',', "a,b,,c", 1, "a"}, FieldCase{',', "a,b,,c", 2, "b"}, FieldCase{',', "a,b,,c", 3, ""},
        FieldCase{',', "a,b,,c", 4, "c"}, FieldCase{',', "a,b,,c", 5, ""}, FieldCase{',', "a,b,,c", 99, ""},
        // Only the separator asked for splits; later ones stay in the last field asked for.
        FieldCase{'=', "Key=Val=X", 2, "Val"}, FieldCase{'=', "Key=Val=X", 3, "X"},
        FieldCase{'=', "no separator", 1, "no separator"}, FieldCase{'=', "no separator", 2, ""},
        FieldCase{' ', "a  b", 2, ""}, FieldCase{' ', "a  b", 3, "b"},
        // Leading and trailing separators give empty first and last fields.
        FieldCase{',', ",x", 1, ""}, FieldCase{',', ",x", 2, "x"}, FieldCase{',', "x,", 2, ""},
        FieldCase{',', "x,", 3, ""}, FieldCase{',', ",", 1, ""}, FieldCase{',', ",", 2, ""},
        // Nothing is trimmed.
        FieldCase{',', " a , b ", 1, " a "}, FieldCase{',', " a , b ", 2, " b "},
        // Multi-byte characters are never taken for an ASCII separator.
        FieldCase{',', "\xE6\x97\xA5,\xF0\x9F\x98\x80,z", 2, "\xF0\x9F\x98\x80"},
        FieldCase{'_', "subj_mni_others_3x4T_01.csv", 4, "3x4T"},
        // Field numbers of 0 and below name no field.
        FieldCase{',', "a,b", 0, ""}, FieldCase{',', "a,b", -1, ""}));

TEST(GetPartOfStrEmptyText, IsEmptyForEveryFieldNumber) {
  for (int n : {-1, 0, 1, 2, 1000}) EXPECT_EQ(GetPartOfStr(',', "", n), "") << n;
}

TEST(GetPartOfStrView, PointsIntoTheGivenText) {
  const std::string text = "12,345,6";
  std::string_view field = GetPartOfStr(',', text, 2);
  EXPECT_EQ(field.data(), text.data() + 3);
  EXPECT_EQ(field.size(), 3u);
}

}  // namespace
}  // namespace ordwell
