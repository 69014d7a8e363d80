#pragma once
// Everything the tool does to the file system goes through this interface, so that
// tests can put a fake or a faulty file system in its place.
#include <memory>
#include <string>
#include <string_view>

namespace ordwell {

// A file being written from the front: created or emptied on open, never appended to.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(std::string_view bytes) = 0;  // throws FileError
  virtual void Close() = 0;                         // throws FileError (e.g. disk full on flush)
};

// The bytes of a whole file, kept alive by `owner` (a buffer or a mapping of the file).
struct FileContent {
  std::shared_ptr<const void> owner;
  std::string_view bytes;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::string CurrentDirectory() = 0;
  // Creates the folder and any missing parents; throws FileError.
  virtual void CreateDirectories(const std::string& path) = 0;
  // True for an existing file that is not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // True when no file is there afterwards (deleted, or there was none).
  virtual bool DeleteFile(const std::string& path) = 0;
  // The whole content; throws FileError.
  virtual std::string ReadFile(const std::string& path) = 0;
  // The whole content without a copy where the system can map the file (a recording
  // of a hundred megabytes is then not copied at all); by default ReadFile's copy.
  // Throws FileError.
  virtual FileContent MapFile(const std::string& path);
  virtual std::unique_ptr<OutputFile> CreateFile(const std::string& path) = 0;  // throws FileError
  // Replaces `to` atomically; throws FileError.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Streams `from` into a new file `to` (created or emptied); throws FileError.
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  virtual bool IsExecutable(const std::string& path) = 0;
};

// The real one, on the machine's file system.
FileSystem& RealFileSystem();

// Path helpers: folder + "/" + name; the last component; its folder.
std::string JoinPath(const std::string& folder, std::string_view name);
std::string FileNameOf(std::string_view path);
std::string FolderOf(std::string_view path);

}  // namespace ordwell
