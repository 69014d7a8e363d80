#pragma once
// Whole text files as lines: read and decoded at once, written whole with CR LF.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.h"
#include "platform/file_system.h"

namespace ordwell {

// The lines of one decoded text. Lines are views into one shared buffer, so a file of
// a hundred thousand rows is one allocation plus one index.
class TextLines {
 public:
  TextLines() = default;
  // Splits at CR LF, lone CR and lone LF; a line end after the last line adds no line.
  explicit TextLines(std::string text);
  // The same over text that `owner` keeps alive (a mapped file, for one).
  TextLines(std::shared_ptr<const void> owner, std::string_view text);

  size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  std::string_view operator[](size_t i) const { return lines_[i]; }
  const std::vector<std::string_view>& lines() const { return lines_; }
  // The file went on after the NUL that ended its text (see TextGoesOnAfterNul).
  bool textAfterNul() const { return textAfterNul_; }

 private:
  friend TextLines ReadTextFile(FileSystem& fs, const std::string& path, const Charset& ansi);
  std::shared_ptr<const void> text_;
  std::vector<std::string_view> lines_;
  bool textAfterNul_ = false;
};

// Reads and decodes a text file (byte-order mark, else `ansi`); throws FileError. A
// file that needs no decoding is split where it lies, without a copy.
TextLines ReadTextFile(FileSystem& fs, const std::string& path, const Charset& ansi);

// Builds one file in large blocks and writes it in a few calls: every line ends in
// CR LF, the text is encoded in `ansi` and led by EF BB BF when `ansi` is UTF-8.
class TextFileWriter {
 public:
  TextFileWriter(FileSystem& fs, const std::string& path, const Charset& ansi);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // The open line, to append to directly (numbers are formatted into it in place).
  std::string& buffer() { return buffer_; }
  void Append(std::string_view text) { buffer_ += text; }
  void EndLine();
  void Line(std::string_view text) {
    buffer_ += text;
    EndLine();
  }
  void Finish();  // writes what is left and closes; throws FileError

 private:
  void Flush();
  std::unique_ptr<OutputFile> out_;
  const Charset ansi_;  // a copy: callers may pass a temporary
  std::string buffer_;
  std::string encoded_;
};

void WriteTextFile(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines,
                   const Charset& ansi);

}  // namespace ordwell
