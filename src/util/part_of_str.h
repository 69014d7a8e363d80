#pragma once
#include <string_view>

namespace ordwell {

// Field n (counted from 1) of `str` split at `c`; empty when there is no such field
// or n <= 0. Nothing is trimmed. The result views into `str`.
std::string_view GetPartOfStr(char c, std::string_view str, int n);

}  // namespace ordwell
