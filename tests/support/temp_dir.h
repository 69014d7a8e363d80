#pragma once
#include <string>

namespace ordwell::testing {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string SourceDir();  // the repository root (for fixtures)
std::string BinDir();     // where ordwell and Brenlow are built: beside the test programs

}  // namespace ordwell::testing
