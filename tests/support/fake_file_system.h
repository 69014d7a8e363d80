#pragma once
// An in-memory file system for tests, with faults that can be switched on per path.
#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace ordwell::testing {

class FakeFileSystem : public FileSystem {
 public:
  std::string cwd = "/base";
  std::map<std::string, std::string> files;
  std::set<std::string> dirs{"/", "/base"};
  std::set<std::string> executables;
  std::set<std::string> failCreate;   // CreateFile throws for these
  std::set<std::string> failDelete;   // DeleteFile reports failure for these
  std::set<std::string> failRead;     // ReadFile throws for these
  long writeBudget = -1;              // bytes that may still be written; -1: no limit
  int createCount = 0;

  std::string CurrentDirectory() override { return cwd; }
  void CreateDirectories(const std::string& path) override;
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool DirectoryExists(const std::string& path) override { return dirs.count(path) > 0; }
  bool DeleteFile(const std::string& path) override;
  std::string ReadFile(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  bool IsExecutable(const std::string& path) override { return FileExists(path) && executables.count(path) > 0; }
};

}  // namespace ordwell::testing
