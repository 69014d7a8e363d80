#include "util/stoi.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace ordwell {
namespace {

// `value` empty: the text is not an integer of the accepted form (stoi gives 0).
struct IntegerCase {
  std::string text;
  std::optional<int32_t> value;
};

class IntegerFormTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerFormTest, ParseIntegerAndStoiAgree) {
  const IntegerCase& c = GetParam();
  EXPECT_EQ(ParseInteger(c.text), c.value) << "\"" << c.text << "\"";
  EXPECT_EQ(ordwell::stoi(c.text), c.value.value_or(0)) << "\"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, IntegerFormTest,
    ::testing::Values(IntegerCase{"42", 42}, IntegerCase{"+42", 42}, IntegerCase{"-7", -7},
                      IntegerCase{"   15", 15}, IntegerCase{"007", 7}, IntegerCase{"0", 0}, IntegerCase{"-0", 0},
                      IntegerCase{"0x1f", 31}, IntegerCase{"0X1F", 31}, IntegerCase{"$1F", 31},
                      IntegerCase{"x1f", 31}, IntegerCase{"X1f", 31}, IntegerCase{"-$10", -16},
                      IntegerCase{" +0x10", 16}, IntegerCase{"2147483647", INT32_MAX},
                      IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"000000000002147483647", INT32_MAX},
                      IntegerCase{"123456789", 123456789}, IntegerCase{"1234567890", 1234567890},
                      IntegerCase{"$0000000001", 1}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"$7FFFFFFF", INT32_MAX}, IntegerCase{"$80000000", INT32_MIN},
                      IntegerCase{"-$FFFFFFFF", 1}, IntegerCase{"$00000000FFFFFFFF", -1}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, IntegerFormTest,
    ::testing::Values(IntegerCase{"", std::nullopt}, IntegerCase{" ", std::nullopt},
                      IntegerCase{"1.5", std::nullopt}, IntegerCase{"12 ", std::nullopt},
                      IntegerCase{"1e3", std::nullopt}, IntegerCase{"+", std::nullopt},
                      IntegerCase{"-", std::nullopt}, IntegerCase{"- 5", std::nullopt},
                      IntegerCase{"\t5", std::nullopt}, IntegerCase{"5\t", std::nullopt},
                      IntegerCase{"--5", std::nullopt}, IntegerCase{"+-5", std::nullopt},
                      IntegerCase{"2147483648", std::nullopt}, IntegerCase{"-2147483649", std::nullopt},
                      IntegerCase{"99999999999999999999", std::nullopt}, IntegerCase{"$100000000", std::nullopt},
                      IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
                      IntegerCase{"x", std::nullopt}, IntegerCase{"$G", std::nullopt},
                      IntegerCase{"$-1", std::nullopt}, IntegerCase{"$ 1", std::nullopt},
                      IntegerCase{"0x0x1", std::nullopt}, IntegerCase{"12a", std::nullopt},
                      IntegerCase{"1,000", std::nullopt}, IntegerCase{"\xEF\xBC\x91", std::nullopt}));

struct HexCase {
  std::string digits;
  std::optional<uint32_t> value;
};

TEST(ParseHexDigits, TakesBareDigitsOnly) {
  const HexCase cases[] = {
      {"0", 0u},          {"ff00", 0xFF00u},        {"FF00", 0xFF00u},      {"0000000001", 1u},
      {"FFFFFFFF", ~0u},  {"00000000FFFFFFFF", ~0u}, {"", std::nullopt},     {"100000000", std::nullopt},
      {" 1", std::nullopt}, {"1 ", std::nullopt},    {"-1", std::nullopt},    {"0x1", std::nullopt},
      {"$1", std::nullopt}, {"1.0", std::nullopt},   {"g", std::nullopt},
  };
  for (const HexCase& c : cases) EXPECT_EQ(ParseHexDigits(c.digits), c.value) << "\"" << c.digits << "\"";
}

}  // namespace
}  // namespace ordwell
