#pragma once
// Text encodings of the files the tool reads and writes. Inside the tool every text
// is UTF-8; files are decoded on reading and encoded on writing.
#include <optional>
#include <string>
#include <string_view>

namespace ordwell {

// The character set that plays the part of the system's ANSI code page: the one of
// the environment's locale (LC_CTYPE).
class Charset {
 public:
  explicit Charset(std::string name);
  static Charset Utf8() { return Charset("UTF-8"); }
  static Charset Ascii() { return Charset("ANSI_X3.4-1968"); }
  static Charset FromLocale();  // the environment's, without touching the global locale

  const std::string& name() const { return name_; }
  bool IsUtf8() const { return kind_ == Kind::kUtf8; }
  bool IsAscii() const { return kind_ == Kind::kAscii; }

 private:
  enum class Kind { kUtf8, kAscii, kOther };
  std::string name_;
  Kind kind_;
};

// Decodes a whole file: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE,
// otherwise `ansi` applies. Bytes that do not decode become U+FFFD. A NUL
// character ends the text.
std::string DecodeText(std::string bytes, const Charset& ansi);

// The decoded text as a part of `bytes` when decoding changes none of them: valid
// UTF-8 after a UTF-8 mark or in a UTF-8 ANSI set, or plain ASCII, up to a NUL.
// Empty when the text has to be decoded into a new one.
std::optional<std::string_view> TextAsStored(std::string_view bytes, const Charset& ansi);

// Encodes UTF-8 text for a file in `ansi`: characters it cannot represent become
// "?". No byte-order mark is added here.
std::string EncodeText(std::string_view utf8, const Charset& ansi);

// The three bytes that lead every written file when the ANSI set is UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsAscii(std::string_view text);

// True when the first NUL of a file's text (a NUL code unit after a UTF-16 mark) is
// followed by more than NULs and line ends: the text would end before the file does.
bool TextGoesOnAfterNul(std::string_view bytes);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace ordwell
