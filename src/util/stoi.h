#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace ordwell {

// The integer conversion the device files rely on: leading blanks, a sign, then
// decimal digits within 32 bits or a hexadecimal number with the prefix "$", "x",
// "X", "0x" or "0X" (at most eight significant digits, read as two's complement).
// Nothing may follow. Empty when the text is not of that form.
std::optional<int32_t> ParseInteger(std::string_view s);

// A non-empty run of hexadecimal digits only (no prefix, sign or blank), at most
// eight significant, as a 32-bit pattern. Empty for anything else.
std::optional<uint32_t> ParseHexDigits(std::string_view digits);

// ParseInteger, with 0 for every failure. Never throws.
int32_t stoi(std::string_view s) noexcept;

}  // namespace ordwell
