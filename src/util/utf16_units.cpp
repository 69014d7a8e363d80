#include "util/utf16_units.h"

#include "platform/encoding.h"

namespace ordwell {

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  auto* end = p + utf8.size();
  while (p < end) {
    char32_t cp;
    unsigned char c = *p;
    size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    if (static_cast<size_t>(end - p) < len) len = 1;
    if (len == 1) {
      cp = c < 0x80 ? c : 0xFFFD;
    } else {
      cp = c & (0x7F >> len);
      for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string FromUtf16(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string CharactersBetween(std::string_view utf8, size_t first, size_t last) {
  if (first == 0 || last < first) return std::string();
  if (IsAscii(utf8)) {
    if (first > utf8.size()) return std::string();
    return std::string(utf8.substr(first - 1, last - first + 1));
  }
  std::u16string units = ToUtf16(utf8);
  if (first > units.size()) return std::string();
  return FromUtf16(std::u16string_view(units).substr(first - 1, last - first + 1));
}

}  // namespace ordwell
