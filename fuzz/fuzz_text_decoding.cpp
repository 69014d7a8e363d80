// Any bytes through the decoding of every ANSI set, the line splitter and the encoder:
// the decoded text is clean UTF-8, the lines are those a plain splitter finds, and
// what the tool writes it reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "platform/encoding.h"
#include "platform/text_file.h"
#include "support/fake_file_system.h"
#include "util/utf16_units.h"

namespace ordwell::fuzz {
namespace {

// Lines as the tool defines them, one character at a time: CR LF, lone CR and lone LF
// end a line; a line end after the last line adds none.
std::vector<std::string_view> PlainLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0, i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.push_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> Copied(const TextLines& lines) {
  return std::vector<std::string>(lines.lines().begin(), lines.lines().end());
}

bool StartsWithMark(std::string_view bytes) {
  return bytes.substr(0, 3) == kUtf8Bom || bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

std::string CutAtNul(std::string_view bytes) { return std::string(bytes.substr(0, bytes.find('\0'))); }

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : ToUtf16(utf8)) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

void CheckLines(const std::string& decoded) {
  TextLines lines(decoded);
  std::vector<std::string_view> plain = PlainLines(decoded);
  Require(lines.size() == plain.size(), "line count differs from the plain splitter");
  for (size_t i = 0; i < plain.size(); ++i) Require(lines[i] == plain[i], "line " + std::to_string(i) + " differs");
}

// Bytes that a set maps one to one, so encoding the decoded text gives them back.
std::string ExpectedBytesBack(const std::string& input, const Charset& ansi, bool& known) {
  known = !StartsWithMark(input);
  const std::string bytes = CutAtNul(input);
  if (ansi.name() == "ISO-8859-1") return bytes;
  if (ansi.IsAscii()) {
    std::string out = bytes;
    for (char& c : out)
      if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return out;
  }
  if (ansi.IsUtf8()) {
    known = known && IsCleanUtf8(bytes);
    return bytes;
  }
  known = false;
  return {};
}

void CheckCharset(const std::string& input, const Charset& ansi) {
  const std::string decoded = DecodeText(input, ansi);
  Require(IsCleanUtf8(decoded), std::string("decoded text is not clean UTF-8 in ") + ansi.name());
  if (std::optional<std::string_view> stored = TextAsStored(input, ansi))
    Require(*stored == decoded, "the text as stored differs from the decoded text");
  CheckLines(decoded);

  const std::string encoded = EncodeText(decoded, ansi);
  bool known = false;
  const std::string expected = ExpectedBytesBack(input, ansi, known);
  if (known) Require(encoded == expected, std::string("encoding does not give the bytes back in ") + ansi.name());
  if (!StartsWithMark(encoded)) {
    // Once through the set, a text stays as it is.
    const std::string again = DecodeText(encoded, ansi);
    Require(EncodeText(again, ansi) == encoded, std::string("a second round changes the text in ") + ansi.name());

    // What the tool writes (CR LF, a mark in UTF-8) it reads back line for line.
    testing::FakeFileSystem fs;
    const TextLines lines(decoded);
    WriteTextFile(fs, "/base/f.csv", Copied(lines), ansi);
    Require(Copied(ReadTextFile(fs, "/base/f.csv", ansi)) == Copied(TextLines(again)),
            std::string("a written file reads back differently in ") + ansi.name());
  }
}

}  // namespace
}  // namespace ordwell::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ordwell;
  using namespace ordwell::fuzz;
  const std::string input = AsString(data, size);
  for (const char* name : kCharsets) CheckCharset(input, Charset(name));

  // Any clean text survives UTF-16 in both byte orders exactly.
  const std::string text = DecodeText(input, Charset::Utf8());
  for (bool bigEndian : {false, true})
    Require(DecodeText(Utf16Bytes(text, bigEndian), Charset::Ascii()) == text, "UTF-16 does not give the text back");
  return 0;
}
