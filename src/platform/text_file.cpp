#include "platform/text_file.h"

#include <cstring>

namespace ordwell {

TextLines::TextLines(std::string text) {
  auto owned = std::make_shared<const std::string>(std::move(text));
  const std::string_view view(*owned);
  *this = TextLines(std::move(owned), view);
}

TextLines::TextLines(std::shared_ptr<const void> owner, std::string_view text) : text_(std::move(owner)) {
  const char* p = text.data();
  const char* end = p + text.size();
  // The next LF at or after p (end when there is none). It is kept across lines, so a
  // file with lone CR line ends is not searched to its end once per line.
  const char* lf = nullptr;
  while (p < end) {
    const char* start = p;
    // Line ends are rare among the bytes: find the next CR or LF quickly.
    if (lf == nullptr || lf < p) {
      lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (lf == nullptr) lf = end;
    }
    const char* stop = lf;
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(stop - p)));
    if (cr) stop = cr;
    lines_.emplace_back(start, static_cast<size_t>(stop - start));
    if (stop == end) break;
    p = stop + 1;
    if (*stop == '\r' && p < end && *p == '\n') ++p;
  }
}

TextLines ReadTextFile(FileSystem& fs, const std::string& path, const Charset& ansi) {
  FileContent content = fs.MapFile(path);
  const bool textAfterNul = TextGoesOnAfterNul(content.bytes);
  TextLines lines;
  if (std::optional<std::string_view> text = TextAsStored(content.bytes, ansi))
    lines = TextLines(std::move(content.owner), *text);
  else
    lines = TextLines(DecodeText(std::string(content.bytes), ansi));
  lines.textAfterNul_ = textAfterNul;
  return lines;
}

namespace {
constexpr size_t kBlock = 1 << 20;
}

TextFileWriter::TextFileWriter(FileSystem& fs, const std::string& path, const Charset& ansi)
    : out_(fs.CreateFile(path)), ansi_(ansi) {
  buffer_.reserve(kBlock + 4096);
  if (ansi_.IsUtf8()) buffer_ += kUtf8Bom;
}

TextFileWriter::~TextFileWriter() = default;

void TextFileWriter::EndLine() {
  buffer_ += "\r\n";
  if (buffer_.size() >= kBlock) Flush();
}

void TextFileWriter::Flush() {
  if (buffer_.empty()) return;
  if (ansi_.IsUtf8() || IsAscii(buffer_)) {
    out_->Write(buffer_);
  } else {
    encoded_ = EncodeText(buffer_, ansi_);
    out_->Write(encoded_);
  }
  buffer_.clear();
}

void TextFileWriter::Finish() {
  Flush();
  out_->Close();
}

void WriteTextFile(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines,
                   const Charset& ansi) {
  TextFileWriter writer(fs, path, ansi);
  for (const auto& line : lines) writer.Line(line);
  writer.Finish();
}

}  // namespace ordwell
