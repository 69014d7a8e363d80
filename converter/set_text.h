#pragma once
// Numbers and quoted texts as the members of the set hold them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brenlow {

// "path:line: message" for line `index` (counted from 0) of a member.
[[noreturn]] void FailAt(const std::string& path, size_t index, const std::string& message);

// A finite decimal number as the tool writes it ("12", "-3", "0.08192", "1e3"): no
// blanks, no leading "+", no "nan" or "inf".
std::optional<double> ParseNumber(std::string_view text);

// A decimal integer that fits in 32 bits, in the same plain form.
std::optional<int> ParseInteger(std::string_view text);

// `text` in single quotes for a message, cut short when long: a broken data line can
// run to megabytes.
std::string Quoted(std::string_view text);

}  // namespace brenlow
