#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace ordwell::fuzz {

std::vector<std::string> SplitFiles(std::string_view bytes, size_t count) {
  std::vector<std::string> files;
  while (files.size() < count) {
    size_t sep = bytes.find(kFileSeparator);
    files.emplace_back(bytes.substr(0, sep));
    if (sep == std::string_view::npos) break;
    bytes.remove_prefix(sep + 1);
  }
  return files;
}

void Violated(const std::string& what) {
  std::fprintf(stderr, "\nbroken promise: %s\n", what.c_str());
  std::abort();
}

bool IsCleanUtf8(std::string_view text) {
  // Written plainly on purpose: an oracle independent of the decoder's fast paths.
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0) return false;
    size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > text.size()) return false;
    uint32_t cp = len == 1 ? c : c & (0xFFu >> (len + 1));
    for (size_t k = 1; k < len; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3Fu);
    }
    static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::string AsString(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace ordwell::fuzz
