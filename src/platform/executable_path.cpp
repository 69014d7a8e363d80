#include "platform/executable_path.h"

#include <unistd.h>

#include "platform/file_system.h"

namespace ordwell {

std::string ExecutableFolder() {
  std::string buffer(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0) return std::string();
  buffer.resize(static_cast<size_t>(n));
  return FolderOf(buffer);
}

}  // namespace ordwell
