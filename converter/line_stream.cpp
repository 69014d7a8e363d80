#include "converter/line_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/encoding.h"
#include "platform/errors.h"

namespace brenlow {

LineStream::LineStream(const std::string& path, size_t blockBytes) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw ordwell::FileError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  buffer_.resize(blockBytes < 2 ? 2 : blockBytes);
}

LineStream::~LineStream() { ::close(fd_); }

bool LineStream::Next(std::string_view& line) {
  if (first_) SkipMark();
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    const char* end = buffer_.data() + used_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(end - begin)));
    const char* cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<size_t>((lf ? lf : end) - begin)));
    const char* stop = cr ? cr : lf;
    // A CR that ends the block may be the first half of CR LF: read on to know.
    const bool undecided = stop == cr && stop && stop + 1 == end && !eof_;
    if (stop && !undecided) {
      size_t ending = (stop == cr && stop + 1 < end && stop[1] == '\n') ? 2 : 1;
      line = std::string_view(begin, static_cast<size_t>(stop - begin));
      pos_ += line.size() + ending;
    } else if (eof_) {
      if (begin == end) return false;
      line = std::string_view(begin, static_cast<size_t>(end - begin));
      pos_ = used_;
    } else {
      Refill();
      continue;
    }
    return true;
  }
}

// Before any line: a file that is only the mark has no line at all.
void LineStream::SkipMark() {
  first_ = false;
  while (used_ < ordwell::kUtf8Bom.size() && !eof_) Refill();
  if (std::string_view(buffer_.data(), used_).substr(0, ordwell::kUtf8Bom.size()) == ordwell::kUtf8Bom)
    pos_ = ordwell::kUtf8Bom.size();
}

void LineStream::Refill() {
  // Move the partial line to the front; grow when one line fills the block.
  std::memmove(buffer_.data(), buffer_.data() + pos_, used_ - pos_);
  used_ -= pos_;
  pos_ = 0;
  if (used_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  ssize_t n;
  do n = ::read(fd_, buffer_.data() + used_, buffer_.size() - used_);
  while (n < 0 && errno == EINTR);
  if (n < 0) throw ordwell::FileError("Cannot read file \"" + path_ + "\": " + std::strerror(errno));
  if (n == 0) eof_ = true;
  used_ += static_cast<size_t>(n);
}

}  // namespace brenlow
