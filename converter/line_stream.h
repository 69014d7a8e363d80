#pragma once
// data.csv is the one member too large to hold whole: it is read front to back in
// blocks and handed out a line at a time.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brenlow {

class LineStream {
 public:
  // Throws FileError when the file cannot be opened.
  explicit LineStream(const std::string& path, size_t blockBytes = size_t{1} << 22);
  ~LineStream();
  LineStream(const LineStream&) = delete;
  LineStream& operator=(const LineStream&) = delete;

  // The next line without its end, and without the UTF-8 mark on the first. Lines end
  // at CR LF, lone CR or lone LF, and an end after the last line adds no line, as in
  // every other member. The view lasts until the next call; throws FileError.
  bool Next(std::string_view& line);

 private:
  void SkipMark();
  void Refill();

  std::string path_;
  int fd_;
  std::vector<char> buffer_;  // grows when one line fills it
  size_t pos_ = 0, used_ = 0;
  bool eof_ = false, first_ = true;
};

}  // namespace brenlow
