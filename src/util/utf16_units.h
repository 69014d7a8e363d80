#pragma once
// Character positions in the device's texts count UTF-16 code units. These helpers
// take such positions in UTF-8 text.
#include <string>
#include <string_view>

namespace ordwell {

std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view units);  // a lone surrogate becomes U+FFFD

// Characters `first` (from 1) to `last`, as many of them as the text has.
std::string CharactersBetween(std::string_view utf8, size_t first, size_t last);

}  // namespace ordwell
