#include "platform/encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace ordwell {
namespace {

std::string Normalised(std::string name) {
  std::string out;
  for (char c : name)
    if (c != '-' && c != '_') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at p (1..4), or 0 when it is not valid.
size_t ValidSequence(const unsigned char* p, const unsigned char* end) {
  unsigned char c = p[0];
  if (c < 0x80) return 1;
  size_t len;
  char32_t min;
  if ((c & 0xE0) == 0xC0) { len = 2; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { len = 3; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { len = 4; min = 0x10000; }
  else return 0;
  if (static_cast<size_t>(end - p) < len) return 0;
  char32_t cp = c & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Returns the offset of the first byte that is not plain, valid ASCII-or-UTF-8, or npos.
size_t FirstInvalidUtf8(std::string_view s) {
  auto* p = reinterpret_cast<const unsigned char*>(s.data());
  auto* end = p + s.size();
  auto* begin = p;
  while (p < end) {
    // ASCII 32 and 8 bytes at a time: the common case of a device file.
    if (end - p >= 32) {
      uint64_t words[4];
      std::memcpy(words, p, 32);
      if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) == 0) {
        p += 32;
        continue;
      }
    }
    if (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        p += 8;
        continue;
      }
    }
    size_t len = ValidSequence(p, end);
    if (len == 0) return static_cast<size_t>(p - begin);
    p += len;
  }
  return std::string_view::npos;
}

std::string RepairUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 16);
  auto* p = reinterpret_cast<const unsigned char*>(s.data());
  auto* end = p + s.size();
  while (p < end) {
    size_t len = ValidSequence(p, end);
    if (len == 0) {
      AppendUtf8(out, kReplacement);
      ++p;
    } else {
      out.append(reinterpret_cast<const char*>(p), len);
      p += len;
    }
  }
  return out;
}

std::string DecodeUtf16(std::string_view s, bool bigEndian) {
  std::string out;
  out.reserve(s.size());
  size_t units = s.size() / 2;
  auto unit = [&](size_t i) -> char16_t {
    auto a = static_cast<unsigned char>(s[2 * i]);
    auto b = static_cast<unsigned char>(s[2 * i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  for (size_t i = 0; i < units; ++i) {
    char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      char16_t v = unit(i + 1);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(v) - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : char32_t(u));
  }
  if (s.size() % 2 != 0) AppendUtf8(out, kReplacement);  // a torn last unit
  return out;
}

std::string DecodeWithIconv(std::string_view s, const std::string& from) {
  iconv_t cd = iconv_open("UTF-8", from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return RepairUtf8(s);
  std::string out;
  out.resize(s.size() * 4 + 16);
  char* in = const_cast<char*>(s.data());
  size_t inLeft = s.size();
  char* dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen with the reserve above
    // A byte the set does not define: replace it and go on.
    ++in;
    --inLeft;
    std::string rep;
    AppendUtf8(rep, kReplacement);
    if (outLeft < rep.size()) break;
    std::memcpy(dst, rep.data(), rep.size());
    dst += rep.size();
    outLeft -= rep.size();
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

void CutAtNul(std::string& text) {
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool TextGoesOnAfterNul(std::string_view bytes) {
  auto padding = [](char32_t c) { return c == 0 || c == '\r' || c == '\n'; };
  const bool le = bytes.substr(0, 2) == "\xFF\xFE", be = bytes.substr(0, 2) == "\xFE\xFF";
  if (le || be) {
    bool seen = false;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
      char32_t unit = be ? (a << 8 | b) : (b << 8 | a);
      if (seen && !padding(unit)) return true;
      seen = seen || unit == 0;
    }
    return false;
  }
  size_t nul = bytes.find('\0');
  if (nul == std::string_view::npos) return false;
  for (size_t i = nul; i < bytes.size(); ++i)
    if (!padding(static_cast<unsigned char>(bytes[i]))) return true;
  return false;
}

Charset::Charset(std::string name) : name_(std::move(name)) {
  std::string n = Normalised(name_);
  if (n == "UTF8") kind_ = Kind::kUtf8;
  else if (n == "ANSIX3.41968" || n == "ASCII" || n == "USASCII") kind_ = Kind::kAscii;
  else kind_ = Kind::kOther;
}

Charset Charset::FromLocale() {
  locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return Ascii();
  std::string name = nl_langinfo_l(CODESET, loc);
  freelocale(loc);
  return Charset(name.empty() ? "ANSI_X3.4-1968" : name);
}

bool IsAscii(std::string_view text) {
  // Every block of the set's files passes here: OR whole chunks together (a loop the
  // compiler vectorises) and stop at the first chunk with a high bit.
  constexpr size_t kChunk = 4096;
  for (size_t at = 0; at < text.size(); at += kChunk) {
    const std::string_view chunk = text.substr(at, kChunk);
    unsigned char bits = 0;
    for (char c : chunk) bits |= static_cast<unsigned char>(c);
    if (bits & 0x80) return false;
  }
  return true;
}

std::optional<std::string_view> TextAsStored(std::string_view bytes, const Charset& ansi) {
  std::string_view text = bytes;
  bool utf8;
  if (text.substr(0, 3) == kUtf8Bom) {
    text.remove_prefix(3);
    utf8 = true;
  } else if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF") {
    return std::nullopt;
  } else if (ansi.IsUtf8() || ansi.IsAscii()) {
    utf8 = ansi.IsUtf8();
  } else {
    return std::nullopt;
  }
  // A NUL ends the text, so only the part before it needs to be valid.
  text = text.substr(0, text.find('\0'));
  const bool asStored = utf8 ? FirstInvalidUtf8(text) == std::string_view::npos : IsAscii(text);
  if (!asStored) return std::nullopt;
  return text;
}

std::string DecodeText(std::string bytes, const Charset& ansi) {
  if (std::optional<std::string_view> stored = TextAsStored(bytes, ansi)) {
    // No copy: drop the mark and what follows a NUL in place.
    const size_t first = static_cast<size_t>(stored->data() - bytes.data());
    bytes.resize(first + stored->size());
    bytes.erase(0, first);
    return bytes;
  }
  // A NUL ends the text; it is cut after decoding, where it is one character in any encoding.
  const std::string_view view(bytes);
  std::string text;
  if (view.substr(0, 3) == kUtf8Bom) {
    text = RepairUtf8(view.substr(3));
  } else if (view.substr(0, 2) == "\xFF\xFE") {
    text = DecodeUtf16(view.substr(2), false);
  } else if (view.substr(0, 2) == "\xFE\xFF") {
    text = DecodeUtf16(view.substr(2), true);
  } else if (ansi.IsUtf8()) {
    text = RepairUtf8(view);
  } else if (ansi.IsAscii()) {
    text.reserve(view.size());
    for (char c : view) {
      if (static_cast<unsigned char>(c) < 0x80) text += c;
      else AppendUtf8(text, kReplacement);
    }
  } else {
    text = DecodeWithIconv(view, ansi.name());
  }
  CutAtNul(text);
  return text;
}

std::string EncodeText(std::string_view utf8, const Charset& ansi) {
  if (ansi.IsUtf8() || IsAscii(utf8)) return std::string(utf8);
  if (ansi.IsAscii()) {
    std::string out;
    out.reserve(utf8.size());
    auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    auto* end = p + utf8.size();
    while (p < end) {
      size_t len = ValidSequence(p, end);
      out += (len == 1) ? static_cast<char>(*p) : '?';
      p += len == 0 ? 1 : len;
    }
    return out;
  }
  iconv_t cd = iconv_open(ansi.name().c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
  std::string out;
  auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  auto* end = p + utf8.size();
  while (p < end) {
    size_t len = ValidSequence(p, end);
    if (len == 0) len = 1;
    char buf[16];
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(p));
    size_t inLeft = len;
    char* dst = buf;
    size_t outLeft = sizeof buf;
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      out += '?';
    } else {
      out.append(buf, sizeof buf - outLeft);
    }
    p += len;
  }
  iconv_close(cd);
  return out;
}

}  // namespace ordwell
