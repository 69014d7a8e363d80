// parse_floor [--map] FILE: the least work any conversion of a recording must do.
// Reads the file into memory in one go and converts every integer field of every
// sample row with std::from_chars (the mark as hexadecimal), summing them so nothing
// is skipped. The benchmark divides the conversion's times by this one. With --map
// the file is mapped instead of read, as ordwell reads a recording: the parse alone.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kHeaderLines = 41;

struct Totals {
  uint64_t rows = 0;
  uint64_t fields = 0;
  int64_t sum = 0;
};

// The file mapped; its pages stay until the process ends.
bool MapWhole(const char* path, const char*& data, size_t& size) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || st.st_size == 0) {
    ::close(fd);
    return false;
  }
  size = static_cast<size_t>(st.st_size);
  void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (map == MAP_FAILED) return false;
  data = static_cast<const char*>(map);
  return true;
}

bool ReadWhole(const char* path, std::unique_ptr<char[]>& data, size_t& size) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return false;
  }
  size = static_cast<size_t>(st.st_size);
  data.reset(new char[size + 1]);
  size_t used = 0;
  while (used < size) {
    ssize_t n = ::read(fd, data.get() + used, size - used);
    if (n <= 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  size = used;
  return true;
}

const char* SkipLine(const char* p, const char* end) {
  const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
  return lf ? static_cast<const char*>(lf) + 1 : end;
}

Totals ParseRows(const char* p, const char* end) {
  Totals totals;
  for (int i = 0; i < kHeaderLines && p < end; ++i) p = SkipLine(p, end);
  while (p < end) {
    int base = 16;  // the mark comes first
    for (;;) {
      int32_t value = 0;
      auto r = std::from_chars(p, end, value, base);
      base = 10;
      totals.sum += value;
      ++totals.fields;
      p = r.ptr;
      if (p >= end || *p != ',') break;
      ++p;
    }
    p = SkipLine(p, end);  // normally just the CR LF; also past a field that is no number
    ++totals.rows;
  }
  return totals;
}

}  // namespace

int main(int argc, char** argv) {
  const bool map = argc == 3 && std::strcmp(argv[1], "--map") == 0;
  if (argc != 2 && !map) {
    std::fprintf(stderr, "usage: parse_floor [--map] FILE\n");
    return 2;
  }
  const char* path = argv[argc - 1];
  std::unique_ptr<char[]> buffer;
  const char* data = nullptr;
  size_t size = 0;
  const bool read = map ? MapWhole(path, data, size) : ReadWhole(path, buffer, size);
  if (!read) {
    std::fprintf(stderr, "parse_floor: cannot read %s: %s\n", path, std::strerror(errno));
    return 1;
  }
  if (!map) data = buffer.get();
  const Totals totals = ParseRows(data, data + size);
  std::printf("%llu rows, %llu fields, sum %lld\n", static_cast<unsigned long long>(totals.rows),
              static_cast<unsigned long long>(totals.fields), static_cast<long long>(totals.sum));
  return 0;
}
