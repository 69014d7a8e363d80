#include "util/stoi.h"

namespace ordwell {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<uint32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    int d = HexValue(c);
    if (d < 0) return std::nullopt;
    if (significant > 0 || d != 0) ++significant;
    if (significant > 8) return std::nullopt;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  return value;
}

std::optional<int32_t> ParseInteger(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i >= n) return std::nullopt;

  bool hex = false;
  if (s[i] == '$' || s[i] == 'x' || s[i] == 'X') {
    hex = true;
    ++i;
  } else if (s[i] == '0' && i + 1 < n && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;

  if (hex) {
    std::optional<uint32_t> value = ParseHexDigits(s.substr(i));
    if (!value) return std::nullopt;
    // The digits are a 32-bit pattern; a minus sign negates its signed reading.
    uint32_t result = negative ? 0u - *value : *value;
    return static_cast<int32_t>(result);
  }

  int64_t value = 0;
  for (; i < n; ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<int32_t>(value);
}

int32_t stoi(std::string_view s) noexcept {
  if (s.empty()) return 0;
  // Fast path for the plain unsigned decimal fields of a sample row.
  if (s.size() <= 9) {
    int32_t v = 0;
    size_t i = 0;
    for (; i < s.size(); ++i) {
      char c = s[i];
      if (c < '0' || c > '9') break;
      v = v * 10 + (c - '0');
    }
    if (i == s.size()) return v;
  }
  return ParseInteger(s).value_or(0);
}

}  // namespace ordwell
