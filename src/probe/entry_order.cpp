#include "probe/entry_order.h"

#include <algorithm>

namespace ordwell {
namespace {

// Weight of one byte of UTF-8 text. Bytes beyond ASCII keep their value, and UTF-8
// compared byte by byte keeps the order of the code points.
int Weight(unsigned char c) {
  if (c == '-') return -1;  // only weighed when the texts are equal without hyphens
  if (c >= '0' && c <= '9') return 0x100 + (c - '0');
  if (c >= 'A' && c <= 'Z') return 0x200 + (c - 'A');
  if (c >= 'a' && c <= 'z') return 0x200 + (c - 'a');
  if (c < 0x80) return c;
  return 0x300 + c;
}

int CompareWeights(std::string_view a, std::string_view b, bool skipHyphens) {
  size_t i = 0, j = 0;
  for (;;) {
    if (skipHyphens) {
      while (i < a.size() && a[i] == '-') ++i;
      while (j < b.size() && b[j] == '-') ++j;
    }
    bool endA = i == a.size(), endB = j == b.size();
    if (endA || endB) return endA == endB ? 0 : endA ? -1 : 1;
    int wa = Weight(static_cast<unsigned char>(a[i])), wb = Weight(static_cast<unsigned char>(b[j]));
    if (wa != wb) return wa < wb ? -1 : 1;
    ++i;
    ++j;
  }
}

}  // namespace

int CompareEntries(std::string_view a, std::string_view b) {
  int withoutHyphens = CompareWeights(a, b, true);
  return withoutHyphens != 0 ? withoutHyphens : CompareWeights(a, b, false);
}

bool SortedEntryList::Insert(std::string text, long line) {
  auto at = std::lower_bound(entries_.begin(), entries_.end(), text,
                             [](const Entry& e, const std::string& t) { return CompareEntries(e.text, t) < 0; });
  if (at != entries_.end() && CompareEntries(at->text, text) == 0) return false;
  entries_.insert(at, Entry{std::move(text), line});
  return true;
}

}  // namespace ordwell
