#pragma once
// What every fuzz target shares: cutting one input into the files it stands for, the
// character sets a machine may use for its ANSI texts, and the stop on a broken
// promise (libFuzzer keeps the input that caused it).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ordwell::fuzz {

// Separates the files of one input: the ASCII record separator is rare in real text
// and one mutation away for the fuzzer.
inline constexpr char kFileSeparator = '\x1e';

// The first `count` pieces of `bytes` between separators; fewer when the input has
// fewer (a missing piece stands for a missing file).
std::vector<std::string> SplitFiles(std::string_view bytes, size_t count);

// ANSI character sets the tool meets: the locale's set decides how a file without a
// byte-order mark is decoded and how the set is encoded.
inline constexpr const char* kCharsets[] = {"UTF-8", "ANSI_X3.4-1968", "ISO-8859-1", "CP1252", "EUC-JP", "GB18030"};
inline constexpr size_t kCharsetCount = sizeof(kCharsets) / sizeof(kCharsets[0]);

[[noreturn]] void Violated(const std::string& what);
inline void Require(bool holds, const std::string& what) {
  if (!holds) Violated(what);
}

// Valid UTF-8 with no NUL: the form every decoded text must have.
bool IsCleanUtf8(std::string_view text);

std::string AsString(const uint8_t* data, size_t size);

}  // namespace ordwell::fuzz
