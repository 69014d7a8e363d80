// ParseNumber: the short cut for plain integers must give bit for bit what the general
// conversion gives, and refuse what it refuses.
#include "converter/set_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace brenlow {
namespace {

// The general conversion on its own: std::from_chars over the whole text, finite only.
std::optional<double> General(std::string_view text) {
  double value = 0.0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ParseNumber, AgreesBitForBitWithTheGeneralConversion) {
  const char* forms[] = {
      "0", "7", "12", "-3", "007", "-0", "-00",           // plain integers, the sign of zero kept
      "2147483647", "-2147483648", "4294967296",          // beyond 32 bits
      "999999999999999", "-999999999999999",              // 15 digits: the longest short cut
      "9007199254740993", "12345678901234567890",         // longer: rounded as the general one rounds
      "0.08192", "-5.0", "1e3", "1E-2", ".5", "5.",       // not integers
      "1e999", "nan", "inf", "-inf",                      // not finite
      "", "-", "+5", " 5", "5 ", "5,", "0x10", "1-2", "--1"  // not numbers
  };
  for (const char* form : forms) {
    const std::optional<double> expected = General(form);
    const std::optional<double> got = ParseNumber(form);
    ASSERT_EQ(got.has_value(), expected.has_value()) << "'" << form << "'";
    if (expected) {
      EXPECT_TRUE(SameBits(*got, *expected)) << "'" << form << "' gave " << *got;
    }
  }
}

TEST(ParseNumber, EveryIntegerOfADeviceRangeIsExact) {
  for (long v = -70000; v <= 70000; v += 7) {
    const std::string text = std::to_string(v);
    const std::optional<double> got = ParseNumber(text);
    ASSERT_TRUE(got) << text;
    EXPECT_EQ(*got, static_cast<double>(v)) << text;
  }
}

}  // namespace
}  // namespace brenlow
