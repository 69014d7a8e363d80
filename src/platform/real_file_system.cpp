#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/errors.h"
#include "platform/file_system.h"

namespace ordwell {
namespace {

std::string SystemReason() { return std::strerror(errno); }

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw FileError(what + " \"" + path + "\": " + SystemReason());
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A file opened for reading; closed when it goes out of scope.
class FileForReading {
 public:
  explicit FileForReading(const std::string& path) : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) Fail("Cannot open file", path_);
    struct stat st;
    const bool statted = ::fstat(fd_, &st) == 0;
    if (!statted || S_ISDIR(st.st_mode)) {
      // The destructor does not run for a constructor that throws.
      const int reason = statted ? EISDIR : errno;
      ::close(fd_);
      errno = reason;
      Fail("Cannot open file", path_);
    }
    size_ = static_cast<size_t>(st.st_size);
    regular_ = S_ISREG(st.st_mode);
  }
  ~FileForReading() { ::close(fd_); }
  FileForReading(const FileForReading&) = delete;
  FileForReading& operator=(const FileForReading&) = delete;

  int Descriptor() const { return fd_; }
  size_t Size() const { return size_; }
  // Big regular files are mapped; small ones are read, which costs less than a mapping.
  bool Mappable() const { return regular_ && size_ >= (1u << 20); }

  std::string ReadAll() {
    // Sized by the file, with one byte to spare: the read that meets the end then
    // fits, instead of doubling a recording of a hundred megabytes only to see 0
    // bytes. A file that grows while being read still comes in whole.
    std::string content;
    content.resize(size_ + 1);
    size_t used = 0;
    for (;;) {
      if (used == content.size()) content.resize(content.size() + 65536);
      ssize_t n = ::read(fd_, content.data() + used, content.size() - used);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail("Cannot read file", path_);
      }
      if (n == 0) break;
      used += static_cast<size_t>(n);
    }
    content.resize(used);
    return content;
  }

 private:
  const std::string& path_;
  int fd_;
  size_t size_ = 0;
  bool regular_ = false;
};

class PosixOutputFile : public OutputFile {
 public:
  PosixOutputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  void Write(std::string_view bytes) override {
    if (!WriteAll(fd_, bytes.data(), bytes.size())) Fail("Cannot write file", path_);
  }
  void Close() override {
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail("Cannot write file", path_);
  }
  int Descriptor() const { return fd_; }

 private:
  int fd_;
  std::string path_;
};

// Created or emptied for writing; throws FileError.
int CreateForWriting(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) Fail("Cannot create file", path);
  return fd;
}

class PosixFileSystem : public FileSystem {
 public:
  std::string CurrentDirectory() override {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
      if (errno != ERANGE) throw FileError("Cannot read the current folder: " + SystemReason());
      buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
  }

  void CreateDirectories(const std::string& path) override {
    if (path.empty() || DirectoryExists(path)) return;
    std::string parent = FolderOf(path);
    if (!parent.empty() && parent != path) CreateDirectories(parent);
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(path)))
      Fail("Cannot create folder", path);
  }

  bool FileExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool DeleteFile(const std::string& path) override {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
  }

  std::string ReadFile(const std::string& path) override { return FileForReading(path).ReadAll(); }

  FileContent MapFile(const std::string& path) override {
    FileForReading file(path);
    if (file.Mappable()) {
      const size_t size = file.Size();
      void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.Descriptor(), 0);
      if (map != MAP_FAILED) {
        ::madvise(map, size, MADV_WILLNEED);
        std::shared_ptr<const void> owner(map, [size](const void* p) { ::munmap(const_cast<void*>(p), size); });
        return {std::move(owner), std::string_view(static_cast<const char*>(map), size)};
      }
    }
    auto text = std::make_shared<const std::string>(file.ReadAll());
    return {text, *text};
  }

  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override {
    return std::make_unique<PosixOutputFile>(CreateForWriting(path), path);
  }

  void Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) Fail("Cannot rename \"" + from + "\" to", to);
  }

  void CopyFile(const std::string& from, const std::string& to) override {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) Fail("Cannot open file", from);
    try {
      PosixOutputFile out(CreateForWriting(to), to);
      // The kernel copies without passing the bytes through this process: a SNIRF file
      // of a long recording is most of a gigabyte. Where it cannot, or stops early
      // (a file system without the call, an error), the loop below goes on from where
      // it stopped, reads up to the real end and names what went wrong.
      for (;;) {
        ssize_t n = ::copy_file_range(in, nullptr, out.Descriptor(), nullptr, size_t{1} << 30, 0);
        if (n > 0 || (n < 0 && errno == EINTR)) continue;
        break;
      }
      std::string buffer(1 << 20, '\0');
      for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
          if (errno == EINTR) continue;
          Fail("Cannot read file", from);
        }
        if (n == 0) break;
        out.Write(std::string_view(buffer.data(), static_cast<size_t>(n)));
      }
      out.Close();
    } catch (...) {
      ::close(in);
      throw;
    }
    ::close(in);
  }

  bool IsExecutable(const std::string& path) override {
    return FileExists(path) && ::access(path.c_str(), X_OK) == 0;
  }
};

}  // namespace

FileContent FileSystem::MapFile(const std::string& path) {
  auto text = std::make_shared<const std::string>(ReadFile(path));
  return {text, *text};
}

FileSystem& RealFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderOf(std::string_view path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string_view::npos) return std::string();
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

}  // namespace ordwell
