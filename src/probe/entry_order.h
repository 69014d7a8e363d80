#pragma once
// The order of the optode entries of a position file. The label leads each entry, so
// the order decides which position becomes source (detector) 1, 2, ...: it must be
// the same on every machine and never depend on the installed locales.
#include <string>
#include <string_view>
#include <vector>

namespace ordwell {

// < 0, 0 or > 0 as `a` sorts before, with or after `b`:
// - digits one character at a time by value (010 before 02, 02 before 10);
// - "," and "." (and every other ASCII mark) before digits, by code point, so label 03
//   with its comma comes before label 030;
// - ASCII letters after digits, without regard to case;
// - characters beyond ASCII after the letters, by code point, case included;
// - a text that ends sorts before every longer text that starts with it;
// - "-" is passed over. Only entries that are equal without their hyphens are compared
//   again with them, "-" then sorting before every other character: "1-2" before "12",
//   "12" before "12-".
// Entries that compare equal (differing only in letter case) are the same entry.
int CompareEntries(std::string_view a, std::string_view b);

// Entries kept in the order above without repeats: of two that compare equal only the
// first inserted stays. Each remembers its line (from 1) for error messages.
class SortedEntryList {
 public:
  struct Entry {
    std::string text;
    long line;
  };

  // False (and nothing changes) when an equal entry is already there.
  bool Insert(std::string text, long line);

  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace ordwell
