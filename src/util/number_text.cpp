#include "util/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/errors.h"

namespace ordwell {

void AppendFixed(std::string& out, double value, int decimals) {
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec == std::errc()) {
    out.append(buf, r.ptr);
    return;
  }
  // Only a very long fraction does not fit: 309 integer digits, sign and point at most.
  std::string wide(320 + static_cast<size_t>(decimals > 0 ? decimals : 0), '\0');
  r = std::to_chars(wide.data(), wide.data() + wide.size(), value, std::chars_format::fixed, decimals);
  out.append(wide.data(), r.ptr);
}

std::string FormatFixed(double value, int decimals) {
  std::string out;
  AppendFixed(out, value, decimals);
  return out;
}

void AppendGeneral(std::string& out, double value) {
  if (value == 0.0) {
    out += '0';
    return;
  }
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  out.append(buf, r.ptr);
}

void AppendInt(std::string& out, int64_t value) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

double ParseFloat(std::string_view text, std::string_view decimalSeparator) {
  auto fail = [&]() -> double {
    throw ConversionError("'" + Shortened(text) + "' is not a valid floating point value");
  };
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  std::string plain;  // the number with "." as separator, for from_chars
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool digits = false, separator = false;
  while (i < n) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      plain += c;
      digits = true;
      ++i;
    } else if (!separator && !decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator) {
      plain += '.';
      separator = true;
      i += decimalSeparator.size();
    } else if (!separator && c == '.') {
      plain += '.';
      separator = true;
      ++i;
    } else {
      break;
    }
  }
  if (!digits) return fail();
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    bool expDigits = false;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
      expDigits = true;
    }
    if (!expDigits) return fail();
  }
  if (i != n) return fail();
  double value = 0.0;
  auto r = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || !std::isfinite(value)) return fail();
  return negative ? -value : value;
}

}  // namespace ordwell
