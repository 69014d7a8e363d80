#include "util/part_of_str.h"

namespace ordwell {

std::string_view GetPartOfStr(char c, std::string_view str, int n) {
  if (n <= 0 || str.empty()) return {};
  size_t start = 0;
  // Walk from the front and stop at field n; the rest of the text is not looked at.
  for (int field = 1; field < n; ++field) {
    size_t sep = str.find(c, start);
    if (sep == std::string_view::npos) return {};
    start = sep + 1;
  }
  size_t end = str.find(c, start);
  return str.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace ordwell
