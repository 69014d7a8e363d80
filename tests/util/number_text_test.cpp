#include "util/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/errors.h"

namespace ordwell {
namespace {

TEST(AppendFixed, RoundsLikeFixedPointFormatting) {
  struct Case {
    double value;
    int decimals;
    const char* expected;
  } cases[] = {
      {0.08192, 5, "0.08192"},  {0.0, 5, "0.00000"},     {2.5, 5, "2.50000"},
      {0.000005, 5, "0.00001"},  // the double lies just above the half
      {2.675, 2, "2.67"},        // and this one just below
      {0.125, 2, "0.12"},       {0.375, 2, "0.38"},      // exact halves go to the even digit
      {0.5, 0, "0"},            {1.5, 0, "2"},           {2.5, 0, "2"},
      {-0.000001, 5, "-0.00000"}, {71.0, 1, "71.0"},     {-2.0, 1, "-2.0"},
      {1234567.0, 0, "1234567"},  // never a thousands separator
      {0.08192 + 0.08192 + 0.08192, 5, "0.24576"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals;
  }
}

TEST(AppendFixed, AppendsToWhatIsThere) {
  std::string row = "5.0,";
  AppendFixed(row, 71.0, 1);
  row += ",1.0";
  EXPECT_EQ(row, "5.0,71.0,1.0");
}

TEST(AppendFixed, LongFractionIsWrittenWhole) {
  // 301 integer digits, the point and 100 decimals do not fit a small buffer.
  std::string text = FormatFixed(1e300, 100);
  ASSERT_EQ(text.size(), 301u + 1u + 100u);
  EXPECT_EQ(text.substr(0, 20), "10000000000000000525");
  EXPECT_EQ(text.substr(301), "." + std::string(100, '0'));
}

TEST(AppendGeneral, AtMostFifteenSignificantDigits) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {0.0, "0"},           {-0.0, "0"},
      {0.1, "0.1"},         {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {760.0, "760"},       {830.5, "830.5"},
      {-1.5, "-1.5"},       {123456.7, "123456.7"},
      {1e-5, "1e-05"},      {1e15, "1e+15"},
      {123456789012345678.0, "1.23456789012346e+17"},
  };
  for (const Case& c : cases) {
    std::string text;
    AppendGeneral(text, c.value);
    EXPECT_EQ(text, c.expected) << c.value;
  }
}

TEST(AppendInt, PlainDecimal) {
  std::string text;
  for (int64_t v : {int64_t{0}, int64_t{-7}, int64_t{1000000}, INT64_MIN}) {
    text.clear();
    AppendInt(text, v);
    EXPECT_EQ(text, std::to_string(v));
  }
}

struct FloatCase {
  std::string text;
  std::string separator;
  double value;
};

class ParseFloatAccepts : public ::testing::TestWithParam<FloatCase> {};

TEST_P(ParseFloatAccepts, TheRegionalSeparatorAndThePoint) {
  const FloatCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ParseFloat(c.text, c.separator), c.value) << "\"" << c.text << "\" with \"" << c.separator << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseFloatAccepts,
    ::testing::Values(FloatCase{"1.5", ".", 1.5}, FloatCase{"1,5", ",", 1.5}, FloatCase{"1.5", ",", 1.5},
                      FloatCase{"  2.5  ", ".", 2.5}, FloatCase{"-3", ".", -3.0}, FloatCase{"+4", ".", 4.0},
                      FloatCase{"1e3", ".", 1000.0}, FloatCase{"1.5E-2", ",", 0.015},
                      FloatCase{"-2,5e+1", ",", -25.0}, FloatCase{".5", ".", 0.5}, FloatCase{"5.", ".", 5.0},
                      FloatCase{"007", ".", 7.0}, FloatCase{"150.0", ".", 150.0},
                      // A separator of more than one byte (U+066B).
                      FloatCase{"3\xD9\xAB" "25", "\xD9\xAB", 3.25}));

TEST(ParseFloatRejects, WithTheTextInTheMessage) {
  struct Case {
    std::string text;
    std::string separator;
  } cases[] = {
      {"", "."},      {"   ", "."},  {"abc", "."},    {"1,5", "."},   {"1.2.3", "."},  {"1,5.3", ","},
      {"1e", "."},    {"e5", "."},   {"- 5", "."},    {"1 5", "."},   {"0x10", "."},   {"inf", "."},
      {"nan", "."},   {"1e400", "."}, {"\t1", "."},   {"1\t", "."},   {"+-1", "."},    {".", "."},
      {"1.5x", "."},
  };
  for (const Case& c : cases) {
    try {
      ParseFloat(c.text, c.separator);
      ADD_FAILURE() << "accepted \"" << c.text << "\"";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + c.text + "' is not a valid floating point value");
    }
  }
}

}  // namespace
}  // namespace ordwell
