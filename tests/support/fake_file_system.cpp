#include "support/fake_file_system.h"

#include "platform/errors.h"

namespace ordwell::testing {
namespace {

class FakeOutput : public OutputFile {
 public:
  FakeOutput(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
  void Write(std::string_view bytes) override {
    if (fs_.writeBudget >= 0) {
      if (static_cast<long>(bytes.size()) > fs_.writeBudget) {
        fs_.files[path_].append(bytes.substr(0, static_cast<size_t>(fs_.writeBudget)));
        fs_.writeBudget = 0;
        throw FileError("Cannot write file \"" + path_ + "\": No space left on device");
      }
      fs_.writeBudget -= static_cast<long>(bytes.size());
    }
    fs_.files[path_].append(bytes);
  }
  void Close() override {}

 private:
  FakeFileSystem& fs_;
  std::string path_;
};

}  // namespace

void FakeFileSystem::CreateDirectories(const std::string& path) {
  if (failCreate.count(path)) throw FileError("Cannot create folder \"" + path + "\": Permission denied");
  std::string parent = FolderOf(path);
  if (!parent.empty() && parent != path) CreateDirectories(parent);
  dirs.insert(path);
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
  if (failDelete.count(path)) return false;
  if (dirs.count(path)) return false;
  files.erase(path);
  return true;
}

std::string FakeFileSystem::ReadFile(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || failRead.count(path))
    throw FileError("Cannot open file \"" + path + "\": No such file or directory");
  return it->second;
}

std::unique_ptr<OutputFile> FakeFileSystem::CreateFile(const std::string& path) {
  if (failCreate.count(path) || dirs.count(path) || !dirs.count(FolderOf(path)))
    throw FileError("Cannot create file \"" + path + "\": Permission denied");
  ++createCount;
  files[path].clear();
  return std::make_unique<FakeOutput>(*this, path);
}

void FakeFileSystem::Rename(const std::string& from, const std::string& to) {
  auto it = files.find(from);
  if (it == files.end() || dirs.count(to)) throw FileError("Cannot rename \"" + from + "\" to \"" + to + "\"");
  files[to] = it->second;
  files.erase(from);
}

void FakeFileSystem::CopyFile(const std::string& from, const std::string& to) {
  std::string content = ReadFile(from);
  auto out = CreateFile(to);
  out->Write(content);
  out->Close();
}

}  // namespace ordwell::testing
