#include "converter/set_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/errors.h"

namespace brenlow {

void FailAt(const std::string& path, size_t index, const std::string& message) {
  throw ordwell::ConversionError(ordwell::Located(path, static_cast<long>(index + 1), message));
}

std::optional<double> ParseNumber(std::string_view text) {
  // data.csv is millions of raw readings, all plain integers. Up to 15 digits they
  // are exact doubles, the very ones the general conversion gives ("-0" included).
  constexpr size_t kExactDigits = 15;
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (!digits.empty() && digits.size() <= kExactDigits) {
    int64_t whole = 0;
    size_t i = 0;
    for (; i < digits.size() && static_cast<unsigned char>(digits[i] - '0') < 10; ++i)
      whole = whole * 10 + (digits[i] - '0');
    if (i == digits.size()) return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
  }
  double value = 0.0;
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, value);
  if (text.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseInteger(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto r = std::from_chars(text.data(), end, value);
  if (text.empty() || r.ec != std::errc() || r.ptr != end) return std::nullopt;
  return value;
}

std::string Quoted(std::string_view text) {
  constexpr size_t kLongest = 40;
  if (text.size() <= kLongest) return "'" + std::string(text) + "'";
  size_t cut = kLongest;
  // Not inside a UTF-8 sequence: the message is shown as text.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return "'" + std::string(text.substr(0, cut)) + "...' (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace brenlow
