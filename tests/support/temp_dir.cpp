#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/executable_path.h"

namespace ordwell::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ordwell-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Restore write permission first: fault tests make folders read-only.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string SourceDir() {
  const char* d = std::getenv("ORDWELL_SOURCE_DIR");
  return d ? d : ".";
}

std::string BinDir() {
  const char* d = std::getenv("ORDWELL_BIN_DIR");
  // The test programs are built beside ordwell and Brenlow.
  return d ? d : ExecutableFolder();
}

}  // namespace ordwell::testing
