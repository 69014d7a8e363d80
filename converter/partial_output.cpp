#include "converter/partial_output.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string_view>

#include "platform/file_system.h"

namespace brenlow {
namespace {

constexpr std::string_view kPrefix = ".tavik_data_3d.snirf.tmp-";

bool ProcessIsGone(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace

std::string PartialOutputPath(const std::string& folder, long pid) {
  return ordwell::JoinPath(folder, std::string(kPrefix) + std::to_string(pid));
}

void RemoveAbandonedPartials(const std::string& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) continue;
    const char* digits = name.data() + kPrefix.size();
    const char* stop = name.data() + name.size();
    long pid = 0;
    auto r = std::from_chars(digits, stop, pid);
    if (digits == stop || r.ec != std::errc() || r.ptr != stop || pid == ::getpid()) continue;
    std::error_code kindError;
    if (it->is_regular_file(kindError) && ProcessIsGone(pid)) {
      std::error_code removeError;  // a file that cannot go is no reason to stop the conversion
      std::filesystem::remove(it->path(), removeError);
    }
  }
}

}  // namespace brenlow
